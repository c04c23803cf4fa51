#pragma once

#include <QString>
#include <QtGlobal>
#include <functional>

#include "db/Connection.h"

class ConfigStore;

// The workstation's own MariaDB server, the default when no server is named: its data,
// pid file, socket and logs in one folder (sevrantepath("data") + "mysql/"), reached only
// through its Unix socket (no TCP). It is initialised on first use with the OS user as the
// account that connects through the socket without a password, and it keeps running
// between program starts until it is stopped by its pid file.
class LocalServer {
public:
    // Where each step is reported (the program's log, the admin tool's output).
    using Reporter = std::function<void(const QString&)>;

    explicit LocalServer(const QString& folder, Reporter report = {});

    // The folder of the program: sevrantepath("data") + "mysql/".
    static QString FolderOf(ConfigStore& config);
    // The same folder for tools that must not touch the company ini: the "data_folder" key
    // of the ini the program would open from `workingDir`, else the standard folder.
    static QString FolderForTools(const QString& workingDir);
    // The schema the program uses on it.
    static QString DefaultSchema() { return QStringLiteral("varlokken"); }
    // The OS user, who connects through the socket without a password.
    static QString OsUser();

    QString Folder() const { return folder_; }
    // <folder>sock, or a short path under $XDG_RUNTIME_DIR or /tmp when that one is longer
    // than a socket address can hold.
    QString SocketPath() const { return socket_; }
    bool SocketMovedOut() const { return socketMoved_; }
    QString PidFile() const { return folder_ + QStringLiteral("mariadb.pid"); }
    QString ErrorLogFile() const { return folder_ + QStringLiteral("server.log"); }

    // The server's system tables exist (initialised before).
    bool IsInitialised() const;
    // The pid of the running server of this folder, 0 when none runs.
    qint64 RunningPid() const;
    // A session through the socket works.
    bool Answers() const;

    // Initialises the folder when needed and starts the server detached from the program;
    // waits until it answers. Already running: nothing to do. False with *error.
    bool Start(QString* error);
    // Stops the server of this folder by its pid file and waits until it has ended.
    bool Stop(QString* error);
    // One line: running (pid, socket) or not, initialised or not.
    QString StatusText() const;

    // How to connect to it.
    ConnectParams Params(const QString& user, const QString& password, const QString& database) const;

private:
    void Report(const QString& text) const;
    bool Initialise(QString* error);
    bool WaitUntilAnswers(qint64 startedPid, QString* error);
    QString TailOfErrorLog() const;

    QString folder_;
    QString socket_;
    bool socketMoved_ = false;
    Reporter report_;
};
