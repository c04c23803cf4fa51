#include "app/logon/ConnectSequence.h"

#include <QDate>

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "app/logon/LocalServer.h"
#include "app/logon/NameAtHost.h"
#include "app/logon/SavedLogon.h"
#include "app/logon/ServerAddress.h"
#include "data/DataModule.h"
#include "data/schema/Schema.h"

namespace {

constexpr unsigned kUnknownDatabase = 1049;  // ER_BAD_DB_ERROR

QString DatabaseOf(const LogonRequest& request) {
    const QString db = request.database.trimmed();
    return db.isEmpty() ? LocalServer::DefaultSchema() : db;
}

QString UserOf(const LogonRequest& request) {
    const QString user = request.userName.trimmed();
    return user.isEmpty() ? LocalServer::OsUser() : user;
}

void WriteLog(const QString& text) { Ctx().log().WriteLog(text); }

}  // namespace

ConnectSequence::ConnectSequence(DataModule& dm) : dm_(dm) {}

QString ConnectSequence::ServerDisplayName(const QString& serverName) {
    const QString name = serverName.trimmed();
    return name.isEmpty() ? QStringLiteral("localhost") : name;
}

void ConnectSequence::Text(const QString& text) const {
    if (progress_.text) progress_.text(text);
}

void ConnectSequence::Advance() const {
    if (progress_.advance) progress_.advance();
}

bool ConnectSequence::RunFromDialog(LogonRequest& request) {
    LogonValues& logon = Ctx().logon();
    logon.ConnectState = 0;
    logon.LogonInProgress = true;
    Advance();

    if (progress_.showPanel) progress_.showPanel();
    const LogonFields fields =
        ParseNameAtHost({request.userName, request.serverName, request.database});
    request.userName = fields.userName;
    request.serverName = fields.serverName;
    request.database = fields.database;
    if (request.remember) {
        WriteSavedLogon(Ctx().config(), {request.userName, request.password, request.database,
                                         request.serverName, request.loadIniFromServer});
    }
    Text(QStringLiteral("kobler til %1@%2:%3")
             .arg(UserOf(request), ServerDisplayName(request.serverName), DatabaseOf(request)));
    Advance();
    return Connect(request);
}

LogonRequest SavedRequest(ConfigStore& config) {
    const SavedLogon saved = ReadSavedLogon(config);
    LogonRequest r;
    r.userName = saved.userName.isEmpty() ? LocalServer::OsUser() : saved.userName;
    r.password = saved.password;
    r.serverName = saved.serverName;
    r.database = saved.database;
    r.loadIniFromServer = saved.loadIniFromServer;
    r.remember = !saved.userName.isEmpty();
    return r;
}

bool ConnectSequence::RunSaved() {
    LogonValues& logon = Ctx().logon();
    logon.ConnectState = 0;
    logon.LogonInProgress = true;
    return Connect(SavedRequest(Ctx().config()));
}

bool ConnectSequence::Connect(const LogonRequest& request) {
    LogonValues& logon = Ctx().logon();
    logon.ConnectState = 0;
    logon.LogonInProgress = true;
    const QString server = ServerDisplayName(request.serverName);
    // The data module's log-on steps report through the same progress.
    dm_.SetProgress(progress_.text, progress_.advance);
    struct ProgressReset {
        DataModule& dm;
        ~ProgressReset() { dm.SetProgress({}, {}); }
    } reset{dm_};

    WriteLog(QStringLiteral("Kobler til databaseserver"));
    BusyCursor busy;
    const ConnectResult result = ConnectToServer(request);
    if (result != ConnectResult::Connected) {
        if (result == ConnectResult::Failed) {
            ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Kan ikke koble til ") + server);
            WriteLog(QStringLiteral("DB: Kan ikke koble til ") + server);
            if (!dm_.connection().LastError().isEmpty())
                WriteLog(QStringLiteral("DB: ") + dm_.connection().LastError());
        }
        logon.ConnectState = -1;
        logon.LogonInProgress = false;
        return false;
    }
    logon.ConnectState = 1;
    Advance();

    ReadUser(UserOf(request));
    logon.CurrentServer = server;
    logon.CurrentPassword = request.password;
    Advance();

    WriteLog(QStringLiteral("Henter oppslag"));
    dm_.OpenLookups();
    Advance();

    OpenTables(request.loadIniFromServer);
    Advance();

    // A server that went away on the way leaves the program without data: say so.
    if (!dm_.connection().IsConnected()) {
        ShowMessage(QStringLiteral("FEIL"),
                    QStringLiteral("Forbindelsen til %1 ble brutt under påloggingen.").arg(server));
        WriteLog(QStringLiteral("DB: Forbindelsen til %1 ble brutt under påloggingen").arg(server));
        logon.ConnectState = -1;
    }
    logon.LogonInProgress = false;
    WriteLog(QStringLiteral("Innlogging ferdig"));
    Advance();
    return logon.ConnectState == 1;
}

