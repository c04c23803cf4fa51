// The backup setup window and the SQL window, headless.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "../../frame/TempHome.h"
#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "data/ui/BackupSetupForm.h"
#include "data/ui/SqlWindowForm.h"

namespace {

class SqlToolWindowsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "sql_tool_windows_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }
    SqlToolWindowsTest()
        : prompter_(new testsupport::ScriptedPrompter),
          ctx_(std::unique_ptr<Prompter>(prompter_)) {}

    TempHome home_;
    testsupport::ScriptedPrompter* prompter_;
    AppContext ctx_;
};

TEST_F(SqlToolWindowsTest, BackupSetupShowsTheThreeSettingsAndWritesThemWhenClosed) {
    ConfigStore& config = ctx_.config();
    config.WriteKey("FOLDERS", "backup_folder", home_.Path("gamle/"));
    config.WriteKey("FOLDERS", "windows_backup_folder", "/mnt/kopi/");
    config.WriteKey("STANDARD", "GenerateBackupBatFile", "0");

    BackupSetupForm form;
    form.show();
    EXPECT_EQ("Oppsett sikkerhetskopi", form.windowTitle());
    EXPECT_EQ(home_.Path("gamle/"), form.backupFolderEdit()->text());
    EXPECT_EQ("/mnt/kopi/", form.windowsFolderEdit()->text());
    EXPECT_FALSE(form.batFileBox()->isChecked());

    prompter_->Folder(home_.Path("nye")).Folder("");  // the second choice is cancelled
    form.backupFolderButton()->click();
    form.windowsFolderButton()->click();
    EXPECT_EQ(home_.Path("nye/"), form.backupFolderEdit()->text());
    EXPECT_EQ("/mnt/kopi/", form.windowsFolderEdit()->text())
        << "a cancelled choice keeps the folder";
    ASSERT_EQ(2u, prompter_->events().size());
    EXPECT_EQ(home_.Path("gamle/"), prompter_->events()[0].text)
        << "the choice starts at the folder shown";
    form.batFileBox()->setChecked(true);
    form.close();

    EXPECT_EQ(home_.Path("nye/"), config.ReadKey("FOLDERS", "backup_folder"));
    EXPECT_EQ("/mnt/kopi/", config.ReadKey("FOLDERS", "windows_backup_folder"));
    config.SelectSection("STANDARD");
    EXPECT_TRUE(config.ReadIniBool("GenerateBackupBatFile"));
    config.RestoreSection();
    EXPECT_EQ(home_.Path("nye/"), config.sevrantepath("backup"))
        << "it is the program's backup folder";
}

TEST_F(SqlToolWindowsTest, TheSqlWindowGetsEverySelectWhileItExists) {
    DataModule dm;
    dm.BuildSelect("*", "orders", "", "", "", "", "");  // before the window: not shown anywhere
    auto* form = new SqlWindowForm;
    EXPECT_EQ("SQL-vindu", form->windowTitle());
    dm.BuildSelect("*", "project", "", "", "projectid=", "status=1", "");
    dm.BuildSelect("id, companyname", "company", "contact", "contact.companyid=company.id", "id=4",
                   "", "companyname");
    EXPECT_EQ(
        "SELECT * FROM project WHERE status=1\n"
        "SELECT id, companyname FROM company LEFT JOIN contact ON contact.companyid=company.id "
        "WHERE id=4 "
        "ORDER BY companyname",
        form->text()->toPlainText().toStdString());
    delete form;
    // Without the window the builder goes on as before.
    EXPECT_EQ("SELECT * FROM news", dm.BuildSelect("*", "news", "", "", "", "", "").toStdString());
}

TEST_F(SqlToolWindowsTest, TheSqlWindowIsCreatedOnFirstUseAndShownAgainAfterwards) {
    DataModule dm;
    QWidget owner;
    SqlWindowForm* first = ShowSqlWindow(&owner);
    EXPECT_TRUE(first->isVisible());
    first->close();
    EXPECT_EQ(first, ShowSqlWindow(&owner));
    EXPECT_TRUE(first->isVisible());
    dm.BuildSelect("*", "asset", "", "", "", "", "");
    EXPECT_EQ("SELECT * FROM asset", first->text()->toPlainText().toStdString());
}

}  // namespace
