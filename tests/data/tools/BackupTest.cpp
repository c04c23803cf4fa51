// The dump writer and the script runner: backups that bring every row back exactly, and
// failures that leave the previous backup alone.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/resource.h>
#include <csignal>
#include <functional>

#include "SampleRows.h"
#include "ToolsFixture.h"
#include "data/Catalogue.h"
#include "data/tools/Backup.h"
#include "data/tools/DumpWriter.h"
#include "data/tools/SqlScript.h"

namespace {

class BackupTest : public ToolsFixture {
  protected:
    void Fill() {
        QString error;
        ASSERT_TRUE(sampletest::FillSampleRows(Db(), &error)) << error.toStdString();
    }
    QString Session() {
        return Db()
            .Query(
                "SELECT CONCAT_WS('|', @@SESSION.sql_mode, @@SESSION.time_zone, "
                "@@SESSION.foreign_key_checks, @@SESSION.unique_checks)")
            .Scalar();
    }
    QString File(const QString& name) { return home_.Path(name); }
};

struct Restorer {
    const char* name;
    std::function<bool(DataModule&, const QString&, QString*)> run;
};

const Restorer kRestorers[] = {
    {"the data module's RunSqlScript",
     [](DataModule& dm, const QString& path, QString* error) {
         const bool ok = dm.RunSqlScript(path);
         *error = dm.LastSqlError();
         return ok;
     }},
    {"the script runner",
     [](DataModule& dm, const QString& path, QString* error) {
         const sqltools::ScriptReport r = sqltools::RunScriptFile(dm.connection(), path);
         *error = r.error;
         return r.ok;
     }},
};

TEST_F(BackupTest, AFullBackupRestoresEveryRowOfEveryTable) {
    Fill();
    const auto before = sampletest::SchemaState(Db());
    ASSERT_EQ(24u, before.size());
    const QString session = Session();
    const QString path = File("backup.sql");
    const sqltools::BackupReport report = sqltools::WriteFullBackup(Db(), path);
    ASSERT_TRUE(report.ok) << report.error.toStdString();
    EXPECT_EQ(24, report.tables);
    EXPECT_TRUE(report.missingTables.isEmpty());
    EXPECT_FALSE(QFile::exists(path + ".tmp"));
    EXPECT_EQ(session, Session()) << "the reading session is put back";

    const QByteArray script = ReadFile(path);
    EXPECT_TRUE(script.startsWith("-- ")) << "a full backup has a header comment";
    EXPECT_TRUE(script.contains("CREATE DATABASE IF NOT EXISTS `" + Schema().toUtf8() + "`"));
    EXPECT_TRUE(script.contains("USE `" + Schema().toUtf8() + "`;"));
    EXPECT_TRUE(script.contains("SET NAMES utf8mb4;"));
    for (int i = 0; i < kCatalogueUnknown; ++i)
        EXPECT_TRUE(script.contains("DROP TABLE IF EXISTS `" + CatalogueAt(i).key.toUtf8() + "`;"))
            << i;
    EXPECT_GE(script.count("INSERT INTO `items`"), 3)
        << "line items need several bounded statements";

    for (const Restorer& restorer : kRestorers) {
        QString error;
        ASSERT_TRUE(sampletest::DropEverything(Db(), &error)) << error.toStdString();
        ASSERT_TRUE(restorer.run(dm_, path, &error))
            << restorer.name << ": " << error.toStdString();
        EXPECT_EQ(before, sampletest::SchemaState(Db())) << restorer.name;
        EXPECT_EQ(session, Session()) << restorer.name << ": the script puts the session back";
    }
    // The awkward text itself, byte for byte (company name is varchar(80)).
    EXPECT_EQ(("0" + sampletest::NastyText()).left(80),
              Db().Query("SELECT companyname FROM company WHERE id = 0").Scalar());
}

TEST_F(BackupTest, AFullBackupKeepsViewsAndTheAccountsWithGrantsOnTheSchema) {
    Fill();
    const QString user = "vl" + Schema().right(20);
    const QString account = Db().Quote(user) + "@'localhost'";
    struct DropUser {
        Connection& db;
        QString account;
        ~DropUser() { db.Exec("DROP USER IF EXISTS " + account); }
    } dropUser{Db(), account};
    ASSERT_TRUE(
        Db().Exec("CREATE VIEW open_orders AS SELECT id, ordernumber FROM orders WHERE id > 0"));
    ASSERT_TRUE(Db().Exec("CREATE USER " + account + " IDENTIFIED BY 'hemmelig'"));
    ASSERT_TRUE(Db().Exec("GRANT SELECT, INSERT ON " + sqltools::DumpWriter::QuoteName(Schema()) +
                          ".* TO " + account));
    ASSERT_TRUE(Db().Exec("GRANT UPDATE ON " + sqltools::DumpWriter::QuoteName(Schema()) +
                          ".`orders` TO " + account));
    ASSERT_TRUE(Db().Exec("GRANT PROCESS ON *.* TO " + account));
    const QString viewRows = Scalar("SELECT COUNT(*) FROM open_orders");

    const QString path = File("backup.sql");
    const sqltools::BackupReport report = sqltools::WriteFullBackup(Db(), path);
    ASSERT_TRUE(report.ok) << report.error.toStdString();
    EXPECT_EQ(QStringList{"open_orders"}, report.views);
    EXPECT_TRUE(report.accounts.contains("'" + user + "'@'localhost'"))
        << report.accounts.join(' ').toStdString();
    EXPECT_FALSE(ReadFile(path).contains("DEFINER=")) << "whoever restores defines the view";
    EXPECT_FALSE(ReadFile(path).contains("PROCESS")) << "grants outside the schema stay out";

    QString error;
    ASSERT_TRUE(sampletest::DropEverything(Db(), &error));
    ASSERT_TRUE(Db().Exec("DROP USER " + account));
    const sqltools::ScriptReport restored = sqltools::RunScriptFile(Db(), path);
    ASSERT_TRUE(restored.ok) << restored.error.toStdString();
    EXPECT_EQ(viewRows, Scalar("SELECT COUNT(*) FROM open_orders"));
    const QueryResult grants = Db().Query("SHOW GRANTS FOR " + account);
    ASSERT_TRUE(grants.ok()) << grants.Error().toStdString();
    QString all;
    for (int i = 0; i < grants.RowCount(); ++i) all += grants.Text(i, 0) + '\n';
    EXPECT_TRUE(all.contains("GRANT SELECT, INSERT ON `" + Schema() + "`.*")) << all.toStdString();
    EXPECT_TRUE(all.contains("GRANT UPDATE ON `" + Schema() + "`.`orders`")) << all.toStdString();
    EXPECT_FALSE(all.contains("PROCESS")) << all.toStdString();
    // The password came back with the account.
    ConnectParams p = Params();
    p.user = user;
    p.password = "hemmelig";
    Connection asUser;
    EXPECT_TRUE(asUser.Connect(p)) << asUser.LastError().toStdString();
}

TEST_F(BackupTest, ATableBackupHoldsOneTableWithoutHeaderOrDatabase) {
    Fill();
    const auto before = sampletest::SchemaState(Db());
    const QString path = File("orders.sql");
    const sqltools::BackupReport report = sqltools::WriteTableBackup(Db(), "orders", path);
    ASSERT_TRUE(report.ok) << report.error.toStdString();
    EXPECT_EQ(1, report.tables);
    const QByteArray script = ReadFile(path);
    EXPECT_FALSE(script.startsWith("--")) << script.left(200).toStdString();
    EXPECT_FALSE(script.contains("CREATE DATABASE"));
    EXPECT_FALSE(script.contains("\nUSE "));
    EXPECT_EQ(1, script.count("DROP TABLE IF EXISTS"));

    ASSERT_TRUE(Db().Exec("DELETE FROM orders; INSERT INTO company (companyname) VALUES ('ny')"));
    const sqltools::ScriptReport restored = sqltools::RunScriptFile(Db(), path);
    ASSERT_TRUE(restored.ok) << restored.error.toStdString();
    const auto after = sampletest::SchemaState(Db());
    EXPECT_EQ(before.at("orders"), after.at("orders"));
    EXPECT_NE(before.at("company"), after.at("company")) << "other tables are left as they are";
}

// Makes writing a file fail once it grows past `bytes` (also for root), for the scope.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit saved_{};
    void (*oldHandler_)(int) = nullptr;
};

