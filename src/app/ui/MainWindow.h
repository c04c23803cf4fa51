#pragma once

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <functional>
#include <map>

#include "app/ui/MainWindowPanelRules.h"
#include "ui/WindowBase.h"

class QAction;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

// The main window "MainForm6": a column of module panels shown by the user's
// rights and own hide keys, the new-record row, the menus and the status bar.
// Files dropped on it go to ImportDroppedFile one by one.
//
// The program shows it and then calls RunShowSequence(); "Koble til database"
// runs the log-on again and then both RefreshStatusBar() and RunShowSequence().
class MainWindow : public WindowBase<QMainWindow> {
    Q_OBJECT
  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // Logs "Viser hovedmeny", sets the panels and buttons by rights and hide
    // keys, the status bar and the height, logs "Ferdig å vise hovedmeny" and
    // enables "Avvik".
    void RunShowSequence();
    // The first field: user name "@" server, three blanks, real name.
    void RefreshStatusBar();
    QString StatusBarText() const;

    // The panels' visibility from the rights and the per-user hide keys.
    void ApplyPanelVisibility();
    // The height of the visible panels (the new-record row when "ShowNewPanel"
    // is on, which also shows or hides it), the menu bar and the status bar.
    void RecomputeHeight();
    int ComputedHeight() const { return computedHeight_; }

    // "Alle moduler": every hide key written as false, the panels the rights
    // allow shown again.
    void ShowAllModules();
    // "Ny knapperad": toggles "ShowNewPanel" in the company ini.
    void ToggleNewRecordRow();
    // A hide button: the panel's hide key written as true.
    void HidePanel(MainPanel panel);
    // Opening the "Database" menu: "Verktøy" only with the admin right on users.
    void UpdateDatabaseMenu();
    // Opening the "Vis" menu: "Ny knapperad" checked when the row is shown.
    void UpdateViewMenu();

    // --- hooks set from outside ---
    // The log-on dialog for "Koble til database" (true when it connected); without one
    // ShowLogonDialog is used.
    void SetReconnectHandler(std::function<bool(QWidget* parent)> handler) {
        reconnect_ = std::move(handler);
    }
    // Opens a folder or a web address in the desktop (tests record instead).
    // The default uses the desktop's handler.
    void SetShellOpener(std::function<bool(const QString& target)> opener) {
        shellOpener_ = std::move(opener);
    }
    // Ends the program after the updater started (default: close and quit).
    void SetQuitHandler(std::function<void()> quit) { quit_ = std::move(quit); }

    // --- parts, for the program and for tests ---
    QFrame* Panel(MainPanel panel) const;
    // A panel counts as shown when it is not hidden inside the window.
    bool PanelShown(MainPanel panel) const;
    // A module button by its caption (the new-record buttons by their hint).
    QPushButton* Button(const QString& caption) const;
    bool ButtonShown(const QString& caption) const;
    QToolButton* HideButton(MainPanel panel) const;
    QLineEdit* DocumentIdField() const { return documentId_; }
    // A menu item by its caption, a menu by its title.
    QAction* Action(const QString& caption) const;
    QMenu* Menu(const QString& title) const;

    // The commands behind the buttons and the document-number field.
    void RunButton(const QString& caption);
    void DocumentIdEntered();

    // The text every target that arrives in a later version shows.
    static void ShowComesLater();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    struct PanelWidgets {
        QFrame* frame = nullptr;
        QGridLayout* grid = nullptr;
        QToolButton* hide = nullptr;
        std::vector<QPushButton*> buttons;  // in the rule's order
    };

    void BuildPanels();
    void BuildPanel(const PanelRule& rule);
    void LayOutButtons(PanelWidgets& widgets);
    void BuildMenus();
    QAction* AddItem(QMenu* menu, const QString& caption, std::function<void()> command);
    bool NewRecordRowOn();

    // Commands (MainWindowCommands.cpp).
    void Reconnect();
    void OpenFilesFolder();
    void OpenPdfFolder();
    void OpenWebPortal();
    void NewEmployee();
    void Upgrade();
    void ShowStartupOptions();
    void ShowFtpServerSetup();
    bool OpenInShell(const QString& target, bool mayLog);

    std::map<MainPanel, PanelWidgets> panels_;
    QHash<QString, QPushButton*> buttons_;
    QHash<QString, QAction*> actions_;
    QHash<QString, QMenu*> menus_;
    QLineEdit* documentId_ = nullptr;
    QLabel* statusField_ = nullptr;
    QMenu* toolsMenu_ = nullptr;
    QAction* newRowAction_ = nullptr;
    int computedHeight_ = 0;

    std::function<bool(QWidget*)> reconnect_;
    std::function<bool(const QString&)> shellOpener_;
    std::function<void()> quit_;
};
