// The connect sequence against the test server: its log lines and order, the log-on values
// from the users row, administrator mode, and the bad input it must survive.
#include <QDate>
#include <QTemporaryDir>

#include "LogonFixture.h"
#include "app/logon/LocalServer.h"
#include "data/Catalogue.h"

namespace {

class ConnectSequenceTest : public LogonFixture {
  protected:
    // Runs the sequence, recording progress texts and steps.
    bool Run(const LogonRequest& request) {
        ConnectSequence sequence(dm_);
        LogonProgress progress;
        progress.text = [this](const QString& t) {
            texts_ << t;
            if (onText_) onText_(t);
        };
        progress.advance = [this] { ++steps_; };
        sequence.SetProgress(progress);
        return sequence.Connect(request);
    }
    QString Q(const QString& table) const { return Schema() + "." + table; }

    QStringList texts_;
    int steps_ = 0;
    std::function<void(const QString&)> onText_;
};

TEST_F(ConnectSequenceTest, AdministratorLogOnOpensEveryTableInOrder) {
    ASSERT_TRUE(Run(Request()));
    const LogonValues& v = ctx_.logon();
    EXPECT_EQ(v.ConnectState, 1);
    EXPECT_FALSE(v.LogonInProgress);
    EXPECT_TRUE(v.AdminMode);
    EXPECT_EQ(v.CurrentUserId, 0);
    EXPECT_EQ(v.CurrentServer, Socket());
    EXPECT_EQ(v.CurrentPassword, Password());
    EXPECT_TRUE(prompter_->messages().empty());

    QStringList expected{"Kobler til databaseserver", "Henter brukerdata", "Henter oppslag",
                         "Henter tabeller"};
    auto table = [&](const QString& key) {
        expected << "Klargjør tabellen " + key + " (LES/SKRIV)"
                 << "Åpner tabellen " + Q(key);
    };
    auto query = [&](const QString& key) {
        expected << "Klargjør tabellen (query) " + key + " (LES/SKRIV)"
                 << "Åpner Query " + key;
    };
    table("users");
    table("groups");
    table("company");
    query("contact");
    for (const char* key :
         {"calendar", "product", "productview", "package", "project", "subproject", "news"})
        table(key);
    query("document");
    table("asset");
    table("banner");
    query("jobs");
    query("items");
    for (const char* key : {"orders", "accounts", "entries", "po", "offer", "invoice"}) table(key);
    expected << "Innlogging ferdig";
    EXPECT_TRUE(LoggedInOrder(expected)) << LogMessages().join("\n").toStdString();
    EXPECT_FALSE(LogMessages().join("\n").contains("FEIL"));

    const QStringList progress{"Henter brukerdata for " + User(),
                               "Administratormodus ...",
                               "Henter firmaer for oppslag...",
                               "Henter kontakter for oppslag...",
                               "Henter brukerer for oppslag...",
                               "Henter prosjekt for oppslag...",
                               "Henter system for oppslag...",
                               "Henter tilbud for oppslag...",
                               "Henter ordre for oppslag...",
                               "Henter innkjøp for oppslag...",
                               "Henter faktura for oppslag...",
                               "Henter utstyr for oppslag...",
                               "Henter tabeller ..."};
    qsizetype at = 0;
    for (const QString& t : progress) {
        at = texts_.indexOf(t, at);
        EXPECT_GE(at, 0) << t.toStdString();
        if (at < 0) break;
    }
    EXPECT_GT(steps_, 24);
    EXPECT_LE(steps_, 40);

    EXPECT_TRUE(dm_.InvoiceTable().IsActive());
    EXPECT_TRUE(dm_.LookupQuery(Lookup::Assets).IsActive());
    EXPECT_FALSE(dm_.DeviationTable().IsActive());  // not part of the log-on
    EXPECT_EQ(dm_.EntriesTable().FilterSql(),
              DataModule::EntriesYearFilter(QDate::currentDate().year()));
}

TEST_F(ConnectSequenceTest, LogOnValuesComeFromTheUsersRow) {
    AddUserRow("users=R;\r\ncompany=R;\r\n", 3);
    const int id = std::stoi(Scalar("SELECT id FROM users WHERE username='" + User() + "'"));
    ctx_.logon().CurrentCompanyId = 0;
    ASSERT_TRUE(Run(Request()));
    const LogonValues& v = ctx_.logon();
    EXPECT_FALSE(v.AdminMode);
    EXPECT_EQ(v.CurrentUserId, id);
    EXPECT_EQ(v.CurrentGroupId, 7);
    EXPECT_EQ(v.CurrentInitials, "ON");
    EXPECT_EQ(v.CurrentUserName, User());
    EXPECT_EQ(v.CurrentRealName, "Ola Nordmann");
    EXPECT_EQ(v.CurrentDepartment, "Salg");
    EXPECT_EQ(v.CurrentCompanyId, 3);
    EXPECT_EQ(v.CurrentUserPasswd, "webpass");
    EXPECT_EQ(v.UserRights, "users=R;\r\ncompany=R;\r\n");
    EXPECT_FALSE(texts_.contains("Administratormodus ..."));
    // The user list then shows the user's own default group.
    EXPECT_EQ(dm_.UsersTable().FilterSql(), "defaultgroup=7");
    // Read right only: open read-only; no right: closed.
    EXPECT_TRUE(dm_.CompanyTable().IsActive());
    EXPECT_TRUE(dm_.CompanyTable().IsReadOnly());
    EXPECT_TRUE(Logged("Klargjør tabellen company (LES)"));
    EXPECT_FALSE(dm_.OrderTable().IsActive());
    EXPECT_TRUE(Logged("INGEN TILGANG TIL orders"));
    EXPECT_TRUE(prompter_->messages().empty());  // during the log-on: logged, not shown
}

TEST_F(ConnectSequenceTest, UserNameIsQuotedInTheUsersFilter) {
    // An account whose name holds a quote finds its own row.
    const QString account = "o'" + Schema().right(8);
    const QString sqlName = QString(account).replace("'", "''");
    Exec("CREATE USER '" + sqlName + "'@'localhost' IDENTIFIED BY 'pw'");
    Exec("GRANT ALL ON `" + Schema() + "`.* TO '" + sqlName + "'@'localhost'");
    Exec("INSERT INTO users (username, realname, defaultgroup, parameter) VALUES ('" + sqlName +
         "', 'Kari', 4, 'users=R;')");
    LogonRequest r = Request();
    r.userName = account;
    r.password = "pw";
    const bool ok = Run(r);
    Exec("DROP USER '" + sqlName + "'@'localhost'");
    ASSERT_TRUE(ok);
    EXPECT_FALSE(ctx_.logon().AdminMode);
    EXPECT_EQ(ctx_.logon().CurrentUserName, account);
    EXPECT_EQ(ctx_.logon().CurrentRealName, "Kari");
}

TEST_F(ConnectSequenceTest, ConnectsByHostAndPortToo) {
    LogonRequest r = Request();
    r.serverName = QString("127.0.0.1:%1").arg(db_.server().port);
    ASSERT_TRUE(Run(r));
    EXPECT_EQ(ctx_.logon().ConnectState, 1);
    EXPECT_EQ(ctx_.logon().CurrentServer, r.serverName);
}

TEST_F(ConnectSequenceTest, ConnectFailuresAreShownAndLeaveTheProgramWithoutData) {
    struct Case {
        const char* what;
        QString server;
        QString password;
    };
    const Case cases[] = {
        {"wrong password", Socket(), "feil-passord"},
        {"unknown server", "ingen-slik-server.invalid", Password()},
        {"nothing listens", "127.0.0.1:1", Password()},
    };
    for (const Case& c : cases) {
        prompter_->ClearEvents();
        LogonRequest r = Request();
        r.serverName = c.server;
        r.password = c.password;
        EXPECT_FALSE(Run(r)) << c.what;
        EXPECT_EQ(prompter_->messages(),
                  std::vector<QString>{"FEIL: Kan ikke koble til " + c.server})
            << c.what;
        EXPECT_TRUE(Logged("DB: Kan ikke koble til " + c.server)) << c.what;
        EXPECT_EQ(ctx_.logon().ConnectState, -1) << c.what;
        EXPECT_FALSE(ctx_.logon().LogonInProgress) << c.what;
        EXPECT_FALSE(dm_.connection().IsConnected()) << c.what;
    }
    EXPECT_FALSE(Logged("Innlogging ferdig"));
    // "Koble til database" afterwards connects over the same connection.
    EXPECT_TRUE(Run(Request()));
    EXPECT_EQ(ctx_.logon().ConnectState, 1);
}

TEST_F(ConnectSequenceTest, MissingDatabaseIsCreatedWhenTheUserSaysYes) {
    const QString name = Schema() + "_ny";
    Exec("DROP DATABASE IF EXISTS `" + name + "`");
    LogonRequest r = Request();
    r.database = name;
    prompter_->Yes();
    ASSERT_TRUE(Run(r));
    ASSERT_EQ(prompter_->events().size(), 1u);
    EXPECT_EQ(prompter_->events()[0].text,
              "Databasen " + name + " finnes ikke på " + Socket() + ". Opprette den?");
    EXPECT_FALSE(prompter_->events()[0].defaultYes);
    EXPECT_EQ(
        Scalar("SELECT COUNT(*) FROM information_schema.tables WHERE table_schema='" + name + "'"),
        "24");
    EXPECT_TRUE(dm_.CompanyTable().IsActive());
    EXPECT_TRUE(Logged("Innlogging ferdig"));
    dm_.CloseAll();
    dm_.connection().Disconnect();
    Exec("DROP DATABASE IF EXISTS `" + name + "`");
}

TEST_F(ConnectSequenceTest, MissingDatabaseDeclinedConnectsNothing) {
    LogonRequest r = Request();
    r.database = Schema() + "_finnes_ikke";
    prompter_->No();
    EXPECT_FALSE(Run(r));
    EXPECT_TRUE(prompter_->messages().empty());
    EXPECT_EQ(ctx_.logon().ConnectState, -1);
    EXPECT_TRUE(Logged("DB: Databasen " + r.database + " finnes ikke på " + Socket()));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM information_schema.schemata WHERE schema_name='" +
                     r.database + "'"),
              "0");
}

