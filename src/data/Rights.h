#pragma once

#include <QChar>
#include <QHash>
#include <QString>
#include <QStringList>
#include <array>

#include "app/frame/LogonValues.h"

// Table rights: the rights string kept in users.parameter and copied into
// UserRights at log-on. It is a sequence of entries "<key>=<letters>;", each
// followed by CR LF, with the letters in the order R, W, D, I, A, F.
//
// An entry is found by its whole key at the start of an entry (the start of
// the text, after a line break or after a ";"), with blanks around the key
// and the "=" allowed, so texts written by other software in another order
// or with stray text read sensibly; "project" never reads "subproject=", nor
// "document" the web portal's "documentation=". The letters run to the next
// ";" or line break; the first entry of a key counts. The program asks for
// "user" and "account", which read the "users" and "accounts" entries.

// The six letters in their stored order.
inline constexpr std::array<QChar, 6> kRightsLetters = {u'R', u'W', u'D', u'I', u'A', u'F'};

// The table keys in the order the access window writes them, with the row
// captions of its grid.
struct RightsKey {
    const char* key;
    const char* caption;
};
const std::array<RightsKey, 24>& RightsKeys();

// The web-portal entries the access window carries over, in their order.
const QStringList& WebPortalKeys();

// True when the user has `letter` on `key`. In administrator mode every test
// passes; an empty rights text fails every test. A key without an entry
// falls back to the administrator right (A on "users").
bool HasRight(const LogonValues& logon, const QString& key, QChar letter);
bool HasReadRight(const LogonValues& logon, const QString& key);
bool HasWriteRight(const LogonValues& logon, const QString& key);
bool HasAdminRight(const LogonValues& logon, const QString& key);

// The same with the current context's log-on values.
bool HasRight(const QString& key, QChar letter);
bool HasReadRight(const QString& key);
bool HasWriteRight(const QString& key);
bool HasAdminRight(const QString& key);

// The stored letters of another user's rights text, for the access window:
// true when the entry of `key` holds `letter`; a missing key is false. It
// shows what is stored in administrator mode too, so saving the window never
// grants rights that were not there.
bool ReadRightsString(const QString& text, const QString& key, QChar letter);

// The six check states of one key, in the order R, W, D, I, A, F.
using RightsChecks = std::array<bool, 6>;

// The rights text for the access window's check states (keyed by rights key;
// keys without states, or outside the fixed list, get no entry), followed by
// the web-portal entries of `previous`, each carried over unchanged.
QString WriteRightsString(const QHash<QString, RightsChecks>& checks, const QString& previous);
