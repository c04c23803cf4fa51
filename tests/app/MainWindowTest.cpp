// The main window: panels and buttons by rights and hide keys, the height,
// the status bar, the menus, the commands that exist now and the ones that
// say they come later, and files dropped on it.
#include <QAction>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QUrl>
#include <QUrlQuery>
#include <map>

#include "AppTestSupport.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MainWindowCommands.h"
#include "ui/WindowRegistry.h"

namespace {

const QString kLater = QStringLiteral("Varlokken 6: Kommer i en senere versjon");
const QString kCompaniesAndOrders = QStringLiteral("company=R;\r\norders=R;\r\n");

const std::vector<MainPanel> kSevenPanels = {
    MainPanel::Standard, MainPanel::Sale,    MainPanel::Purchase, MainPanel::Project,
    MainPanel::Asset,    MainPanel::Account, MainPanel::Tool};

class MainWindowTest : public AppTest {
  protected:
    void AsAdministrator() { ctx_.logon().AdminMode = true; }
    void AsUser(const QString& rights) {
        ctx_.logon().AdminMode = false;
        ctx_.logon().UserRights = rights;
    }
    // The window after its show sequence, recording what it asks the desktop to open.
    std::unique_ptr<MainWindow> ShownWindow() {
        auto window = std::make_unique<MainWindow>();
        window->SetShellOpener([this](const QString& target) {
            opened_ << target;
            return true;
        });
        window->RunShowSequence();
        return window;
    }
    std::vector<MainPanel> ShownPanels(const MainWindow& window) const {
        std::vector<MainPanel> shown;
        for (MainPanel panel : kSevenPanels)
            if (window.PanelShown(panel)) shown.push_back(panel);
        return shown;
    }
    QStringList ShownButtons(const MainWindow& window, MainPanel panel) const {
        QStringList shown;
        for (const PanelButtonRule& button : MainPanelRule(panel).buttons)
            if (window.ButtonShown(button.caption)) shown << button.caption;
        return shown;
    }

