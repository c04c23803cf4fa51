#pragma once

#include <QList>
#include <QString>
#include <QTextStream>

#include "app/admin/AdminOptions.h"

// What a subcommand writes: progress and results to out, the one-line failure to err.
struct AdminIo {
    QTextStream& out;
    QTextStream& err;
};

// Exit status of the tool: 0 done, 1 the work failed, 2 the command line was wrong.
enum AdminExit { kAdminOk = 0, kAdminFailed = 1, kAdminUsage = 2 };

// One subcommand. Each lives in a file of its own and is listed in AdminCommands.cpp.
struct AdminCommand {
    QString name;
    QString summary;  // one line for --help
    int (*run)(const AdminOptions& options, AdminIo& io);
};

const QList<AdminCommand>& AdminCommands();

// Writes "varlokken-admin: <message>" as one line on err and returns kAdminFailed.
int AdminFail(AdminIo& io, const QString& message);

// Runs the tool on its arguments (without the program name).
int RunAdmin(const QStringList& args, AdminIo& io);
