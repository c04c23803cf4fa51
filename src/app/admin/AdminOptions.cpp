#include "app/admin/AdminOptions.h"

#include <QRegularExpression>

#include "platform/Environment.h"

bool IsPlainDatabaseName(const QString& name) {
    static const QRegularExpression re("^[A-Za-z0-9_$-]{1,64}$");
    return re.match(name).hasMatch();
}

bool ParseAdminOptions(const QStringList& args, AdminOptions* options, QString* error) {
    AdminOptions o;
    bool passwordGiven = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        if (!arg.startsWith("--")) {
            if (o.command.isEmpty())
                o.command = arg;
            else
                o.arguments << arg;
            continue;
        }
        QString name = arg.mid(2);
        QString value;
        const qsizetype eq = name.indexOf('=');
        if (eq >= 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        }
        static const QStringList known{"server", "port", "socket", "user", "password", "database"};
        if (!known.contains(name)) {
            if (o.command.isEmpty()) {
                *error = "ukjent valg " + arg;
                return false;
            }
            o.arguments << arg;  // the subcommand's own option
            continue;
        }
        if (eq < 0) {
            if (i + 1 >= args.size()) {
                *error = "valget --" + name + " mangler en verdi";
                return false;
            }
            value = args[++i];
        }
        if (name == "server") {
            o.server.server = value;
        } else if (name == "port") {
            bool ok = false;
            const uint port = value.toUInt(&ok);
            if (!ok || port == 0 || port > 65535) {
                *error = "ugyldig port " + value;
                return false;
            }
            o.server.port = port;
        } else if (name == "socket") {
            o.server.socket = value;
        } else if (name == "user") {
            o.server.user = value;
        } else if (name == "password") {
            o.server.password = value;
            passwordGiven = true;
        } else if (name == "database") {
            if (!IsPlainDatabaseName(value)) {
                *error = "ugyldig databasenavn \"" + value + "\"";
                return false;
            }
            o.database = value;
        }
    }
    // Scripts can keep the password off the command line.
    if (!passwordGiven) o.server.password = platform::EnvValue("VARLOKKEN_ADMIN_PASSWORD");
    *options = o;
    return true;
}

QString AdminOptionsHelp() {
    return "Valg for alle kommandoer:\n"
           "  --server <navn>     databasetjeneren (standard: localhost over socket)\n"
           "  --port <nr>         TCP-port (standard 3306)\n"
           "  --socket <sti>      Unix-socket\n"
           "  --user <navn>       databasebruker\n"
           "  --password <tekst>  passord (ellers VARLOKKEN_ADMIN_PASSWORD)\n"
           "  --database <navn>   databasen (standard \"varlokken\")\n"
           "  --help, -h          denne teksten\n";
}