TEST_F(ConnectSequenceTest, EmptyDatabaseGetsItsTablesWhenTheUserSaysYes) {
    const QString name = Schema() + "_tom";
    Exec("CREATE DATABASE `" + name + "`");
    LogonRequest r = Request();
    r.database = name;
    prompter_->Yes();
    ASSERT_TRUE(Run(r));
    EXPECT_EQ(prompter_->events().at(0).text,
              "Databasen " + name + " på " + Socket() + " har ingen tabeller. Opprette tabellene?");
    EXPECT_TRUE(dm_.InvoiceTable().IsActive());
    dm_.CloseAll();
    dm_.connection().Disconnect();
    Exec("DROP DATABASE IF EXISTS `" + name + "`");
}

TEST_F(ConnectSequenceTest, GarbageRightsStringOpensNothingAndGoesOn) {
    AddUserRow("søppel;;==RWX=;;;users=Q;company");
    ASSERT_TRUE(Run(Request()));
    EXPECT_FALSE(ctx_.logon().AdminMode);
    EXPECT_EQ(ctx_.logon().ConnectState, 1);
    EXPECT_EQ(ctx_.logon().UserRights, "søppel;;==RWX=;;;users=Q;company");
    for (const char* key : {"users", "company", "orders", "invoice", "calendar"}) {
        EXPECT_FALSE(dm_.TableByKey(key).IsActive()) << key;
        EXPECT_TRUE(Logged(QString("INGEN TILGANG TIL ") + key)) << key;
    }
    EXPECT_TRUE(Logged("Innlogging ferdig"));
    EXPECT_TRUE(prompter_->messages().empty());
}

