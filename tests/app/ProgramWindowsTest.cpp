// The registers' windows the program makes at its start: each is there by its name, the
// main window's buttons show them, and they are gone with the program's windows.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

#include "../frame/TempHome.h"
#include "AppTestSupport.h"
#include "ModuleTest.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ProgramWindows.h"
#include "crm/CrmModule.h"
#include "products/ProductRules.h"
#include "ui/WindowRegistry.h"

namespace {

const QStringList kWindows = {"PostnummerForm",  "CompanyListForm", "CompanyDataForm",
                              "ContactListForm", "ContactDataForm", "ProductListForm",
                              "ProductDataForm", "ProductTecDataForm"};

struct ProgramWindowsHome {
    TempHome home_;
};

class ProgramWindowsTest : protected ProgramWindowsHome, public testsupport::ModuleTest {
  protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    // The visible window whose caption starts with the text.
    static QWidget* ShownWindow(const QString& caption) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowTitle().startsWith(caption)) return w;
        return nullptr;
    }

    ProductRules rules_{dm_};
    CrmModule crm_{dm_};
};

TEST_F(ProgramWindowsTest, TheMainWindowsButtonsShowTheRegistersWindows) {
    Exec("INSERT INTO company (companyname) VALUES ('Fjordkraft Elektro AS')");
    Exec("INSERT INTO contact (realname, companyid) VALUES ('Kari Nordmann', 1)");
    Exec("INSERT INTO product (productcode, producttext) VALUES ('1001', 'Kabel 3x2,5')");
    MainWindow main;
    main.RunShowSequence();
    {
        ProgramWindows windows(&main);
        for (const QString& name : kWindows) EXPECT_TRUE(IsWindowRegistered(name)) << name.toStdString();

        const struct {
            QString button, caption;
        } cases[] = {{"Fir&maer", "Firmaer"}, {"&Kontakter", "Kontaktliste"}, {"&Vareregister", "Vareliste"}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.button.toStdString());
            ASSERT_NE(main.Button(c.button), nullptr);
            main.Button(c.button)->click();
            QWidget* shown = ShownWindow(c.caption);
            ASSERT_NE(shown, nullptr);
            shown->close();
        }
        // "Nytt firma" of the new-record row: the company list's "Ny" and the company window.
        main.Button("Nytt firma")->click();
        EXPECT_TRUE(dm_.CompanyTable().State() == DatasetState::Insert);
        EXPECT_NE(ShownWindow("Firmadata"), nullptr);
        dm_.CompanyTable().Cancel();
        EXPECT_TRUE(prompter_->messages().empty()) << prompter_->messages().front().toStdString();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != &main) w->close();
    }
    for (const QString& name : kWindows) EXPECT_FALSE(IsWindowRegistered(name)) << name.toStdString();
}

}  // namespace
