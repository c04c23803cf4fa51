// The main window's items and buttons that lead to the data layer's tools and
// windows, on a fresh schema of the test server.
#include <QAction>
#include <QPushButton>
#include <QTimer>

#include "SchemaParams.h"
#include "AppTestSupport.h"
#include "TestDatabase.h"
#include "app/ui/MainWindow.h"
#include "data/DataModule.h"
#include "data/schema/Schema.h"

namespace {

class MainMenuDatabaseTest : public AppTest {
  protected:
    MainMenuDatabaseTest() {
        EXPECT_TRUE(dm_.connection().Connect(testsupport::SchemaParams(db_))) << dm_.connection().LastError().toStdString();
        EXPECT_TRUE(schema::CreateSchema(dm_.connection()).ok);
        ctx_.logon().AdminMode = true;
        ctx_.logon().ConnectState = 1;
        window_.RunShowSequence();
    }

    // Runs `command` and gives the titles of the windows it showed. Once a window whose
    // title begins with `last` has shown, every window it opened is closed again.
    QStringList WindowsShownBy(const std::function<void()>& command, const QString& last) {
        QStringList seen;
        bool done = false;
        int ticks = 0;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (w == &window_ || !w->isVisible() || w->windowTitle().isEmpty()) continue;
                if (!seen.contains(w->windowTitle())) seen << w->windowTitle();
                if (w->windowTitle().startsWith(last)) done = true;
            }
            if (++ticks > 250) done = true;  // the window never came: close what there is
            if (!done) return;
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
                return;
            }
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w != &window_ && w->isVisible()) w->close();
        });
        timer.start();
        command();
        while (!done) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        timer.stop();
        return seen;
    }

    testsupport::TestDatabase db_;
    DataModule dm_;
    MainWindow window_;
};

TEST_F(MainMenuDatabaseTest, RunSqlItemRunsTheStatement) {
    prompter_->Input("CREATE TABLE menu_probe (id INT)");
    window_.Action("Kjør SQL ...")->trigger();
    EXPECT_EQ(prompter_->events().at(0).text, "Utfør SQL:");
    EXPECT_EQ(db_.Scalar("SHOW TABLES LIKE 'menu_probe'"), "menu_probe");
}

TEST_F(MainMenuDatabaseTest, ItemsAndButtonsOpenTheDataWindows) {
    const std::vector<std::pair<std::function<void()>, QString>> cases = {
        {[this] { window_.Action("Tabelloppsett")->trigger(); }, "Tabelloppsett"},
        {[this] { window_.Action("Grupper")->trigger(); }, "Grupper"},
        {[this] { window_.Action("Oppsett sikkerhetskopi")->trigger(); }, "Oppsett sikkerhetskopi"},
        {[this] { window_.Action("SQL-vindu")->trigger(); }, "SQL-vindu"},
        {[this] { window_.Button("Personal")->click(); }, "Personal"},
    };
    for (const auto& [command, title] : cases) {
        SCOPED_TRACE(title.toStdString());
        EXPECT_TRUE(WindowsShownBy(command, title).contains(title));
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MainMenuDatabaseTest, NewEmployeeButtonOpensANewUserRecord) {
    const QStringList shown =
        WindowsShownBy([this] { window_.Button("Ny ansatt")->click(); }, "Brukerdata");
    EXPECT_TRUE(shown.contains("Personal")) << shown.join(", ").toStdString();
    EXPECT_TRUE(shown.filter("Brukerdata").size() == 1) << shown.join(", ").toStdString();
}

}  // namespace
