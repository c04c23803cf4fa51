#pragma once

#include <QString>
#include <functional>

class ConfigStore;
class DataModule;
struct ConnectParams;

// What the log-on dialog (or the saved log-on) hands to the connect sequence.
struct LogonRequest {
    QString userName;
    QString password;
    QString serverName;  // "" = the workstation's private server
    QString database;    // "" = "varlokken"
    bool loadIniFromServer = false;  // "Last inifil fra server"
    bool remember = false;           // "Husk pålogging"
};

// The saved log-on as a request; the user name is the OS user when none is saved.
LogonRequest SavedRequest(ConfigStore& config);

// How the log-on shows its progress; the dialog sets them, empty ones are fine.
struct LogonProgress {
    std::function<void()> showPanel;  // the progress panel instead of the input panels
    std::function<void(const QString&)> text;
    std::function<void()> advance;  // one step of the bar (maximum 40)
};

// The log-on: connects the data module's connection as the user, reads the user's row and
// the log-on values, opens the lookups and the tables in their fixed order. Failures are
// logged and shown through the Prompter; the log-on values say how it went (ConnectState
// 1 connected, -1 failed).
class ConnectSequence {
public:
    explicit ConnectSequence(DataModule& dm);

    void SetProgress(LogonProgress progress) { progress_ = std::move(progress); }

    // "Logg på" of the dialog: applies the name@host input to `request` (so the dialog can
    // show what was used), saves the log-on when "Husk pålogging" is set, connects.
    // True when connected.
    bool RunFromDialog(LogonRequest& request);
    // "autologon": the saved log-on, without a dialog. True when connected.
    bool RunSaved();
    // The steps from "Kobler til databaseserver" to "Innlogging ferdig".
    bool Connect(const LogonRequest& request);

    // The server as messages and the status bar name it ("localhost" for the private one).
    static QString ServerDisplayName(const QString& serverName);

private:
    // Declined: the user chose not to create a missing database (already told).
    enum class ConnectResult { Connected, Failed, Declined };
    ConnectResult ConnectToServer(const LogonRequest& request);
    ConnectResult CreateMissingDatabase(const ConnectParams& params, bool local, const QString& server);
    // Creates the tables of a database without any (asking first on a named server).
    void EnsureTables(bool local, bool ask, const QString& database, const QString& server);
    void ReadUser(const QString& userName);
    void OpenTables(bool loadIniFromServer);
    void Text(const QString& text) const;
    void Advance() const;

    DataModule& dm_;
    LogonProgress progress_;
};
