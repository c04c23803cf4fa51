// The "Verktøy" operations as the main window calls them: questions, files and messages.
#include <QDir>
#include <QFile>

#include "SampleRows.h"
#include "ToolsFixture.h"
#include "data/tools/SqlToolCommands.h"

namespace {

using Kind = testsupport::ScriptedPrompter::Kind;

class SqlToolCommandsTest : public ToolsFixture {
  protected:
    QString LastTable() { return ctx_.config().ReadKey("STANDARD", "Last_Backup_Table"); }
    std::vector<QString> Messages() const { return prompter_->messages(); }
    QString Groups() {
        return Scalar("SELECT IFNULL(GROUP_CONCAT(group_name ORDER BY id), '') FROM groups");
    }
};

TEST_F(SqlToolCommandsTest, RunSqlRunsTheAnswerAndShowsTheServersRefusal) {
    prompter_->Input("INSERT INTO groups (group_name) VALUES ('kjørt')");
    EXPECT_TRUE(RunSqlCommand());
    ASSERT_FALSE(prompter_->events().empty());
    EXPECT_EQ("Utfør SQL:", prompter_->events()[0].text);
    EXPECT_EQ("kjørt", Groups());
    EXPECT_TRUE(Messages().empty());

    prompter_->ClearEvents();
    prompter_->Input("INSERT INTO gruops (group_name) VALUES ('x')");
    EXPECT_FALSE(RunSqlCommand());
    ASSERT_EQ(1u, Messages().size());
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: SQL-setningen ble ikke utført:\n"))
        << Messages()[0].toStdString();
    EXPECT_TRUE(Messages()[0].contains("gruops")) << "the server's own text";

    prompter_->ClearEvents();
    prompter_->CancelInput();
    EXPECT_FALSE(RunSqlCommand());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ("kjørt", Groups());
}

TEST_F(SqlToolCommandsTest, RunSqlFileOffersSqlFilesAndReportsAScriptThatStopsHalfWay) {
    const QString path = home_.Path("feil.sql");
    TempHome::Write(path,
                    "INSERT INTO groups (group_name) VALUES ('en');\n"
                    "INSERT INTO groups (group_name) VALUES ('to; med semikolon');\n"
                    "INSERT INTO groups (group_name) VALUES ('tre' 'x' ,);\n"
                    "INSERT INTO groups (group_name) VALUES ('fire');\n");
    prompter_->OpenFile(path);
    EXPECT_FALSE(RunSqlFileCommand());
    ASSERT_EQ(Kind::OpenFile, prompter_->events()[0].kind);
    EXPECT_EQ("SQL (*.sql);;Alle filer (*.*)", prompter_->events()[0].filter);
    EXPECT_EQ("en,to; med semikolon", Groups()) << "the statements before the error stay";
    ASSERT_EQ(1u, Messages().size());
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: SQL-skriptet " + path + " stoppet med en feil:\n"))
        << Messages()[0].toStdString();
    EXPECT_TRUE(LogMentions("SQL-Script ERROR: " + path));

    prompter_->ClearEvents();
    prompter_->OpenFile("");
    EXPECT_FALSE(RunSqlFileCommand());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(SqlToolCommandsTest, TheFullBackupGoesToTheBackupFolderAndComesBackThroughRunSqlFile) {
    QString error;
    ASSERT_TRUE(sampletest::FillSampleRows(Db(), &error)) << error.toStdString();
    const auto before = sampletest::SchemaState(Db());
    EXPECT_TRUE(BackupAllCommand());
    const QString path = BackupDir() + "backup.sql";
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(LogMentions("Sikkerhetskopi skrevet: " + path + " (24 tabeller"));

    ASSERT_TRUE(sampletest::DropEverything(Db(), &error)) << error.toStdString();
    prompter_->OpenFile(path);
    EXPECT_TRUE(RunSqlFileCommand());
    EXPECT_EQ(before, sampletest::SchemaState(Db()));
}

TEST_F(SqlToolCommandsTest, TheTableBackupRemembersItsTableForNextTime) {
    ASSERT_TRUE(Db().Exec("INSERT INTO orders (ordernumber) VALUES ('O-1'), ('O-2')"));
    prompter_->Input("orders");
    EXPECT_TRUE(BackupTableCommand());
    EXPECT_EQ("Tabellnavn", prompter_->events()[0].text);
    EXPECT_TRUE(QFile::exists(BackupDir() + "orders.sql"));
    EXPECT_EQ("orders", LastTable());
    EXPECT_TRUE(Messages().empty());

    prompter_->ClearEvents();
    prompter_->CancelInput();
    EXPECT_FALSE(BackupTableCommand());
    EXPECT_EQ("orders", prompter_->events()[0].prefilled);
}

TEST_F(SqlToolCommandsTest, NoTableNameDoesNothing) {
    ctx_.config().WriteKey("STANDARD", "Last_Backup_Table", "company");
    prompter_->CancelInput().Input("").Input("   ");
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(BackupTableCommand()) << i;
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ("company", LastTable());
    EXPECT_TRUE(QDir(BackupDir()).entryList(QDir::Files).isEmpty());
}

TEST_F(SqlToolCommandsTest, ANameThatIsNoTableIsReportedAndWritesNoFile) {
    for (const QString name : {"nosuch", "../orders", "orders/x"}) {
        prompter_->ClearEvents();
        prompter_->Input(name);
        EXPECT_FALSE(BackupTableCommand()) << name.toStdString();
        ASSERT_EQ(1u, Messages().size()) << name.toStdString();
        EXPECT_EQ("FEIL: Tabellen " + name + " finnes ikke i databasen " + Schema() + ".",
                  Messages()[0]);
        EXPECT_EQ(name, LastTable());
    }
    EXPECT_TRUE(QDir(BackupDir()).entryList(QDir::Files).isEmpty());
    EXPECT_FALSE(QFile::exists(home_.Base() + "orders.sql"));
}

TEST_F(SqlToolCommandsTest, ABackupFolderThatCannotBeWrittenIsReportedAndTheOldBackupStays) {
    const QString folder = home_.Path("kopier/");
    TempHome::Write(folder + "backup.sql", "forrige");
    QDir().mkpath(folder + "backup.sql.tmp");  // the new file cannot be made
    ctx_.config().SetFolderPath("backup", folder);
    EXPECT_FALSE(BackupAllCommand());
    ASSERT_EQ(1u, Messages().size());
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: Sikkerhetskopien " + folder +
                                         "backup.sql ble ikke laget:\n"))
        << Messages()[0].toStdString();
    EXPECT_TRUE(Messages()[0].endsWith("Den forrige sikkerhetskopien i filen er uendret."));
    EXPECT_EQ("forrige", ReadFile(folder + "backup.sql"));
    EXPECT_TRUE(LogMentions("FEIL: sikkerhetskopien " + folder + "backup.sql ble ikke laget"));

    // A folder that cannot exist: there is a file in its place.
    prompter_->ClearEvents();
    TempHome::Write(home_.Path("fil"), "x");
    ctx_.config().SetFolderPath("backup", home_.Path("fil/kopier/"));
    prompter_->Input("orders");
    EXPECT_FALSE(BackupTableCommand());
    ASSERT_EQ(1u, Messages().size());
    EXPECT_TRUE(Messages()[0].contains("ble ikke laget")) << Messages()[0].toStdString();
    EXPECT_FALSE(Messages()[0].contains("forrige"));
}

}  // namespace
