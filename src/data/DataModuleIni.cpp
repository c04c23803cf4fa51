// The ini files kept in the database: users.inifile and company.inifile.
#include <QFile>
#include <QFileInfo>

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "data/DataModule.h"
#include "platform/AtomicFile.h"

namespace {

const QString kLogonSection = QStringLiteral("VARLOKKEN_SQL");
// The saved log-on of one workstation: never shared through the database.
const QString kLogonKeys[] = {QStringLiteral("Username"), QStringLiteral("Password")};

void RemoveLogonKeys(IniFile& ini) {
    for (const QString& key : kLogonKeys)
        while (ini.RemoveKey(kLogonSection, key)) {
        }
}

// Puts `text` into the inifile column of the table's current row.
bool StoreIniText(Table& table, const QString& text) {
    Log& log = Ctx().log();
    if (!table.Edit() || !table.SetString(QStringLiteral("inifile"), text) || !table.Post()) {
        log.WriteLog(QStringLiteral("FEIL: kan ikke lagre inifilen i tabellen ") + table.TableName() +
                     QStringLiteral(": ") + table.LastError());
        table.Cancel();
        return false;
    }
    return true;
}

// Runs `store` on the rows of `table` that `filter` selects, then puts the table's filter
// (and closed state) back as the windows left it.
template <class Store>
bool WithFilter(Table& table, const QString& filter, Store store) {
    const QString previous = table.FilterSql();
    const bool wasOpen = table.IsActive();
    table.SetFilterSql(filter);
    bool ok = table.IsActive() || table.Open();
    if (!ok) {
        Ctx().log().WriteLog(QStringLiteral("FEIL: kan ikke åpne tabellen ") + table.TableName() +
                             QStringLiteral(": ") + table.LastError());
    } else if (!table.IsEmpty()) {
        ok = store(table);
    }
    table.SetFilterSql(previous);
    if (!wasOpen) table.Close();
    return ok;
}

}  // namespace

QString DataModule::CompanyIniTextForServer() {
    ConfigStore& config = Ctx().config();
    IniFile copy;
    if (!config.UserIniOpen()) {
        copy = config.ConfigFile();
    } else if (!config.CompanyIniPath().isEmpty()) {
        copy.Load(config.CompanyIniPath());
    }
    RemoveLogonKeys(copy);
    return QString::fromUtf8(copy.ToBytes());
}

bool DataModule::UpDateIniFiles() {
    AppContext& ctx = Ctx();
    const LogonValues& logon = ctx.logon();
    if (logon.ConnectState != 1) return false;
    BusyCursor busy;
    ConfigStore& config = ctx.config();

    const QString companyText = CompanyIniTextForServer();
    // Opening the per-user ini writes the company ini to disk first.
    config.OpenUserIni();
    const QString userText = QString::fromUtf8(config.ConfigFile().ToBytes());
    config.CloseUserIni();

    bool ok = WithFilter(UsersTable(), QStringLiteral("username=") + connection_.Quote(logon.CurrentUserName),
                         [&](Table& t) { return StoreIniText(t, userText); });
    if (logon.CurrentCompanyId != 0) {
        ok = WithFilter(CompanyTable(), QStringLiteral("id=") + QString::number(logon.CurrentCompanyId),
                        [&](Table& t) { return StoreIniText(t, companyText); }) &&
             ok;
    }
    return ok;
}

bool DataModule::ApplyCompanyIniFromServer() {
    AppContext& ctx = Ctx();
    Log& log = ctx.log();
    ConfigStore& config = ctx.config();
    const int companyId = ctx.logon().CurrentCompanyId;
    if (companyId == 0) return false;
    const QueryResult r =
        connection_.Query(QStringLiteral("SELECT inifile FROM company WHERE id=") + QString::number(companyId));
    if (!r.ok()) {
        log.WriteLog(QStringLiteral("FEIL: kan ikke lese inifilen fra serveren: ") + r.Error());
        return false;
    }
    if (r.IsEmpty()) return false;
    const QString text = r.Text(0, 0);
    if (r.IsNull(0, 0) || text.trimmed().isEmpty()) {
        log.WriteLog(QStringLiteral("Inifilen på serveren er tom, den lokale beholdes."));
        return false;
    }
    if (config.UserIniOpen()) {
        log.WriteLog(QStringLiteral("FEIL: inifilen fra serveren kan ikke tas i bruk mens brukerens inifil er åpen"));
        return false;
    }

    // The server's copy with this workstation's own saved log-on.
    IniFile server;
    server.Parse(text.toUtf8());
    RemoveLogonKeys(server);
    for (const QString& key : kLogonKeys) {
        if (config.ConfigFile().HasKey(kLogonSection, key))
            server.SetValue(kLogonSection, key, config.ConfigFile().Value(kLogonSection, key));
    }

    const QString path = config.CompanyIniPath();
    if (path.isEmpty()) {  // no file: the store works in memory
        config.ConfigFile() = server;
        config.ConfigFile().SetModified(true);
        return true;
    }
    if (config.CompanyIniReadOnly()) {
        log.WriteLog(QStringLiteral("ADVARSEL: ") + path +
                     QStringLiteral(" er skrivebeskyttet; inifilen fra serveren er ikke tatt i bruk"));
        return false;
    }
    // The company file is free while the per-user ini is the open one; opening it writes
    // the local changes to disk, so the backup holds them.
    config.OpenUserIni();
    bool ok = true;
    QString error;
    QFile current(path);
    if (current.exists()) {
        if (!current.open(QIODevice::ReadOnly)) {
            ok = false;
            error = current.errorString();
        } else {
            const QByteArray previous = current.readAll();
            current.close();
            ok = platform::WriteFileAtomic(path + QStringLiteral(".bak"), previous, &error);
        }
    }
    if (ok) ok = platform::WriteFileAtomic(path, server.ToBytes(), &error);
    config.CloseUserIni();
    if (!ok) {
        log.WriteLog(QStringLiteral("FEIL: kan ikke erstatte ") + path + QStringLiteral(" med inifilen fra serveren: ") + error);
        return false;
    }
    config.OpenCompanyIni(path);  // read the new file
    log.WriteLog(QStringLiteral("Inifil hentet fra serveren: ") + path);
    return true;
}
