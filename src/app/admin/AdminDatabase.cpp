#include "app/admin/AdminDatabase.h"

#include "data/schema/Schema.h"
#include "db/Connection.h"

bool ConnectAdminDatabase(const AdminOptions& options, bool createWhenMissing, Connection& db,
                          QString* error) {
    ConnectParams params = options.server;
    if (createWhenMissing) {
        params.database.clear();
        if (!db.Connect(params) ||
            !db.Exec("CREATE DATABASE IF NOT EXISTS " +
                     Connection::QuoteIdentifier(options.database) + " CHARACTER SET utf8mb4")) {
            *error = db.LastError();
            return false;
        }
        db.Disconnect();
    }
    // Connect again with the database named, so a reconnect after a loss comes back to it.
    params.database = options.database;
    if (!db.Connect(params)) {
        *error = db.LastError();
        return false;
    }
    return true;
}

void PrintSchemaReport(const schema::SchemaReport& report, AdminIo& io) {
    for (const QString& step : report.steps) io.out << step << '\n';
    for (const QString& note : report.notes) io.out << "merk: " << note << '\n';
    io.out.flush();
}

bool RefuseArguments(const AdminOptions& options, AdminIo& io) {
    if (options.arguments.isEmpty()) return false;
    AdminFail(io, options.command + " tar ingen argumenter: " + options.arguments.join(' '));
    return true;
}
