// varlokken-admin as scripts run it: the built binary against the private server.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <string>

#include "TestDatabase.h"
#include "db/Connection.h"

namespace {

struct AdminRun {
    int exitCode = -1;
    QString out;
    QString err;
};

AdminRun RunAdmin(const QStringList& args,
                  const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    static int argc = 1;
    static char name[] = "admin_tool_test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(VARLOKKEN_ADMIN, args);
    AdminRun run;
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "varlokken-admin did not finish: " << p.errorString().toStdString();
        return run;
    }
    run.exitCode = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// Failures are one line on stderr, named after the tool.
void ExpectOneLineFailure(const AdminRun& run, int exitCode) {
    EXPECT_EQ(exitCode, run.exitCode) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith("varlokken-admin: ")) << run.err.toStdString();
    EXPECT_EQ(1, run.err.count('\n')) << run.err.toStdString();
    EXPECT_TRUE(run.err.endsWith('\n'));
}

QStringList SocketArgs(const testsupport::ServerParams& s, const std::string& database) {
    return {"--socket",   QString::fromStdString(s.socket),
            "--user",     QString::fromStdString(s.user),
            "--password", QString::fromStdString(s.password),
            "--database", QString::fromStdString(database)};
}

int TableCount(const testsupport::TestDatabase& db, const std::string& schema, const char* engine) {
    return std::stoi(
        db.Scalar("SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = '" + schema +
                  "' AND ENGINE = '" + engine + "'"));
}

TEST(AdminTool, HelpListsTheCommandsAndExitsZero) {
    const AdminRun run = RunAdmin({"--help"});
    EXPECT_EQ(0, run.exitCode);
    EXPECT_TRUE(run.out.contains("init")) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("upgrade"));
    EXPECT_TRUE(run.out.contains("--database"));
    EXPECT_TRUE(run.err.isEmpty());
}

TEST(AdminTool, AWrongCommandLineIsAUsageFailure) {
    const QStringList cases[] = {
        {},
        {"frob"},
        {"--bogus", "init"},
        {"init", "--port", "x"},
        {"init", "--port", "70000"},
        {"init", "--database"},
        {"init", "--database", "a`b"},
        {"init", "--database", "x; DROP DATABASE mysql"},
        {"init", "stray"},
        {"upgrade", "--bogus"},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        ExpectOneLineFailure(RunAdmin(args), 2);
    }
}

TEST(AdminTool, InitCreatesAMissingDatabaseWithEveryTableAndCanRunAgain) {
    testsupport::TestDatabase db;
    const std::string name = db.schema() + "_a";
    const AdminRun first = RunAdmin(QStringList{"init"} + SocketArgs(db.server(), name));
    EXPECT_EQ(0, first.exitCode) << first.err.toStdString();
    EXPECT_TRUE(first.err.isEmpty());
    EXPECT_TRUE(first.out.contains("orders: tabellen opprettet")) << first.out.toStdString();
    EXPECT_EQ(24, TableCount(db, name, "InnoDB"));

    db.Exec("INSERT INTO `" + name + "`.company (companyname) VALUES ('Fjordbakst AS')");
    const AdminRun again = RunAdmin(QStringList{"init"} + SocketArgs(db.server(), name));
    EXPECT_EQ(0, again.exitCode) << again.err.toStdString();
    EXPECT_FALSE(again.out.contains("opprettet")) << again.out.toStdString();
    EXPECT_EQ("1", db.Scalar("SELECT COUNT(*) FROM `" + name + "`.company"));
    db.Exec("DROP DATABASE `" + name + "`");
}

TEST(AdminTool, InitOverTcpWithThePasswordFromTheEnvironment) {
    testsupport::TestDatabase db;
    const auto& s = db.server();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VARLOKKEN_ADMIN_PASSWORD", QString::fromStdString(s.password));
    const AdminRun run =
        RunAdmin({"init", "--server", QString::fromStdString(s.host), "--port",
                  QString::number(s.port), "--user", QString::fromStdString(s.user), "--database",
                  QString::fromStdString(db.schema())},
                 env);
    EXPECT_EQ(0, run.exitCode) << run.err.toStdString();
    EXPECT_EQ(24, TableCount(db, db.schema(), "InnoDB"));
}

TEST(AdminTool, UpgradeConvertsAnOlderDatabaseAndReportsItsSteps) {
    testsupport::TestDatabase db;
    db.Exec(
        "CREATE TABLE accounts (`id` int(11) NOT NULL AUTO_INCREMENT, `sum` float(15,2),"
        " `account` int(11), PRIMARY KEY (`id`)) ENGINE=MyISAM DEFAULT CHARSET=utf8"
        " COLLATE=utf8_unicode_ci;"
        "INSERT INTO accounts (`sum`, account) VALUES (1500.75, 1920);");
    const AdminRun run = RunAdmin(QStringList{"upgrade"} + SocketArgs(db.server(), db.schema()));
    EXPECT_EQ(0, run.exitCode) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("accounts: lagringsmotor MyISAM -> InnoDB\n"))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains("accounts.sum: float(15,2) -> decimal(15,2)\n"));
    EXPECT_EQ(24, TableCount(db, db.schema(), "InnoDB"));
    EXPECT_EQ("1500.75 1920", db.Scalar("SELECT CONCAT_WS(' ', `sum`, account) FROM accounts"));

    const AdminRun again = RunAdmin(QStringList{"upgrade"} + SocketArgs(db.server(), db.schema()));
    EXPECT_EQ(0, again.exitCode);
    EXPECT_TRUE(again.out.contains("var allerede oppdatert")) << again.out.toStdString();
}

TEST(AdminTool, ServerFailuresExitNonZeroWithOneLine) {
    testsupport::TestDatabase db;
    const auto& s = db.server();
    QStringList wrongPassword = SocketArgs(s, db.schema());
    wrongPassword[5] = "not-the-password";
    const std::string missing = db.schema() + "_missing";

    ExpectOneLineFailure(RunAdmin(QStringList{"init"} + wrongPassword), 1);
    ExpectOneLineFailure(RunAdmin(QStringList{"upgrade"} + SocketArgs(s, missing)), 1);
    EXPECT_EQ("0",
              db.Scalar("SELECT COUNT(*) FROM information_schema.SCHEMATA WHERE SCHEMA_NAME = '" +
                        missing + "'"))
        << "upgrade must not create a database";
    // Nothing listens on port 1.
    ExpectOneLineFailure(RunAdmin({"init", "--server", "127.0.0.1", "--port", "1", "--user", "x"}),
                         1);
}

}  // namespace
