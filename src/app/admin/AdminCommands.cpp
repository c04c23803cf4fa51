#include "app/admin/AdminCommand.h"

int RunInit(const AdminOptions& options, AdminIo& io);
int RunUpgrade(const AdminOptions& options, AdminIo& io);
int RunLocalServer(const AdminOptions& options, AdminIo& io);
int RunBackup(const AdminOptions& options, AdminIo& io);
int RunRestore(const AdminOptions& options, AdminIo& io);
int RunDemo(const AdminOptions& options, AdminIo& io);

const QList<AdminCommand>& AdminCommands() {
    static const QList<AdminCommand> commands{
        {"init", "oppretter databasen og tabellene som mangler", RunInit},
        {"upgrade", "bringer en eldre database til dagens tabeller uten å miste rader", RunUpgrade},
        {"backup", "--file <fil> [--table <tabell>]: sikkerhetskopi som SQL-skript", RunBackup},
        {"restore", "--file <fil>: kjører et SQL-skript (en sikkerhetskopi)", RunRestore},
        {"demo", "legger inn noen firmaer, kontakter og varer til demonstrasjon (de som finnes står)", RunDemo},
        {"local-server", "start, stop eller status for arbeidsstasjonens egen databaseserver", RunLocalServer},
    };
    return commands;
}
