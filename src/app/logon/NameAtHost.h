#pragma once

#include <QString>

// What the log-on fields hold after the name@host input was applied.
struct LogonFields {
    QString userName;
    QString serverName;
    QString database;
};

// The name@host input of "Brukernavn:". Without an "@" the fields stay as they are. With one,
// the text before the first "@" is the user name, everything after it the server name, and
// the text between that "@" and the first "." of the whole input the database (empty when
// there is no "." or it stands before the "@"): "ola@regnskap.server1" gives ola,
// regnskap.server1, regnskap; "ola@localhost" gives an empty database.
LogonFields ParseNameAtHost(const LogonFields& typed);
