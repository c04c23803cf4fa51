// Dispatch of varlokken-admin to its subcommands.
#include <QCoreApplication>

#include "app/admin/AdminCommand.h"

namespace {

QString Usage() {
    QString text = "Bruk: varlokken-admin <kommando> [valg]\n\nKommandoer:\n";
    for (const AdminCommand& c : AdminCommands()) {
        text += "  " + c.name.leftJustified(10) + c.summary + '\n';
    }
    text += '\n' + AdminOptionsHelp() +
            "\nUtgangsstatus: 0 ferdig, 1 feilet, 2 feil i kommandolinjen.\n";
    return text;
}

}  // namespace

int AdminFail(AdminIo& io, const QString& message) {
    QString line = message.simplified();  // one line, whatever the server wrote
    io.err << "varlokken-admin: " << line << '\n';
    io.err.flush();
    return kAdminFailed;
}

int RunAdmin(const QStringList& args, AdminIo& io) {
    AdminOptions options;
    QString error;
    if (!ParseAdminOptions(args, &options, &error)) {
        AdminFail(io, error + " (se --help)");
        return kAdminUsage;
    }
    if (options.help) {
        io.out << Usage();
        return kAdminOk;
    }
    if (options.command.isEmpty()) {
        AdminFail(io, "ingen kommando gitt (se --help)");
        return kAdminUsage;
    }
    for (const AdminCommand& c : AdminCommands()) {
        if (c.name == options.command) {
            const int status = c.run(options, io);
            io.out.flush();
            return status;
        }
    }
    AdminFail(io, "ukjent kommando \"" + options.command + "\" (se --help)");
    return kAdminUsage;
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    QTextStream out(stdout);
    QTextStream err(stderr);
    AdminIo io{out, err};
    return RunAdmin(args, io);
}
