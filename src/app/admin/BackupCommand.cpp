// varlokken-admin backup: the whole database, or one table, as an SQL script.
#include "app/admin/AdminDatabase.h"
#include "app/admin/AdminFileArgs.h"
#include "data/tools/Backup.h"
#include "db/Connection.h"

int RunBackup(const AdminOptions& options, AdminIo& io) {
    QMap<QString, QString> args;
    QString error;
    if (!ParseSubcommandOptions(options.arguments, {"file", "table"}, &args, &error)) {
        AdminFail(io, "backup: " + error);
        return kAdminUsage;
    }
    if (!args.contains("file")) {
        AdminFail(io, "backup: --file <fil> mangler");
        return kAdminUsage;
    }
    Connection db;
    if (!ConnectAdminDatabase(options, false, db, &error)) return AdminFail(io, error);
    const QString path = args.value("file");
    const bool single = args.contains("table");
    const sqltools::BackupReport report =
        single ? sqltools::WriteTableBackup(db, args.value("table"), path)
               : sqltools::WriteFullBackup(db, path);
    for (const QString& table : report.missingTables)
        io.out << "merk: tabellen " << table << " finnes ikke\n";
    for (const QString& account : report.skippedAccounts)
        io.out << "merk: brukerkontoen " << account << " kunne ikke leses og er ikke med\n";
    if (!report.ok) return AdminFail(io, "backup ble ikke laget (" + path + "): " + report.error);
    io.out << "Sikkerhetskopi skrevet: " << path << " (" << report.tables << " tabeller, "
           << report.rows << " rader";
    if (!single)
        io.out << ", " << report.views.size() << " visninger, " << report.accounts.size()
               << " brukere";
    io.out << ")\n";
    return kAdminOk;
}
