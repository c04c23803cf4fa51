#include "data/tools/SqlToolCommands.h"

#include <QFileInfo>

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "data/DataModule.h"
#include "data/tools/Backup.h"

namespace {

const QString kLastTableKey = QStringLiteral("Last_Backup_Table");

// The log lines of a backup, and its failure on screen.
bool ReportBackup(const sqltools::BackupReport& report, const QString& path, bool hadFile) {
    Log& log = Ctx().log();
    for (const QString& table : report.missingTables)
        log.WriteLog(
            QStringLiteral("ADVARSEL: tabellen %1 finnes ikke i databasen og er ikke med i %2")
                .arg(table, path));
    for (const QString& account : report.skippedAccounts)
        log.WriteLog(
            QStringLiteral("ADVARSEL: brukerkontoen %1 kunne ikke leses og er ikke med i %2")
                .arg(account, path));
    if (report.ok) {
        log.WriteLog(
            QStringLiteral("Sikkerhetskopi skrevet: %1 (%2 tabeller, %3 rader, %4 brukere)")
                .arg(path)
                .arg(report.tables)
                .arg(report.rows)
                .arg(report.accounts.size()));
        return true;
    }
    log.WriteLog(
        QStringLiteral("FEIL: sikkerhetskopien %1 ble ikke laget: %2").arg(path, report.error));
    QString text =
        QStringLiteral("Sikkerhetskopien %1 ble ikke laget:\n%2").arg(path, report.error);
    if (hadFile) text += QStringLiteral("\n\nDen forrige sikkerhetskopien i filen er uendret.");
    ShowMessage(QStringLiteral("FEIL"), text);
    return false;
}

// A table name that can be used as a file name in the backup folder.
bool IsPlainFileName(const QString& name) {
    return name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           !name.contains(QChar(0));
}

}  // namespace

QString BackupFolder() { return Ctx().config().sevrantepath(QStringLiteral("backup")); }

bool RunSqlCommand() {
    const QString sql = AskInput(QStringLiteral("Utfør SQL:"), QString());
    if (sql.trimmed().isEmpty()) return false;
    DataModule& dm = DM();
    if (dm.ExecSql(sql)) return true;
    ShowMessage(QStringLiteral("FEIL"),
                QStringLiteral("SQL-setningen ble ikke utført:\n") + dm.LastSqlError());
    return false;
}

bool RunSqlFileCommand() {
    const QString path = ChooseOpenFile(QStringLiteral("Kjør SQL fra fil"), BackupFolder(),
                                        QStringLiteral("SQL (*.sql);;Alle filer (*.*)"));
    if (path.isEmpty()) return false;
    DataModule& dm = DM();
    if (dm.RunSqlScript(path)) return true;
    ShowMessage(QStringLiteral("FEIL"),
                QStringLiteral("SQL-skriptet %1 stoppet med en feil:\n%2\n\n"
                               "Setningene før feilen er utført.")
                    .arg(path, dm.LastSqlError()));
    return false;
}

bool BackupAllCommand() {
    BusyCursor busy;
    const QString path = BackupFolder() + QStringLiteral("backup.sql");
    const bool hadFile = QFileInfo::exists(path);
    Ctx().log().WriteLog(QStringLiteral("Sikkerhetskopi av alle tabeller til ") + path);
    return ReportBackup(sqltools::WriteFullBackup(DM().connection(), path), path, hadFile);
}

bool BackupTableCommand() {
    ConfigStore& config = Ctx().config();
    const QString last = config.ReadKey(ConfigStore::StandardSection, kLastTableKey);
    const QString name = AskInput(QStringLiteral("Tabellnavn"), last).trimmed();
    if (name.isEmpty()) return false;
    config.WriteKey(ConfigStore::StandardSection, kLastTableKey, name);

    BusyCursor busy;
    DataModule& dm = DM();
    QString error;
    const QString kind =
        IsPlainFileName(name) ? sqltools::TableKind(dm.connection(), name, &error) : QString();
    if (!error.isEmpty()) {
        Ctx().log().WriteLog(
            QStringLiteral("FEIL: sikkerhetskopi av tabellen %1: %2").arg(name, error));
        ShowMessage(
            QStringLiteral("FEIL"),
            QStringLiteral("Sikkerhetskopien av tabellen %1 ble ikke laget:\n%2").arg(name, error));
        return false;
    }
    if (kind.isEmpty()) {
        Ctx().log().WriteLog(
            QStringLiteral("FEIL: sikkerhetskopi: tabellen %1 finnes ikke").arg(name));
        ShowMessage(
            QStringLiteral("FEIL"),
            QStringLiteral("Tabellen %1 finnes ikke i databasen %2.").arg(name, dm.SchemaName()));
        return false;
    }
    const QString path = BackupFolder() + name + QStringLiteral(".sql");
    const bool hadFile = QFileInfo::exists(path);
    Ctx().log().WriteLog(QStringLiteral("Sikkerhetskopi av tabellen %1 til %2").arg(name, path));
    return ReportBackup(sqltools::WriteTableBackup(dm.connection(), name, path), path, hadFile);
}
