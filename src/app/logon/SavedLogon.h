#pragma once

#include <QString>

class ConfigStore;

// The saved log-on of section "VARLOKKEN_SQL" of the company ini.
struct SavedLogon {
    QString userName;    // "Username"
    QString password;    // "Password", kept scrambled in the file
    QString database;    // "Database"
    QString serverName;  // "Servername"
    bool loadIniFromServer = false;  // "LoadIniFileFromServer"
};

// Reads the saved log-on (the password unscrambled); missing keys read empty / false.
SavedLogon ReadSavedLogon(ConfigStore& config);
// Writes all five keys, the password scrambled.
void WriteSavedLogon(ConfigStore& config, const SavedLogon& logon);