TEST_F(ConnectSequenceTest, EveryTableSwitchedOffStaysClosed) {
    const auto& entries = CatalogueEntries();
    for (int i = 0; i < kCatalogueUnknown; ++i)
        dm_.SetTableSwitchedOff(entries[static_cast<size_t>(i)].key, true);
    ASSERT_TRUE(Run(Request()));
    for (const char* key :
         {"users", "groups", "company", "calendar", "product", "orders", "entries", "invoice"}) {
        EXPECT_TRUE(Logged(QString("Klargjør tabellen %1 (LES/SKRIV), valgt ikke åpnes.").arg(key)))
            << key;
        EXPECT_FALSE(dm_.TableByKey(key).IsActive()) << key;
    }
    for (const char* key : {"contact", "document", "jobs", "items"}) {
        EXPECT_TRUE(
            Logged(QString("Klargjør tabellen (query) %1 (LES/SKRIV), valgt ikke åpnes.").arg(key)))
            << key;
        EXPECT_FALSE(dm_.DatasetByKey(key)->IsActive()) << key;
    }
    EXPECT_FALSE(LogMessages().join("\n").contains("Åpner tabellen"));
    EXPECT_TRUE(Logged("Innlogging ferdig"));
}

TEST_F(ConnectSequenceTest, CompanyIniFromServerSkipsAnEmptyCopy) {
    AddUserRow("users=RWDIAF;\r\ncompany=RW;\r\n", 1);
    Exec("INSERT INTO company (id, companyname, inifile) VALUES (1, 'Firma', NULL)");
    ctx_.config().WriteKey("STANDARD", "Lokal", "ja");
    LogonRequest r = Request();
    r.loadIniFromServer = true;
    ASSERT_TRUE(Run(r));
    EXPECT_EQ(ctx_.config().ReadKey("STANDARD", "Lokal"), "ja");
    EXPECT_TRUE(Logged("Inifilen på serveren er tom, den lokale beholdes."));

    Exec("UPDATE company SET inifile='[STANDARD]\r\nFraServer=ja\r\n' WHERE id=1");
    ASSERT_TRUE(Run(r));
    EXPECT_EQ(ctx_.config().ReadKey("STANDARD", "FraServer"), "ja");

    // Without "Last inifil fra server" the local file is left alone.
    ctx_.config().WriteKey("STANDARD", "FraServer", "nei");
    r.loadIniFromServer = false;
    ASSERT_TRUE(Run(r));
    EXPECT_EQ(ctx_.config().ReadKey("STANDARD", "FraServer"), "nei");
}