TEST_F(BackupTest, AFailedBackupLeavesThePreviousFileAsItWas) {
    Fill();
    struct Case {
        const char* name;
        QString path;
        std::function<void(const QString& path)> arrange;
        bool full;
    };
    const QString blocked = File("blocked");  // a file where a folder would have to be
    TempHome::Write(blocked, "x");
    const std::vector<Case> cases{
        {"the temporary file cannot be made", File("a/backup.sql"),
         [](const QString& path) { QDir().mkpath(path + ".tmp"); }, true},
        {"the folder cannot be made", blocked + "/backup.sql", nullptr, true},
        {"the disk fills up half-way", File("b/backup.sql"), nullptr, true},
        {"the table does not exist", File("c/nosuch.sql"), nullptr, false},
    };
    for (const Case& c : cases) {
        const bool previous = !c.path.startsWith(blocked);
        if (previous) TempHome::Write(c.path, "previous backup");
        if (c.arrange) c.arrange(c.path);
        sqltools::BackupReport report;
        if (QString(c.name).contains("disk")) {
            FileSizeLimit limit(256 * 1024);
            report = sqltools::WriteFullBackup(Db(), c.path);
        } else {
            report = c.full ? sqltools::WriteFullBackup(Db(), c.path)
                            : sqltools::WriteTableBackup(Db(), "nosuch", c.path);
        }
        EXPECT_FALSE(report.ok) << c.name;
        EXPECT_FALSE(report.error.isEmpty()) << c.name;
        if (previous) {
            EXPECT_EQ("previous backup", ReadFile(c.path)) << c.name;
        } else {
            EXPECT_FALSE(QFile::exists(c.path)) << c.name;
        }
        if (!QFileInfo(c.path + ".tmp").isDir()) {
            EXPECT_FALSE(QFile::exists(c.path + ".tmp")) << c.name;
        }
        // The connection is usable afterwards, its session as before.
        EXPECT_EQ("1", Scalar("SELECT 1")) << c.name;
    }
}

TEST_F(BackupTest, AScriptStopsAtItsFirstErrorAndKeepsWhatRanBefore) {
    const QString path = File("script.sql");
    TempHome::Write(path,
                    "INSERT INTO groups (group_name) VALUES ('en; to');\n"
                    "INSERT INTO groups (group_name) VALUES ('to');\n"
                    "INSERT INTO gruops (group_name) VALUES ('tre');\n"
                    "INSERT INTO groups (group_name) VALUES ('fire');\n");
    const sqltools::ScriptReport report = sqltools::RunScriptFile(Db(), path);
    EXPECT_FALSE(report.ok);
    EXPECT_EQ(2, report.statements);
    EXPECT_TRUE(report.error.startsWith("linje 3: ")) << report.error.toStdString();
    EXPECT_TRUE(report.error.contains("gruops")) << report.error.toStdString();
    EXPECT_EQ("en; to,to", Scalar("SELECT GROUP_CONCAT(group_name ORDER BY id) FROM groups"));

    const sqltools::ScriptReport missing = sqltools::RunScriptFile(Db(), File("missing.sql"));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.error.contains("missing.sql")) << missing.error.toStdString();
}

}  // namespace
