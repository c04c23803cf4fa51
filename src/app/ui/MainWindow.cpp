#include "app/ui/MainWindow.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/frame/AppContext.h"
#include "app/ui/DroppedFiles.h"
#include "data/ui/UserAccessForm.h"  // UserListForm.h needs both window types complete
#include "data/ui/UserDataForm.h"
#include "data/ui/UserListForm.h"
#include "ui/LaterVersion.h"
#include "ui/WindowRegistry.h"

namespace {
constexpr int kDesignedWidth = 430;
}

MainWindow::MainWindow(QWidget* parent)
    : WindowBase<QMainWindow>(QStringLiteral("MainForm6"), parent) {
    setWindowTitle(QStringLiteral("Varlokken 6"));
    SetOnlyPos(true);
    setAcceptDrops(true);  // files dropped from the desktop go to the documents archive

    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(column);
    BuildPanels();
    layout->addStretch(1);

    statusField_ = new QLabel(this);
    statusBar()->addWidget(statusField_, 1);
    BuildMenus();
    resize(kDesignedWidth, height());
    // "Bytt til denne brukeren" in the user list: another user's name and rights.
    UserListForm::SetUserSwitchedHandler([this] { RunShowSequence(); });
    // "Hovedmeny" (F10) of every register's windows.
    RegisterWindow(QStringLiteral("MainWindow"), this, [this](const QString&) {
        show();
        raise();
        activateWindow();
    });
}

MainWindow::~MainWindow() {
    UnregisterWindow(QStringLiteral("MainWindow"), this);
    UserListForm::SetUserSwitchedHandler({});
}

void MainWindow::RunShowSequence() {
    Log& log = Ctx().log();
    log.WriteLog(QStringLiteral("Viser hovedmeny"));
    // The position itself is restored by the window base each time the window is shown.
    ApplyPanelVisibility();
    RefreshStatusBar();
    RecomputeHeight();
    log.WriteLog(QStringLiteral("Ferdig å vise hovedmeny"));
    if (QPushButton* deviations = Button(QStringLiteral("Avvik"))) deviations->setEnabled(true);
}

void MainWindow::RefreshStatusBar() {
    const LogonValues& logon = Ctx().logon();
    statusField_->setText(logon.CurrentUserName + QLatin1Char('@') + logon.CurrentServer +
                          QStringLiteral("   ") + logon.CurrentRealName);
}

QString MainWindow::StatusBarText() const { return statusField_->text(); }

void MainWindow::ShowComesLater() { ShowLaterVersion(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // The window base stores the position ("MainForm6") when the window hides.
    SetDiverse(QString());
    QMainWindow::closeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
    event->ignore();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data || !data->hasUrls()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) continue;
        const QFileInfo info(url.toLocalFile());
        ImportDroppedFile(info.absoluteFilePath(), info.fileName(), info.size(),
                          info.lastModified());
    }
}