ConnectSequence::ConnectResult ConnectSequence::ConnectToServer(const LogonRequest& request) {
    Connection& db = dm_.connection();
    const QString database = DatabaseOf(request);
    const ServerAddress address = ParseServerAddress(request.serverName);
    const bool local = address.kind == ServerAddress::Kind::Local;
    ConnectParams params;
    params.user = UserOf(request);
    params.password = request.password;
    params.database = database;
    if (local) {
        LocalServer server(LocalServer::FolderOf(Ctx().config()), WriteLog);
        Text(QStringLiteral("Starter lokal databaseserver ..."));
        QString error;
        if (!server.Start(&error)) {
            WriteLog(QStringLiteral("FEIL: lokal databaseserver: ") + error);
            db.SetError(error);
            return ConnectResult::Failed;
        }
        params = server.Params(params.user, params.password, database);
    } else if (address.kind == ServerAddress::Kind::Socket) {
        params.socket = address.socket;
    } else {
        params.server = address.host;
        params.port = address.port;
    }

    // "Koble til database" connects again over the same connection and datasets.
    dm_.CloseAll();
    db.Disconnect();
    if (db.Connect(params)) {
        EnsureTables(local, true, database, ServerDisplayName(request.serverName));
        return ConnectResult::Connected;
    }
    if (db.LastErrno() != kUnknownDatabase) return ConnectResult::Failed;
    return CreateMissingDatabase(params, local, ServerDisplayName(request.serverName));
}

ConnectSequence::ConnectResult ConnectSequence::CreateMissingDatabase(const ConnectParams& params,
                                                                      bool local,
                                                                      const QString& server) {
    Connection& db = dm_.connection();
    const QString database = params.database;
    if (local) {
        WriteLog(QStringLiteral("Lokal databaseserver: oppretter databasen ") + database);
    } else if (!AskYesNo(QStringLiteral("Databasen %1 finnes ikke på %2. Opprette den?").arg(database, server),
                         false)) {
        WriteLog(QStringLiteral("DB: Databasen %1 finnes ikke på %2").arg(database, server));
        return ConnectResult::Declined;
    }
    ConnectParams withoutDatabase = params;
    withoutDatabase.database.clear();
    if (!db.Connect(withoutDatabase)) return ConnectResult::Failed;
    if (!db.Exec(QStringLiteral("CREATE DATABASE IF NOT EXISTS ") + Connection::QuoteIdentifier(database) +
                 QStringLiteral(" CHARACTER SET utf8mb4 COLLATE utf8mb4_general_ci"))) {
        const QString why = db.LastError();
        ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Kan ikke opprette databasen %1: %2").arg(database, why));
        WriteLog(QStringLiteral("FEIL: kan ikke opprette databasen %1: %2").arg(database, why));
        db.Disconnect();
        return ConnectResult::Declined;
    }
    WriteLog(QStringLiteral("Databasen %1 er opprettet på %2").arg(database, server));
    db.Disconnect();
    if (!db.Connect(params)) return ConnectResult::Failed;
    EnsureTables(local, false, database, server);
    return ConnectResult::Connected;
}

