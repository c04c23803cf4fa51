// ExecSql and RunSqlScript reporting failure, passwords kept out of the log, and the
// select builder.
#include <QFile>
#include <QTemporaryDir>

#include "DataModuleFixture.h"
#include "data/SelectBuilder.h"
#include "data/SqlExec.h"

namespace {

TEST(SelectBuilder, ComposesTheStatement) {
    const struct {
        const char* columns;
        const char* table;
        const char* join;
        const char* on;
        const char* filter;
        const char* extra;
        const char* order;
        const char* sql;
    } cases[] = {
        {"*", "project", "", "", "projectid=", "status=1", "", "SELECT * FROM project WHERE status=1"},
        {"*", "project", "", "", "projectid=5", "status=1", "",
         "SELECT * FROM project WHERE projectid=5 AND status=1"},
        {"*", "project", "", "", "projectid= ", "", "", "SELECT * FROM project"},
        {"*", "jobs", "", "", "", "", "jobname", "SELECT * FROM jobs ORDER BY jobname"},
        {"contact.*, companyname", "contact", "company", "contact.companyid=company.id", "companyid=3",
         "", "realname",
         "SELECT contact.*, companyname FROM contact LEFT JOIN company ON contact.companyid=company.id "
         "WHERE companyid=3 ORDER BY realname"},
        {"id", "items", "", "", "", "usertag=2", "id DESC", "SELECT id FROM items WHERE usertag=2 ORDER BY id DESC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ComposeSelect(c.columns, c.table, c.join, c.on, c.filter, c.extra, c.order), c.sql)
            << c.sql;
    }
}

TEST(RedactPasswords, HidesTheLiteralAfterPasswordAndIdentifiedBy) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"SET PASSWORD = PASSWORD('hemmelig')", "SET PASSWORD = PASSWORD('***')"},
        {"set password for 'ola'@'%' = password( 'it''s' )", "set password for 'ola'@'%' = password( '***' )"},
        {"CREATE USER 'ola'@'%' IDENTIFIED BY 'a\\'b'", "CREATE USER 'ola'@'%' IDENTIFIED BY '***'"},
        {"GRANT SELECT ON v.* TO ola identified\n  by \"p w\"; SELECT 1",
         "GRANT SELECT ON v.* TO ola identified\n  by '***'; SELECT 1"},
        {"ALTER USER x IDENTIFIED BY PASSWORD '*ABCDEF'", "ALTER USER x IDENTIFIED BY PASSWORD '***'"},
        {"SET PASSWORD = PASSWORD('a'); SET PASSWORD = PASSWORD('b')",
         "SET PASSWORD = PASSWORD('***'); SET PASSWORD = PASSWORD('***')"},
        {"SET PASSWORD = PASSWORD('uten slutt", "SET PASSWORD = PASSWORD('***'"},
        {"SET PASSWORD = PASSWORD(@v)", "SET PASSWORD = PASSWORD(@v)"},
        {"UPDATE users SET passwd='x' WHERE id=1", "UPDATE users SET passwd='x' WHERE id=1"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(RedactPasswords(c.in), c.out) << c.in;
}

class DataModuleSqlTest : public DataModuleFixture {};

TEST_F(DataModuleSqlTest, ExecSqlReportsFailureAndLogsWithoutPasswords) {
    EXPECT_TRUE(dm_.ExecSql("INSERT INTO groups (group_id, group_name) VALUES (1, 'a'); "
                            "INSERT INTO groups (group_id, group_name) VALUES (2, 'b')"));
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM groups"), "2");
    EXPECT_FALSE(LogMentions("SQL: "));  // not verbose

    EXPECT_FALSE(dm_.ExecSql("INSERT INTO no_such_table VALUES (1)"));
    EXPECT_TRUE(Logged("SQL ERROR: INSERT INTO no_such_table VALUES (1)"));
    EXPECT_TRUE(dm_.LastSqlError().contains("no_such_table")) << dm_.LastSqlError().toStdString();
    EXPECT_TRUE(prompter_->messages().empty());

    ctx_.log().SetVerbose(true);
    const QString account = "'dm_" + Schema() + "'@'localhost'";
    EXPECT_TRUE(dm_.ExecSql("CREATE USER " + account + " IDENTIFIED BY 'topphemmelig'"));
    EXPECT_TRUE(dm_.LastSqlError().isEmpty());
    EXPECT_TRUE(Logged("SQL: CREATE USER " + account + " IDENTIFIED BY '***'"));
    // Changing the password of an account that does not exist fails.
    EXPECT_FALSE(dm_.ExecSql("SET PASSWORD FOR 'dm_nobody'@'localhost' = PASSWORD('enda_hemmeligere')"));
    EXPECT_TRUE(Logged("SQL ERROR: SET PASSWORD FOR 'dm_nobody'@'localhost' = PASSWORD('***')"));
    EXPECT_TRUE(dm_.ExecSql("DROP USER " + account));
    EXPECT_FALSE(LogMentions("hemmelig"));
}

TEST_F(DataModuleSqlTest, ScriptWithASyntaxErrorKeepsWhatRanBeforeIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("import.sql");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("-- grupper\n"
            "INSERT INTO groups (group_id, group_name) VALUES (1, 'Salg');\n"
            "INSERT INTO groups (group_id, group_name) VALUES (2, 'Lager');\n"
            "INSERT INTO groups (group_id, group_name VALUES (3, 'Feil');\n"
            "INSERT INTO groups (group_id, group_name) VALUES (4, 'Etter');\n");
    f.close();
    EXPECT_FALSE(dm_.RunSqlScript(path));
    EXPECT_EQ(Scalar("SELECT GROUP_CONCAT(group_id ORDER BY group_id) FROM groups"), "1,2");
    EXPECT_TRUE(dm_.LastSqlError().contains("syntax")) << dm_.LastSqlError().toStdString();
    const QStringList log = LogMessages();
    EXPECT_EQ(log.mid(log.size() - 2), QStringList({"Kjører SQL-script: " + path, "SQL-Script ERROR: " + path}));
    EXPECT_TRUE(prompter_->messages().empty());

    // The connection works on after the failure; a good script runs whole.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("DELETE FROM groups;\nINSERT INTO groups (group_id, group_name) VALUES (9, 'Ny\xc3\xa6');\n");
    f.close();
    EXPECT_TRUE(dm_.RunSqlScript(path));
    EXPECT_TRUE(dm_.LastSqlError().isEmpty());
    EXPECT_EQ(Scalar("SELECT group_name FROM groups"), "Nyæ");

    // A script from an older workstation in Windows-1252.
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("UPDATE groups SET group_name='Bl\xe5';");
    f.close();
    EXPECT_TRUE(dm_.RunSqlScript(path));
    EXPECT_EQ(Scalar("SELECT group_name FROM groups"), "Blå");

    const QString missing = dir.filePath("borte.sql");
    EXPECT_FALSE(dm_.RunSqlScript(missing));
    EXPECT_FALSE(dm_.LastSqlError().isEmpty());
    EXPECT_TRUE(Logged("SQL-Script ERROR: " + missing));
}

TEST_F(DataModuleSqlTest, BuildSelectFeedsTheSqlWindowAndTheVerboseLog) {
    QStringList window;
    const QString sql = dm_.BuildSelect("*", "project", "", "", "projectid=", "status=1", "");
    EXPECT_EQ(sql, "SELECT * FROM project WHERE status=1");
    dm_.SetSqlWindowSink([&](const QString& s) { window << s; });
    ctx_.log().SetVerbose(true);
    dm_.BuildSelect("*", "jobs", "", "", "jobid=2", "", "id");
    EXPECT_EQ(window, QStringList{"SELECT * FROM jobs WHERE jobid=2 ORDER BY id"});
    EXPECT_TRUE(Logged("SELECT * FROM jobs WHERE jobid=2 ORDER BY id"));
    EXPECT_FALSE(Logged("SELECT * FROM project WHERE status=1"));
    dm_.SetSqlWindowSink(nullptr);  // the window closed
    dm_.BuildSelect("*", "jobs", "", "", "", "", "");
    EXPECT_EQ(window.size(), 1);
}

}  // namespace
