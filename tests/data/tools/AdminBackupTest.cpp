// varlokken-admin backup and restore as scripts run them: the built binary on the test server.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "SchemaParams.h"
#include "SampleRows.h"
#include "TestDatabase.h"
#include "db/Connection.h"

namespace {

struct AdminRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class AdminBackupTest : public ::testing::Test {
  protected:
    AdminBackupTest() {
        static int argc = 1;
        static char name[] = "admin_backup_test";
        static char* argv[] = {name, nullptr};
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
        EXPECT_TRUE(conn_.Connect(testsupport::SchemaParams(db_))) << conn_.LastError().toStdString();
        EXPECT_EQ(0, Run({"init"}).exitCode);
    }

    AdminRun Run(QStringList args) {
        const testsupport::ServerParams& s = db_.server();
        args << "--socket" << QString::fromStdString(s.socket) << "--user"
             << QString::fromStdString(s.user) << "--password" << QString::fromStdString(s.password)
             << "--database" << QString::fromStdString(db_.schema());
        QProcess p;
        p.start(VARLOKKEN_ADMIN, args);
        AdminRun run;
        if (!p.waitForFinished(300000)) {
            ADD_FAILURE() << "varlokken-admin did not finish";
            return run;
        }
        run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        run.out = QString::fromUtf8(p.readAllStandardOutput());
        run.err = QString::fromUtf8(p.readAllStandardError());
        return run;
    }

    // A failure is one line on stderr, named after the tool.
    static void ExpectFailure(const AdminRun& run, int exitCode, const char* what) {
        EXPECT_EQ(exitCode, run.exitCode) << what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.err.startsWith("varlokken-admin: "))
            << what << ": " << run.err.toStdString();
        EXPECT_EQ(1, run.err.count('\n')) << what << ": " << run.err.toStdString();
    }

    QString Path(const QString& name) const { return dir_.path() + '/' + name; }

    testsupport::TestDatabase db_;
    Connection conn_;
    QTemporaryDir dir_;
};

TEST_F(AdminBackupTest, BackupAndRestoreBringBackEveryRow) {
    QString error;
    ASSERT_TRUE(sampletest::FillSampleRows(conn_, &error)) << error.toStdString();
    const auto before = sampletest::SchemaState(conn_);

    const AdminRun backup = Run({"backup", "--file", Path("alt.sql")});
    ASSERT_EQ(0, backup.exitCode) << backup.err.toStdString();
    EXPECT_TRUE(backup.out.contains("Sikkerhetskopi skrevet: " + Path("alt.sql") + " (24 tabeller"))
        << backup.out.toStdString();
    const AdminRun table = Run({"backup", "--file=" + Path("orders.sql"), "--table", "orders"});
    ASSERT_EQ(0, table.exitCode) << table.err.toStdString();

    ASSERT_TRUE(sampletest::DropEverything(conn_, &error)) << error.toStdString();
    const AdminRun restore = Run({"restore", "--file", Path("alt.sql")});
    ASSERT_EQ(0, restore.exitCode) << restore.err.toStdString();
    EXPECT_TRUE(restore.err.isEmpty());
    EXPECT_EQ(before, sampletest::SchemaState(conn_));

    ASSERT_TRUE(conn_.Exec("DROP TABLE orders"));
    ASSERT_EQ(0, Run({"restore", "--file", Path("orders.sql")}).exitCode);
    EXPECT_EQ(before, sampletest::SchemaState(conn_));
}

TEST_F(AdminBackupTest, FailuresGiveTheirExitStatusAndOneLine) {
    QFile previous(Path("alt.sql"));
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("forrige");
    previous.close();
    QDir().mkpath(Path("alt.sql.tmp"));
    QFile script(Path("feil.sql"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(
        "INSERT INTO groups (group_name) VALUES ('en');\nSELEKT 2;\nINSERT INTO groups "
        "(group_name) VALUES ('tre');\n");
    script.close();

    ExpectFailure(Run({"backup"}), 2, "no file");
    ExpectFailure(Run({"backup", "--file", Path("x.sql"), "--bogus", "1"}), 2, "unknown option");
    ExpectFailure(Run({"restore", "--file"}), 2, "no value");
    ExpectFailure(Run({"backup", "--file", Path("alt.sql")}), 1, "unwritable");
    QFile check(Path("alt.sql"));
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ("forrige", check.readAll()) << "the previous backup stays";
    ExpectFailure(Run({"backup", "--file", Path("nosuch.sql"), "--table", "nosuch"}), 1,
                  "unknown table");
    EXPECT_FALSE(QFile::exists(Path("nosuch.sql")));

    const AdminRun restore = Run({"restore", "--file", Path("feil.sql")});
    ExpectFailure(restore, 1, "syntax error");
    EXPECT_TRUE(restore.err.contains("linje 2")) << restore.err.toStdString();
    EXPECT_EQ("en", conn_.Query("SELECT GROUP_CONCAT(group_name) FROM groups").Scalar());
    ExpectFailure(Run({"restore", "--file", Path("missing.sql")}), 1, "missing file");
}

}  // namespace
