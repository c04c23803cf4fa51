#pragma once

#include <QString>

// Where "Servernavn:" points: empty for the workstation's own private server, a Unix socket
// path (the text begins with "/"), or a host name with an optional ":port".
struct ServerAddress {
    enum class Kind { Local, Socket, Host };
    Kind kind = Kind::Local;
    QString host;     // Host
    unsigned port = 0;  // Host; 0 for the standard port
    QString socket;   // Socket
};

// Reads the server field: "" (blanks only too) is Local; "/run/mysqld/mysqld.sock" a socket;
// "db1", "db1:3307", "[::1]:3307" a host. A text after the last ":" that is not a port
// number keeps the whole text as the host name.
ServerAddress ParseServerAddress(const QString& serverName);