void ConnectSequence::EnsureTables(bool local, bool ask, const QString& database, const QString& server) {
    Connection& db = dm_.connection();
    const QueryResult r = db.Query(
        QStringLiteral("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema=DATABASE()"));
    if (!r.ok() || r.IsEmpty() || r.Text(0, 0).toInt() > 0) return;
    if (!local && ask &&
        !AskYesNo(QStringLiteral("Databasen %1 på %2 har ingen tabeller. Opprette tabellene?").arg(database, server),
                  true)) {
        WriteLog(QStringLiteral("ADVARSEL: databasen %1 på %2 har ingen tabeller").arg(database, server));
        return;
    }
    Text(QStringLiteral("Oppretter tabellene ..."));
    WriteLog(QStringLiteral("Oppretter tabellene i databasen ") + database);
    const schema::SchemaReport report = schema::CreateSchema(db);
    if (!report.ok) {
        ShowMessage(QStringLiteral("FEIL"),
                    QStringLiteral("Kan ikke opprette tabellene i databasen %1: %2").arg(database, report.error));
        WriteLog(QStringLiteral("FEIL: kan ikke opprette tabellene i databasen %1: %2").arg(database, report.error));
    }
}

void ConnectSequence::ReadUser(const QString& userName) {
    LogonValues& logon = Ctx().logon();
    WriteLog(QStringLiteral("Henter brukerdata"));
    Text(QStringLiteral("Henter brukerdata for ") + userName);
    Table& users = dm_.UsersTable();
    users.Close();
    users.SetFilterSql(QStringLiteral("username=") + dm_.connection().Quote(userName));
    const bool opened = users.Open();
    const bool found = opened && !users.IsEmpty();
    if (!opened) {
        WriteLog(QStringLiteral("FEIL: kan ikke lese brukerdata for %1: %2").arg(userName, users.LastError()));
    } else if (!found) {
        logon.AdminMode = true;
        Text(QStringLiteral("Administratormodus ..."));
    }
    if (found) users.First();
    auto text = [&](const char* column) { return found ? users.AsString(QLatin1String(column)) : QString(); };
    auto number = [&](const char* column) {
        return found ? static_cast<int>(users.AsInteger(QLatin1String(column))) : 0;
    };
    logon.CurrentUserId = number("id");
    logon.CurrentGroupId = number("defaultgroup");
    logon.CurrentInitials = text("initials");
    logon.CurrentUserName = text("username");
    logon.CurrentRealName = text("realname");
    logon.CurrentDepartment = text("department");
    if (const int company = number("companyid"); company != 0) logon.CurrentCompanyId = company;
    logon.CurrentUserPasswd = text("passwd");
    logon.UserRights = text("parameter");
    users.Close();
    // The user list then shows the users of the user's own default group.
    users.SetFilterSql(QStringLiteral("defaultgroup=") + QString::number(logon.CurrentGroupId));
}

void ConnectSequence::OpenTables(bool loadIniFromServer) {
    WriteLog(QStringLiteral("Henter tabeller"));
    Text(QStringLiteral("Henter tabeller ..."));
    dm_.PrepareTable(dm_.UsersTable());
    dm_.PrepareTable(dm_.GroupsTable());
    dm_.PrepareTable(dm_.CompanyTable());
    if (loadIniFromServer && Ctx().logon().CurrentCompanyId != 0) dm_.ApplyCompanyIniFromServer();
    dm_.PrepareQuery(dm_.ContactQuery(), QStringLiteral("contact"));
    dm_.PrepareTable(dm_.CalendarTable());
    dm_.ApplyLastProductTable();
    dm_.PrepareTable(dm_.ProductTable());
    dm_.PrepareTable(dm_.ProductGroupTable());
    dm_.PrepareTable(dm_.PackageTable());
    dm_.PrepareTable(dm_.ProjectTable());
    dm_.PrepareTable(dm_.SubProjectTable());
    dm_.PrepareTable(dm_.NewsTable());
    dm_.PrepareQuery(dm_.DocumentQuery(), QStringLiteral("document"));
    dm_.PrepareTable(dm_.AssetTable());
    dm_.PrepareTable(dm_.BannerTable());
    dm_.PrepareQuery(dm_.JobsQuery(), QStringLiteral("jobs"));
    dm_.PrepareQuery(dm_.ItemsQuery(), QStringLiteral("items"));
    dm_.PrepareTable(dm_.OrderTable());
    dm_.PrepareTable(dm_.AccountTable());
    dm_.EntriesTable().SetFilterSql(DataModule::EntriesYearFilter(QDate::currentDate().year()));
    dm_.PrepareTable(dm_.EntriesTable());
    dm_.PrepareTable(dm_.POTable());
    dm_.PrepareTable(dm_.OfferTable());
    dm_.PrepareTable(dm_.InvoiceTable());
}
