// varlokken-admin local-server start|stop|status [--folder <dir>]: the workstation's private
// database server that the program starts when no server is named.
#include <QDir>

#include "app/admin/AdminCommand.h"
#include "app/logon/LocalServer.h"

int RunLocalServer(const AdminOptions& options, AdminIo& io) {
    QString action;
    QString folder;
    const QStringList& args = options.arguments;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg.startsWith(QLatin1String("--folder="))) {
            folder = arg.mid(9);
        } else if (arg == QLatin1String("--folder") && i + 1 < args.size()) {
            folder = args[++i];
        } else if (action.isEmpty() && !arg.startsWith(QLatin1String("--"))) {
            action = arg;
        } else {
            AdminFail(io, "local-server: ukjent argument " + arg + " (start, stop eller status)");
            return kAdminUsage;
        }
    }
    if (action != "start" && action != "stop" && action != "status") {
        AdminFail(io, "local-server trenger start, stop eller status");
        return kAdminUsage;
    }
    if (folder.isEmpty()) folder = LocalServer::FolderForTools(QDir::currentPath());
    LocalServer server(folder, [&io](const QString& text) {
        io.out << text << '\n';
        io.out.flush();
    });
    QString error;
    if (action == "status") {
        io.out << server.StatusText() << '\n';
        return server.RunningPid() != 0 ? kAdminOk : kAdminFailed;
    }
    if (action == "start") {
        if (!server.Start(&error)) return AdminFail(io, "local-server start: " + error);
        io.out << server.StatusText() << '\n';
        return kAdminOk;
    }
    if (!server.Stop(&error)) return AdminFail(io, "local-server stop: " + error);
    return kAdminOk;
}
