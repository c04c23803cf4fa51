#pragma once

#include <QString>
#include <QStringList>

#include "db/Connection.h"

// The command line of varlokken-admin: options shared by every subcommand,
// the subcommand and what follows it.
struct AdminOptions {
    ConnectParams server;  // database stays empty; see database below
    QString database = "varlokken";
    QString command;
    QStringList arguments;  // after the subcommand, for the subcommand to read
    bool help = false;
};

// Reads "--name value" and "--name=value" options before and after the
// subcommand. Returns false with *error for an unknown option, a missing
// value, a bad port or a database name that is not a plain name.
bool ParseAdminOptions(const QStringList& args, AdminOptions* options, QString* error);

// A database name the tool accepts: letters, digits, "_", "$" and "-", at most 64.
bool IsPlainDatabaseName(const QString& name);

// The text of --help for the shared options.
QString AdminOptionsHelp();
