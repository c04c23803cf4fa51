// varlokken-admin restore: runs an SQL script (a backup) statement by statement.
#include "app/admin/AdminDatabase.h"
#include "app/admin/AdminFileArgs.h"
#include "data/tools/SqlScript.h"
#include "db/Connection.h"

int RunRestore(const AdminOptions& options, AdminIo& io) {
    QMap<QString, QString> args;
    QString error;
    if (!ParseSubcommandOptions(options.arguments, {"file"}, &args, &error)) {
        AdminFail(io, "restore: " + error);
        return kAdminUsage;
    }
    if (!args.contains("file")) {
        AdminFail(io, "restore: --file <fil> mangler");
        return kAdminUsage;
    }
    Connection db;
    // A full backup names its own database; a table backup goes into the one given here.
    if (!ConnectAdminDatabase(options, true, db, &error)) return AdminFail(io, error);
    const QString path = args.value("file");
    const sqltools::ScriptReport report = sqltools::RunScriptFile(db, path);
    if (!report.ok)
        return AdminFail(
            io,
            QString("restore stoppet i %1 etter %2 setninger: %3 (setningene før feilen er utført)")
                .arg(path)
                .arg(report.statements)
                .arg(report.error));
    io.out << "Gjenopprettet fra " << path << ": " << report.statements << " setninger\n";
    return kAdminOk;
}