    QStringList opened_;
};

TEST_F(MainWindowTest, AdministratorSeesEveryPanelAndButton) {
    AsAdministrator();
    auto window = ShownWindow();
    EXPECT_EQ(ShownPanels(*window), kSevenPanels);
    for (MainPanel panel : kSevenPanels) {
        QStringList all;
        for (const PanelButtonRule& button : MainPanelRule(panel).buttons) all << button.caption;
        EXPECT_EQ(ShownButtons(*window, panel), all);
        EXPECT_NE(window->HideButton(panel), nullptr);
    }
    EXPECT_FALSE(window->PanelShown(MainPanel::NewRecord));  // "ShowNewPanel" is off
    EXPECT_FALSE(window->DocumentIdField()->isHidden());
}

TEST_F(MainWindowTest, PanelsAndButtonsFollowTheRights) {
    struct Case {
        const char* name;
        QString rights;
        std::map<MainPanel, QStringList> shown;  // the panels shown, with their buttons
    };
    const QStringList tools = {"Filer",     "PDF-mappe",       "Kalkulator",
                               "Nettleser", kTfmButtonCaption, "WEB"};
    const std::vector<Case> cases = {
        {"no rights at all", "", {{MainPanel::Tool, tools}}},
        {"garbage rights text", "%%%;;==\r\nnonsense", {{MainPanel::Tool, tools}}},
        {"companies and orders",
         kCompaniesAndOrders,
         {{MainPanel::Standard, {"Fir&maer"}},
          {MainPanel::Sale, {"&Ordre"}},
          {MainPanel::Tool, tools}}},
        {"documents only: the always-shown buttons of the project panel",
         "document=R;\r\n",
         {{MainPanel::Project, {"&Dokumenter", "Vareuttak", "Avvik"}}, {MainPanel::Tool, tools}}},
        {"admin on items without reading products",
         "items=A;\r\npo=R;\r\n",
         {{MainPanel::Purchase, {"&Innkjøp", "Varetransaksjoner"}}, {MainPanel::Tool, tools}}},
        {"users entry with read right",
         "users=R;\r\n",
         {{MainPanel::Asset, {"Personal", "Sertifikater"}}, {MainPanel::Tool, tools}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AsUser(c.rights);
        auto window = ShownWindow();
        std::vector<MainPanel> expectedPanels;
        for (const auto& [panel, buttons] : c.shown) expectedPanels.push_back(panel);
        EXPECT_EQ(ShownPanels(*window), expectedPanels);
        for (const auto& [panel, buttons] : c.shown)
            EXPECT_EQ(ShownButtons(*window, panel), buttons);
    }
}

TEST_F(MainWindowTest, NewRecordRowShowsByTheCompanyIniForAnyUser) {
    AsUser("");
    SetCompanyKey("ShowNewPanel", "1");
    auto window = ShownWindow();
    EXPECT_TRUE(window->PanelShown(MainPanel::NewRecord));
    EXPECT_EQ(ShownPanels(*window), std::vector<MainPanel>{MainPanel::Tool});
    for (const PanelButtonRule& button : MainPanelRule(MainPanel::NewRecord).buttons) {
        ASSERT_NE(window->Button(button.hint), nullptr) << button.hint.toStdString();
        EXPECT_EQ(window->Button(button.hint)->toolTip(), button.hint);
    }
    EXPECT_EQ(window->Button("WEB")->toolTip(), "Varlokken på WEB");
}

TEST_F(MainWindowTest, HideKeysHidePanelsRegardlessOfRightsAndAllModulesBringsThemBack) {
    AsAdministrator();
    SetUserKey("HideToolPanel", "1");
    SetUserKey("HideSalePanel", "1");
    auto window = ShownWindow();
    EXPECT_FALSE(window->PanelShown(MainPanel::Tool));
    EXPECT_FALSE(window->PanelShown(MainPanel::Sale));
    const int withoutTwo = window->ComputedHeight();

    // A hide button hides its panel, writes its key and shrinks the window.
    window->HideButton(MainPanel::Account)->click();
    EXPECT_FALSE(window->PanelShown(MainPanel::Account));
    EXPECT_EQ(UserKey("HideAccountPanel"), "1");
    EXPECT_LT(window->ComputedHeight(), withoutTwo);

    window->Action("Alle moduler")->trigger();
    EXPECT_EQ(ShownPanels(*window), kSevenPanels);
    for (MainPanel panel : kSevenPanels) EXPECT_EQ(UserKey(MainPanelRule(panel).hideKey), "0");
    EXPECT_GT(window->ComputedHeight(), withoutTwo);
    EXPECT_EQ(window->Action("Alle moduler")->shortcut(), QKeySequence("Ctrl+A"));

    // The keys hold for the next show sequence.
    auto again = ShownWindow();
    EXPECT_EQ(ShownPanels(*again), kSevenPanels);
}

TEST_F(MainWindowTest, AllModulesKeepsPanelsTheRightsForbid) {
    AsUser(kCompaniesAndOrders);
    SetUserKey("HideStdPanel", "1");
    auto window = ShownWindow();
    EXPECT_FALSE(window->PanelShown(MainPanel::Standard));
    window->Action("Alle moduler")->trigger();
    EXPECT_EQ(ShownPanels(*window),
              (std::vector<MainPanel>{MainPanel::Standard, MainPanel::Sale, MainPanel::Tool}));
    EXPECT_FALSE(window->ButtonShown("KASSE"));
}

TEST_F(MainWindowTest, HeightIsTheSumOfTheShownPanelsAndTogglesWithTheNewRecordRow) {
    AsAdministrator();
    auto window = ShownWindow();
    const int without = window->ComputedHeight();
    const int toolPanel = window->Panel(MainPanel::Tool)->sizeHint().height();

    window->UpdateViewMenu();
    EXPECT_FALSE(window->Action("Ny knapperad")->isChecked());
    window->Action("Ny knapperad")->trigger();
    EXPECT_EQ(ctx_.config().ReadKey("STANDARD", "ShowNewPanel"), "1");
    EXPECT_TRUE(window->PanelShown(MainPanel::NewRecord));
    EXPECT_EQ(window->ComputedHeight(),
              without + window->Panel(MainPanel::NewRecord)->sizeHint().height());
    window->UpdateViewMenu();
    EXPECT_TRUE(window->Action("Ny knapperad")->isChecked());

    window->Action("Ny knapperad")->trigger();
    EXPECT_EQ(ctx_.config().ReadKey("STANDARD", "ShowNewPanel"), "0");
    EXPECT_FALSE(window->PanelShown(MainPanel::NewRecord));
    EXPECT_EQ(window->ComputedHeight(), without);

    window->HidePanel(MainPanel::Tool);
    EXPECT_EQ(window->ComputedHeight(), without - toolPanel);
}

TEST_F(MainWindowTest, ShowSequenceLogsSetsTheStatusBarAndEnablesDeviations) {
    AsAdministrator();
    ctx_.logon().CurrentUserName = "ola";
    ctx_.logon().CurrentServer = "lager.srv";
    ctx_.logon().CurrentRealName = "Ola Nordmann";
    MainWindow window;
    EXPECT_FALSE(window.Button("Avvik")->isEnabled());
    window.RunShowSequence();
    EXPECT_TRUE(window.Button("Avvik")->isEnabled());
    EXPECT_EQ(window.StatusBarText(), "ola@lager.srv   Ola Nordmann");
    const QStringList log = LogMessages();
    const qsizetype start = log.indexOf("Viser hovedmeny");
    ASSERT_GE(start, 0);
    EXPECT_GT(log.indexOf("Ferdig å vise hovedmeny"), start);

    ctx_.logon().CurrentRealName.clear();
    window.RefreshStatusBar();
    EXPECT_EQ(window.StatusBarText(), "ola@lager.srv   ");
}

TEST_F(MainWindowTest, ConnectToDatabaseRunsTheLogOnAndShowsTheWindowAgain) {
    AsUser(kCompaniesAndOrders);
    auto window = ShownWindow();
    EXPECT_FALSE(window->PanelShown(MainPanel::Account));
    int calls = 0;
    window->SetReconnectHandler([&](QWidget* parent) {
        ++calls;
        EXPECT_EQ(parent, window.get());
        ctx_.logon().AdminMode = true;  // the new log-on found no users row
        ctx_.logon().CurrentUserName = "kari";
        ctx_.logon().CurrentServer = "srv2";
        return true;
    });
    window->Action("Koble til database")->trigger();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ShownPanels(*window), kSevenPanels);
    EXPECT_EQ(window->StatusBarText(), "kari@srv2   ");
}

TEST_F(MainWindowTest, ToolsMenuOnlyWithTheAdministratorRightOnUsers) {
    const std::vector<std::pair<QString, bool>> cases = {{"", false},
                                                         {kCompaniesAndOrders, false},
                                                         {"users=R;\r\n", false},
                                                         {"users=RA;\r\n", true}};
    MainWindow window;
    QMenu* tools = window.Menu("Verktøy");
    ASSERT_NE(tools, nullptr);
    for (const auto& [rights, enabled] : cases) {
        SCOPED_TRACE(rights.toStdString());
        AsUser(rights);
        emit window.Menu("Database")->aboutToShow();
        EXPECT_EQ(tools->isEnabled(), enabled);
    }
    AsAdministrator();
    window.UpdateDatabaseMenu();
    EXPECT_TRUE(tools->isEnabled());
}

TEST_F(MainWindowTest, EveryMenuItemIsPresentWithItsCaption) {
    MainWindow window;
    const std::map<QString, QStringList> menus = {
        {"Database", {"Koble til database", "Verktøy"}},
        {"Verktøy",
         {"Kjør SQL ...", "Kjør SQL fra fil", "Importer i fra Varlokken 4", "Administratormodus",
          "Backup av alle tabeller databasen og brukere", "Backup av tabell",
          "Hent konfigurasjonsfil (sevrante.ini) fra server"}},
        {"Vis", {"Aktiviteter", "SQL-vindu", "Alle moduler", "Ny knapperad"}},
        {"Oppsett",
         {"Mapper", "Epost", "Nettleser", "WEB-mappe", "Avansert", "Varlokken Oppsett", "POS",
          "Endre passord"}},
        {"Avansert",
         {"Oppstart", "FTP-server", "Oppsett sikkerhetskopi", "Automatisk Dokumentimport",
          "Tabelloppsett", "Grupper"}},
        {"POS", {"Håndterminal", "Kvitteringsskriver", "Kasse"}},
        {"Hjelp", {"Systeminformasjon", "Oppgrader programmet fra internett"}},
    };
    for (const auto& [title, items] : menus) {
        QMenu* menu = window.Menu(title);
        ASSERT_NE(menu, nullptr) << title.toStdString();
        QStringList captions;
        for (QAction* action : menu->actions()) captions << action->text();
        EXPECT_EQ(captions, items) << title.toStdString();
    }
}

// No dead clicks: every item and button whose window comes later says so, once.
TEST_F(MainWindowTest, TargetsOfLaterVersionsSaySo) {
    AsAdministrator();
    auto window = ShownWindow();
    const QStringList items = {"Importer i fra Varlokken 4",
                               "Aktiviteter",
                               "Mapper",
                               "Epost",
                               "Nettleser",
                               "WEB-mappe",
                               "Automatisk Dokumentimport",
                               "Varlokken Oppsett",
                               "Håndterminal",
                               "Kvitteringsskriver",
                               "Kasse",
                               "Systeminformasjon"};
    for (const QString& item : items) {
        SCOPED_TRACE(item.toStdString());
        prompter_->ClearEvents();
        ASSERT_NE(window->Action(item), nullptr);
        window->Action(item)->trigger();
        EXPECT_EQ(Messages(), std::vector<QString>{kLater});
    }
    QStringList buttons;
    for (const PanelRule& rule : MainPanelRules())
        for (const PanelButtonRule& button : rule.buttons)
            buttons << (rule.panel == MainPanel::NewRecord ? button.hint : button.caption);
    for (const QString& done : QStringList{"Filer", "PDF-mappe", "WEB", "Personal", "Ny ansatt"})
        buttons.removeAll(done);
    for (const QString& caption : buttons) {
        SCOPED_TRACE(caption.toStdString());
        prompter_->ClearEvents();
        window->Button(caption)->click();
        EXPECT_EQ(Messages(), std::vector<QString>{kLater});
    }
    EXPECT_TRUE(opened_.isEmpty());
}

// A button opens the window registered under its name; the new-record row asks for the
// list's "Ny" command, and "Hovedmeny" of any window shows the main window.
TEST_F(MainWindowTest, ButtonsShowTheRegisteredWindows) {
    AsAdministrator();
    auto window = ShownWindow();
    QStringList shown;
    for (const QString& name : QStringList{"CompanyListForm", "ContactListForm", "ProductListForm"})
        RegisterWindow(name, [&shown, name](const QString& argument) { shown << name + "(" + argument + ")"; });
    window->Button("Fir&maer")->click();
    window->Button("&Kontakter")->click();
    window->Button("&Vareregister")->click();
    window->Button("Nytt firma")->click();
    window->Button("Ny vare")->click();
    for (const QString& name : QStringList{"CompanyListForm", "ContactListForm", "ProductListForm"})
        RegisterWindow(name, WindowShower());
    EXPECT_EQ(shown, (QStringList{"CompanyListForm()", "ContactListForm()", "ProductListForm()",
                                  "CompanyListForm(new)", "ProductListForm(new)"}));
    EXPECT_TRUE(Messages().empty());

    window->hide();
    EXPECT_TRUE(ShowWindow("MainWindow"));
    EXPECT_TRUE(window->isVisible());
}

TEST_F(MainWindowTest, AdministratorModeItemTurnsItOn) {
    AsUser("users=RA;\r\n");
    MainWindow window;
    window.Action("Administratormodus")->trigger();
    EXPECT_TRUE(ctx_.logon().AdminMode);
}

TEST_F(MainWindowTest, DocumentIdField) {
    AsAdministrator();
    auto window = ShownWindow();
    const std::vector<std::pair<QString, std::vector<QString>>> cases = {
        {"", {}},
        {"0", {}},
        {"42", {kLater}},
        {"4x2", {"FEIL: \"4x2\" er ikke et gyldig heltall."}},
    };
    for (const auto& [text, messages] : cases) {
        SCOPED_TRACE(text.toStdString());
        prompter_->ClearEvents();
        window->DocumentIdField()->setText(text);
        emit window->DocumentIdField()->returnPressed();
        EXPECT_EQ(Messages(), messages);
    }
}

TEST_F(MainWindowTest, FilesAndPdfFolderOpenInTheShell) {
    AsAdministrator();
    SetCompanyKey("PDF-mappe", "/srv/pdf/");
    auto window = ShownWindow();
    window->Button("Filer")->click();
    window->Button("PDF-mappe")->click();
    EXPECT_EQ(opened_, QStringList({ctx_.config().sevrantepath("data\\docs"), "/srv/pdf/"}));
    EXPECT_TRUE(Messages().empty());

    SetCompanyKey("PDF-mappe", "");
    window->Button("PDF-mappe")->click();
    EXPECT_EQ(opened_.size(), 2);
    EXPECT_EQ(Messages(), std::vector<QString>{"FEIL: PDF-mappe er ikke satt opp."});
}

TEST_F(MainWindowTest, WebAddressEncodesNameAndPasswordAndIsNeverLogged) {
    const struct {
        QString user, password, expected;
    } cases[] = {
        {"ola", "hemmelig", "https://portal.example/vl/?vluser=ola&vlpasswd=hemmelig"},
        {"ola nord", "p&w=1 ?#%æ",
         "https://portal.example/vl/?vluser=ola%20nord&vlpasswd=p%26w%3D1%20%3F%23%25%C3%A6"},
        {"a+b", "x&vluser=admin",
         "https://portal.example/vl/?vluser=a%2Bb&vlpasswd=x%26vluser%3Dadmin"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WebPortalAddress("https://portal.example/vl", c.user, c.password), c.expected);
        EXPECT_EQ(WebPortalAddress("https://portal.example/vl/", c.user, c.password), c.expected);
        // The portal reads back exactly what was sent.
        const QUrlQuery query(QUrl(c.expected).query(QUrl::FullyEncoded));
        EXPECT_EQ(query.queryItemValue("vluser", QUrl::FullyDecoded), c.user);
        EXPECT_EQ(query.queryItemValue("vlpasswd", QUrl::FullyDecoded), c.password);
    }

    AsAdministrator();
    ctx_.log().SetVerbose(true);
    ctx_.logon().CurrentUserName = "ola nord";
    ctx_.logon().CurrentUserPasswd = "p&w=1 ?#%æ";
    SetUserKey("VarlokkenWEB", "https://portal.example/vl");
    auto window = ShownWindow();
    window->Button("WEB")->click();
    EXPECT_EQ(opened_, QStringList{cases[1].expected});
    EXPECT_FALSE(LogMentions("p&w"));
    EXPECT_FALSE(LogMentions("vlpasswd"));
    EXPECT_FALSE(LogMentions("portal.example"));
    EXPECT_TRUE(Messages().empty());

    // A desktop that cannot open it: the failure is told without the address.
    window->SetShellOpener([](const QString&) { return false; });
    window->Button("WEB")->click();
    EXPECT_EQ(Messages(), std::vector<QString>{"FEIL: Kan ikke åpne Varlokken på WEB"});
    EXPECT_FALSE(LogMentions("vlpasswd"));
}

TEST_F(MainWindowTest, DroppedFilesAreHandedOverOneByOne) {
    AsAdministrator();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString readable = dir.filePath("faktura 17.pdf");
    {
        QFile file(readable);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4 test");
    }
    const QString missing = dir.filePath("borte.txt");
    const QString folder = dir.filePath("mappe");
    ASSERT_TRUE(QDir().mkpath(folder));
    auto window = ShownWindow();

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(readable), QUrl::fromLocalFile(missing),
                  QUrl::fromLocalFile(folder), QUrl("https://example.com/x.pdf")});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Straight to the window: QApplication only delivers drops of a drag it runs itself.
    static_cast<QObject*>(window.get())->event(&drop);

    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(
        LogMentions("Fil sluppet på hovedvinduet: " + readable + " (faktura 17.pdf, 13 byte"));
    EXPECT_TRUE(LogMentions("Fil sluppet på hovedvinduet: " + missing));
    EXPECT_TRUE(LogMentions("FEIL: kan ikke lese filen " + missing));
    EXPECT_FALSE(LogMentions("FEIL: kan ikke lese filen " + readable));
    EXPECT_FALSE(LogMentions("example.com"));
    EXPECT_EQ(Messages(), (std::vector<QString>{"FEIL: Kan ikke lese filen " + missing,
                                                "FEIL: Kan ikke lese filen " + folder}));
}

