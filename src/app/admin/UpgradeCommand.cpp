// varlokken-admin upgrade: brings an existing database to the current tables in place.
#include "app/admin/AdminDatabase.h"
#include "data/schema/Schema.h"
#include "db/Connection.h"

int RunUpgrade(const AdminOptions& options, AdminIo& io) {
    if (RefuseArguments(options, io)) return kAdminUsage;
    Connection db;
    QString error;
    // An upgrade works on a database that exists; a missing one is an error, not created.
    if (!ConnectAdminDatabase(options, false, db, &error)) return AdminFail(io, error);
    const schema::SchemaReport report = schema::UpgradeSchema(db);
    PrintSchemaReport(report, io);
    if (!report.ok) return AdminFail(io, "upgrade stoppet: " + report.error);
    io.out << (report.steps.isEmpty()
                   ? "Databasen " + options.database + " var allerede oppdatert.\n"
                   : "Databasen " + options.database + " er oppgradert.\n");
    return kAdminOk;
}
