// The main window's menus. Items whose window arrives in a later version say so.
#include <QAction>
#include <QFrame>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "app/frame/AppContext.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MainWindowCommands.h"
#include "data/Rights.h"
#include "data/tools/SqlToolCommands.h"
#include "data/ui/BackupSetupForm.h"
#include "data/ui/GroupsForm.h"
#include "data/ui/SqlWindowForm.h"
#include "data/ui/TableSetupForm.h"

QAction* MainWindow::AddItem(QMenu* menu, const QString& caption, std::function<void()> command) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this, [command = std::move(command)] { command(); });
    actions_.insert(caption, action);
    return action;
}

void MainWindow::BuildMenus() {
    auto later = [] { ShowComesLater(); };
    auto addMenu = [this](QMenu* parent, const QString& title) {
        QMenu* menu = parent ? parent->addMenu(title) : menuBar()->addMenu(title);
        menus_.insert(title, menu);
        return menu;
    };

    QMenu* database = addMenu(nullptr, QStringLiteral("Database"));
    connect(database, &QMenu::aboutToShow, this, &MainWindow::UpdateDatabaseMenu);
    AddItem(database, QStringLiteral("Koble til database"), [this] { Reconnect(); });
    toolsMenu_ = addMenu(database, QStringLiteral("Verktøy"));
    AddItem(toolsMenu_, QStringLiteral("Kjør SQL ..."), [] { RunSqlCommand(); });
    AddItem(toolsMenu_, QStringLiteral("Kjør SQL fra fil"), [] { RunSqlFileCommand(); });
    AddItem(toolsMenu_, QStringLiteral("Importer i fra Varlokken 4"), later);
    AddItem(toolsMenu_, QStringLiteral("Administratormodus"), [] {
        Ctx().logon().AdminMode = true;
        Ctx().log().WriteLog(QStringLiteral("Administratormodus"));
    });
    AddItem(toolsMenu_, QStringLiteral("Backup av alle tabeller databasen og brukere"),
            [] { BackupAllCommand(); });
    AddItem(toolsMenu_, QStringLiteral("Backup av tabell"), [] { BackupTableCommand(); });
    AddItem(toolsMenu_, QStringLiteral("Hent konfigurasjonsfil (sevrante.ini) fra server"),
            [] { StoreIniFilesOnServer(); });

    QMenu* view = addMenu(nullptr, QStringLiteral("Vis"));
    connect(view, &QMenu::aboutToShow, this, &MainWindow::UpdateViewMenu);
    AddItem(view, QStringLiteral("Aktiviteter"), later);
    AddItem(view, QStringLiteral("SQL-vindu"), [this] { ShowSqlWindow(this); });
    QAction* all = AddItem(view, QStringLiteral("Alle moduler"), [this] { ShowAllModules(); });
    all->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    all->setShortcutContext(Qt::WindowShortcut);
    newRowAction_ = AddItem(view, QStringLiteral("Ny knapperad"), [this] { ToggleNewRecordRow(); });
    newRowAction_->setCheckable(true);

    QMenu* setup = addMenu(nullptr, QStringLiteral("Oppsett"));
    AddItem(setup, QStringLiteral("Mapper"), later);
    AddItem(setup, QStringLiteral("Epost"), later);
    AddItem(setup, QStringLiteral("Nettleser"), later);
    AddItem(setup, QStringLiteral("WEB-mappe"), later);
    QMenu* advanced = addMenu(setup, QStringLiteral("Avansert"));
    AddItem(advanced, QStringLiteral("Oppstart"), [this] { ShowStartupOptions(); });
    AddItem(advanced, QStringLiteral("FTP-server"), [this] { ShowFtpServerSetup(); });
    AddItem(advanced, QStringLiteral("Oppsett sikkerhetskopi"), [this] { ShowBackupSetup(this); });
    AddItem(advanced, QStringLiteral("Automatisk Dokumentimport"), later);
    AddItem(advanced, QStringLiteral("Tabelloppsett"), [this] { ShowTableSetup(this); });
    AddItem(advanced, QStringLiteral("Grupper"), [this] { ShowGroups(this); });
    AddItem(setup, QStringLiteral("Varlokken Oppsett"), later);
    QMenu* pos = addMenu(setup, QStringLiteral("POS"));
    AddItem(pos, QStringLiteral("Håndterminal"), later);
    AddItem(pos, QStringLiteral("Kvitteringsskriver"), later);
    AddItem(pos, QStringLiteral("Kasse"), later);
    AddItem(setup, QStringLiteral("Endre passord"), [] { ChangePassword(); });

    QMenu* help = addMenu(nullptr, QStringLiteral("Hjelp"));
    AddItem(help, QStringLiteral("Systeminformasjon"), later);
    AddItem(help, QStringLiteral("Oppgrader programmet fra internett"), [this] { Upgrade(); });
}

void MainWindow::UpdateDatabaseMenu() {
    toolsMenu_->setEnabled(HasAdminRight(QStringLiteral("users")));
}

void MainWindow::UpdateViewMenu() {
    newRowAction_->setChecked(!panels_.at(MainPanel::NewRecord).frame->isHidden());
}

QAction* MainWindow::Action(const QString& caption) const { return actions_.value(caption); }

QMenu* MainWindow::Menu(const QString& title) const { return menus_.value(title); }