TEST_F(ConnectSequenceTest, RememberedLogOnIsSavedFromTheDialogPath) {
    LogonRequest r = Request();
    r.remember = true;
    ConnectSequence sequence(dm_);
    ASSERT_TRUE(sequence.RunFromDialog(r));
    EXPECT_EQ(ctx_.config().ReadKey("VARLOKKEN_SQL", "Username"), User());
    EXPECT_NE(ctx_.config().ReadKey("VARLOKKEN_SQL", "Password"), Password());
    EXPECT_EQ(ctx_.config().ReadKey("VARLOKKEN_SQL", "Servername"), Socket());
    EXPECT_EQ(ctx_.config().ReadKey("VARLOKKEN_SQL", "Database"), Schema());

    // The saved log-on is what autologon uses.
    dm_.CloseAll();
    ASSERT_TRUE(sequence.RunSaved());
    EXPECT_EQ(ctx_.logon().ConnectState, 1);
}

TEST_F(ConnectSequenceTest, AutologonWithAWrongSavedPasswordShowsTheFailure) {
    ctx_.config().WriteKey("VARLOKKEN_SQL", "Username", User());
    ctx_.config().WriteKey("VARLOKKEN_SQL", "Password", "zfeil");
    ctx_.config().WriteKey("VARLOKKEN_SQL", "Servername", Socket());
    ctx_.config().WriteKey("VARLOKKEN_SQL", "Database", Schema());
    ConnectSequence sequence(dm_);
    EXPECT_FALSE(sequence.RunSaved());
    EXPECT_EQ(prompter_->messages(), std::vector<QString>{"FEIL: Kan ikke koble til " + Socket()});
    EXPECT_EQ(ctx_.logon().ConnectState, -1);
}

// A private server of the test's own, stopped while the log-on opens its tables.
TEST_F(ConnectSequenceTest, ServerThatStopsDuringLogOnIsReported) {
    QTemporaryDir dir(QDir::tempPath() + "/vlstop-XXXXXX");
    LocalServer server(dir.path() + "/mysql", [this](const QString& t) { ctx_.log().WriteLog(t); });
    QString error;
    ASSERT_TRUE(server.Start(&error)) << error.toStdString();
    LogonRequest r;
    r.userName = LocalServer::OsUser();
    r.serverName = server.SocketPath();
    r.database = "vlstop";
    prompter_->Yes();  // create the database
    bool stopped = false;
    onText_ = [&](const QString& t) {
        if (t == "Henter tabeller ..." && !stopped) stopped = server.Stop(&error);
    };
    EXPECT_FALSE(Run(r));
    EXPECT_TRUE(stopped) << error.toStdString();
    EXPECT_EQ(ctx_.logon().ConnectState, -1);
    EXPECT_FALSE(ctx_.logon().LogonInProgress);
    EXPECT_EQ(prompter_->messages(),
              std::vector<QString>{"FEIL: Forbindelsen til " + server.SocketPath() +
                                   " ble brutt under påloggingen."});
    EXPECT_TRUE(Logged("FEIL: kan ikke åpne tabellen vlstop.invoice"));
    EXPECT_TRUE(Logged("Innlogging ferdig"));
    server.Stop(&error);
}

}  // namespace
