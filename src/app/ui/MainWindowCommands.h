#pragma once

#include <QString>

class QWidget;

// Commands of the main window's menus that work without the window itself.

// "Endre passord": asks "Nytt passord"; an answer of more than three
// characters becomes the database account's password (quoted by the
// connection). Tells the user "Passordet er endret." or the server's refusal;
// a shorter answer or a cancel gives "Passordet er for kort.". The password
// is never logged. True when it changed.
bool ChangePassword();

// "Hent konfigurasjonsfil (sevrante.ini) fra server": stores the local ini
// files in the database after the user agreed to overwrite the server's copy
// (the question defaults to no). True when stored.
bool StoreIniFilesOnServer();

// The web portal's address: `base` + "/?vluser=" + user + "&vlpasswd=" +
// password, both values percent-encoded.
QString WebPortalAddress(const QString& base, const QString& user, const QString& password);

// The company ini key (section "STANDARD") with the updater's download address.
inline const QString kUpgradeAddressKey = QStringLiteral("UpgradeAddress");

// "Oppgrader programmet fra internett": asks the server for the updater's
// size, downloads it into the program's folder when it differs from the local
// file, and starts it with the program's full path. True only when the
// updater was started: then, and only then, the program should end.
bool UpgradeProgram(QWidget* parent);
