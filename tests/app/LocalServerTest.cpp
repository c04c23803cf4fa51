// The workstation's private database server, for real: first start from an empty folder
// tree (initialise, start, schema, administrator log-on as the system user), stop, a second
// start on the same data, the short socket for deep folders, and varlokken-admin local-server.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"
#include "app/logon/ConnectSequence.h"
#include "app/logon/LocalServer.h"
#include "data/DataModule.h"

namespace {

// A fresh program folder tree: $APPDATA points into a temporary folder.
class LocalServerTest : public ::testing::Test {
  protected:
    LocalServerTest() : dir_(QDir::tempPath() + "/vlls-XXXXXX") {
        const QByteArray old = qgetenv("APPDATA");
        hadAppData_ = !old.isNull();
        oldAppData_ = old;
        qputenv("APPDATA", dir_.path().toUtf8());
    }
    ~LocalServerTest() override {
        LocalServer(dir_.path() + "/Sevrante/data/mysql").Stop(nullptr);
        if (hadAppData_)
            qputenv("APPDATA", oldAppData_);
        else
            qunsetenv("APPDATA");
    }

    QTemporaryDir dir_;
    bool hadAppData_ = false;
    QByteArray oldAppData_;
};

QStringList Messages(const Log& log) {
    QStringList out;
    for (const QString& line : log.Lines()) out << line.section(QLatin1Char(' '), 2);
    return out;
}

TEST_F(LocalServerTest, FirstStartNeedsNothingButLogOnAndTheSecondReusesTheData) {
    ASSERT_TRUE(dir_.isValid());
    const QString folder = dir_.path() + "/Sevrante/data/mysql/";
    {
        auto* prompter = new testsupport::ScriptedPrompter;  // any question fails the test
        AppContext ctx{std::unique_ptr<Prompter>(prompter)};
        ctx.log().SetLoggingOn(true);
        DataModule dm;
        EXPECT_EQ(LocalServer::FolderOf(ctx.config()), folder);
        ConnectSequence sequence(dm);
        ASSERT_TRUE(sequence.RunSaved()) << Messages(ctx.log()).join("\n").toStdString();
        EXPECT_TRUE(prompter->events().empty());
        EXPECT_EQ(ctx.logon().ConnectState, 1);
        EXPECT_TRUE(ctx.logon().AdminMode);  // no users row yet
        EXPECT_EQ(ctx.logon().CurrentServer, "localhost");
        EXPECT_EQ(dm.connection().Params().user, LocalServer::OsUser());
        EXPECT_EQ(dm.SchemaName(), "varlokken");
        EXPECT_TRUE(dm.InvoiceTable().IsActive());
        const QString log = Messages(ctx.log()).join("\n");
        EXPECT_TRUE(log.contains("Lokal databaseserver: oppretter databasefilene i " + folder));
        EXPECT_TRUE(log.contains("Lokal databaseserver startet (pid "));
        EXPECT_TRUE(log.contains("Oppretter tabellene i databasen varlokken"));
        EXPECT_TRUE(ctx.log().Lines().last().endsWith("Innlogging ferdig"));
        ASSERT_TRUE(dm.connection().Exec("INSERT INTO company (companyname) VALUES ('Lokal AS')"));
    }
    LocalServer server(folder);
    EXPECT_NE(server.RunningPid(), 0) << "keeps running after the program";
    EXPECT_TRUE(QFileInfo(server.SocketPath()).exists());
    QString error;
    ASSERT_TRUE(server.Stop(&error)) << error.toStdString();
    EXPECT_EQ(server.RunningPid(), 0);
    EXPECT_FALSE(QFileInfo::exists(server.PidFile()));
    EXPECT_TRUE(server.Stop(&error)) << "stopping a stopped server is fine";

    auto* prompter = new testsupport::ScriptedPrompter;
    AppContext ctx{std::unique_ptr<Prompter>(prompter)};
    ctx.log().SetLoggingOn(true);
    DataModule dm;
    ConnectSequence sequence(dm);
    ASSERT_TRUE(sequence.RunSaved());
    const QString log = Messages(ctx.log()).join("\n");
    EXPECT_FALSE(log.contains("oppretter databasefilene"));
    EXPECT_FALSE(log.contains("Oppretter tabellene"));
    ASSERT_TRUE(dm.CompanyTable().IsActive());
    EXPECT_TRUE(dm.CompanyTable().Locate("companyname", "Lokal AS"));
}

TEST(LocalServerPaths, DeepFolderGetsAShortSocketOfItsOwn) {
    const QString deep = "/tmp/" + QString("dyp/").repeated(30) + "mysql";
    const LocalServer a(deep);
    EXPECT_TRUE(a.SocketMovedOut());
    EXPECT_LE(a.SocketPath().toUtf8().size(), 100);
    EXPECT_EQ(LocalServer(deep).SocketPath(), a.SocketPath());
    EXPECT_NE(LocalServer(deep + "2").SocketPath(), a.SocketPath());
    EXPECT_EQ(a.PidFile(), deep + "/mariadb.pid");

    const LocalServer shallow("/tmp/vl/mysql/");
    EXPECT_FALSE(shallow.SocketMovedOut());
    EXPECT_EQ(shallow.SocketPath(), "/tmp/vl/mysql/sock");
}

TEST(LocalServerPaths, AStalePidFileIsNotARunningServer) {
    QTemporaryDir dir;
    const LocalServer server(dir.path());
    QFile f(server.PidFile());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        QByteArray::number(QCoreApplication::applicationPid()));  // a live process, not a server
    f.close();
    EXPECT_EQ(server.RunningPid(), 0);
    EXPECT_TRUE(server.StatusText().contains("er ikke opprettet"));
}

struct AdminRun {
    int exitCode = -1;
    QString out;
    QString err;
};

AdminRun Admin(const QStringList& args) {
    QProcess p;
    p.start(VARLOKKEN_ADMIN, args);
    AdminRun run;
    if (!p.waitForFinished(300000)) return run;
    run.exitCode = p.exitCode();
    run.out = QString::fromUtf8(p.readAllStandardOutput());
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

TEST(LocalServerAdmin, StartStatusStopByItsOwnPidFile) {
    QTemporaryDir dir(QDir::tempPath() + "/vlla-XXXXXX");
    const QString folder = "--folder=" + dir.path() + "/mysql";
    AdminRun r = Admin({"local-server", "status", folder});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.contains("er ikke opprettet")) << r.out.toStdString();

    r = Admin({"local-server", "start", folder});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Lokal databaseserver kjører: pid")) << r.out.toStdString();

    r = Admin({"local-server", "status", folder});
    EXPECT_EQ(r.exitCode, 0);
    const LocalServer server(dir.path() + "/mysql");
    EXPECT_TRUE(server.Answers());

    r = Admin({"local-server", "stop", folder});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(server.RunningPid(), 0);
    EXPECT_FALSE(server.Answers());

    r = Admin({"local-server", "restart", folder});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_TRUE(r.err.startsWith("varlokken-admin: "));
}

}  // namespace
