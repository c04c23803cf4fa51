#pragma once

#include <QString>

// The log-on values: set by the log-on, read by new-record defaults,
// filters and printouts everywhere.
struct LogonValues {
    int CurrentUserId = 0;
    int CurrentGroupId = 0;
    QString CurrentInitials;
    QString CurrentUserName;
    QString CurrentRealName;
    QString CurrentDepartment;
    int CurrentCompanyId = 0;
    QString CurrentUserPasswd;
    QString CurrentServer;
    QString CurrentPassword;
    QString UserRights;
    bool AdminMode = false;
    bool LogonInProgress = false;
    int ConnectState = 0;
};
