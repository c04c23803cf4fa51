#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class Connection;

namespace sqltools {

// What a backup wrote, or why it failed.
struct BackupReport {
    bool ok = false;
    QString error;  // why it failed; empty when ok
    int tables = 0;
    qint64 rows = 0;
    QStringList views;
    QStringList missingTables;  // catalogue tables the database does not have
    QStringList accounts;
    QStringList skippedAccounts;  // accounts (or the account list) the connection may not read
};

// The tables of a full backup: the 24 catalogue tables the database has, in catalogue
// order, then any further tables of the schema by name.
QStringList FullBackupTables(Connection& db, QStringList* missing, QString* error);

// "BASE TABLE" or "VIEW" for a table of the connected schema, "" when there is none.
QString TableKind(Connection& db, const QString& name, QString* error);

// The whole connected database as a script at `path`: the database itself, every table
// with its rows, the views and the accounts that hold grants on it. Written to
// "<path>.tmp" and renamed over `path` only when complete; on failure `path` is untouched.
BackupReport WriteFullBackup(Connection& db, const QString& path);

// One table (or view) with its rows, without a header comment, the same way. A name that is
// not a table of the connected schema fails without a file.
BackupReport WriteTableBackup(Connection& db, const QString& table, const QString& path);

}  // namespace sqltools