TEST_F(MainWindowTest, IniFilesGoToTheServerOnlyAfterTheUserAgrees) {
    MainWindow window;
    prompter_->No();
    window.Action("Hent konfigurasjonsfil (sevrante.ini) fra server")->trigger();
    ASSERT_EQ(prompter_->events().size(), 1u);
    EXPECT_EQ(prompter_->events()[0].text,
              "Lagre lokale inifiler på serveren? Serverens kopi blir overskrevet.");
    EXPECT_FALSE(prompter_->events()[0].defaultYes);
    EXPECT_TRUE(Messages().empty());

    // Yes without a connection: told that nothing was stored.
    prompter_->Yes();
    window.Action("Hent konfigurasjonsfil (sevrante.ini) fra server")->trigger();
    EXPECT_EQ(Messages(), std::vector<QString>{"FEIL: Inifilene ble ikke lagret på serveren."});
}

// Pictures of the window for people to look at: written when
// VARLOKKEN_SCREENSHOT_DIR names a folder.
TEST_F(MainWindowTest, RendersForAdministratorAndLimitedUser) {
    const QString folder = qEnvironmentVariable("VARLOKKEN_SCREENSHOT_DIR");
    const std::vector<std::pair<QString, QString>> users = {
        {"main-admin.png", ""}, {"main-limited.png", kCompaniesAndOrders}};
    for (const auto& [file, rights] : users) {
        SetCompanyKey("ShowNewPanel", rights.isEmpty() ? "1" : "0");
        if (rights.isEmpty()) {
            AsAdministrator();
        } else {
            AsUser(rights);
        }
        ctx_.logon().CurrentUserName = "ola";
        ctx_.logon().CurrentServer = "localhost";
        ctx_.logon().CurrentRealName = "Ola Nordmann";
        MainWindow window;
        window.show();
        window.RunShowSequence();
        QApplication::processEvents();
        const QImage image = window.grab().toImage();
        EXPECT_FALSE(image.isNull());
        EXPECT_EQ(image.height(), window.height());
        if (!folder.isEmpty()) {
            EXPECT_TRUE(image.save(folder + "/" + file));
        }
        window.close();
    }
}

}  // namespace
