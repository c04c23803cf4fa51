// varlokken-admin init: creates the database when missing and every missing table.
#include "app/admin/AdminDatabase.h"
#include "data/schema/Schema.h"
#include "db/Connection.h"

int RunInit(const AdminOptions& options, AdminIo& io) {
    if (RefuseArguments(options, io)) return kAdminUsage;
    Connection db;
    QString error;
    if (!ConnectAdminDatabase(options, true, db, &error)) return AdminFail(io, error);
    const schema::SchemaReport report = schema::CreateSchema(db);
    PrintSchemaReport(report, io);
    if (!report.ok) return AdminFail(io, "init stoppet: " + report.error);
    io.out << "Databasen " << options.database << " er klar.\n";
    return kAdminOk;
}
