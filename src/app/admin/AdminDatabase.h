#pragma once

#include <QString>

#include "app/admin/AdminCommand.h"

class Connection;
namespace schema {
struct SchemaReport;
}

// Connects to the database the options name; with createWhenMissing the
// database is created first (CREATE DATABASE IF NOT EXISTS). False with
// *error on failure.
bool ConnectAdminDatabase(const AdminOptions& options, bool createWhenMissing, Connection& db,
                          QString* error);

// The steps on out, the notes as "merk: ..." lines.
void PrintSchemaReport(const schema::SchemaReport& report, AdminIo& io);

// Subcommands without arguments of their own refuse any: a usage failure.
bool RefuseArguments(const AdminOptions& options, AdminIo& io);
