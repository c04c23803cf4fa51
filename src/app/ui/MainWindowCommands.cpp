// The commands behind the main window's buttons and several menu items.
#include "app/ui/MainWindowCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTimer>
#include <QUrl>

#include "app/frame/AppContext.h"
#include "app/frame/FileOps.h"
#include "app/frame/TextHelpers.h"
#include "app/ui/LogonDialog.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MainWindowTargets.h"
#include "app/ui/ServerSetupForm.h"
#include "app/ui/StartupOptionsForm.h"
#include "crm/CrmModule.h"
#include "data/DataModule.h"
#include "data/ui/UserAccessForm.h"  // UserListForm.h needs both window types complete
#include "data/ui/UserDataForm.h"
#include "data/ui/UserListForm.h"
#include "platform/ShellOpen.h"
#include "ui/WindowRegistry.h"

namespace {
bool Connected() {
    return DataModule::HasCurrent() && Ctx().logon().ConnectState == 1 &&
           DM().connection().IsConnected();
}

// A saved log-on of the same user keeps working with the new password.
void UpdateSavedPassword(const QString& password) {
    ConfigStore& config = Ctx().config();
    const QString section = QStringLiteral("VARLOKKEN_SQL");
    const QString saved = config.ReadKey(section, QStringLiteral("Password"));
    const QString savedUser = config.ReadKey(section, QStringLiteral("Username"));
    if (saved.isEmpty() ||
        savedUser.compare(Ctx().logon().CurrentUserName, Qt::CaseInsensitive) != 0)
        return;
    config.WriteKey(section, QStringLiteral("Password"), ScramblePassword(password));
}
}  // namespace

bool ChangePassword() {
    const QString answer = AskInput(QStringLiteral("Nytt passord"));
    if (answer.length() <= 3) {
        ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Passordet er for kort."));
        return false;
    }
    if (!Connected()) {
        ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Ikke koblet til databasen."));
        return false;
    }
    DataModule& dm = DM();
    const QString sql = QStringLiteral("SET PASSWORD = PASSWORD(") + dm.connection().Quote(answer) +
                        QLatin1Char(')');
    if (!dm.ExecSql(sql)) {
        // The server's text may quote the statement.
        QString refusal = dm.LastSqlError();
        refusal.replace(answer, QStringLiteral("***"));
        refusal.replace(dm.connection().Escape(answer), QStringLiteral("***"));
        ShowMessage(QStringLiteral("FEIL"), refusal);
        return false;
    }
    Ctx().logon().CurrentPassword = answer;
    dm.connection().SetPassword(answer);
    UpdateSavedPassword(answer);
    Ctx().log().WriteLog(QStringLiteral("Passordet er endret for ") +
                         Ctx().logon().CurrentUserName);
    ShowMessage(QStringLiteral("Endre passord"), QStringLiteral("Passordet er endret."));
    return true;
}

bool StoreIniFilesOnServer() {
    if (!AskYesNo(
            QStringLiteral("Lagre lokale inifiler på serveren? Serverens kopi blir overskrevet."),
            false))
        return false;
    if (!Connected() || !DM().UpDateIniFiles()) {
        ShowMessage(QStringLiteral("FEIL"),
                    QStringLiteral("Inifilene ble ikke lagret på serveren."));
        return false;
    }
    return true;
}

QString WebPortalAddress(const QString& base, const QString& user, const QString& password) {
    QString start = base.trimmed();
    while (start.endsWith(QLatin1Char('/'))) start.chop(1);
    return start + QStringLiteral("/?vluser=") +
           QString::fromLatin1(QUrl::toPercentEncoding(user)) + QStringLiteral("&vlpasswd=") +
           QString::fromLatin1(QUrl::toPercentEncoding(password));
}

// ----------------------------------------------------------------- window commands

void MainWindow::RunButton(const QString& caption) {
    if (caption == QLatin1String("Filer")) return OpenFilesFolder();
    if (caption == QLatin1String("PDF-mappe")) return OpenPdfFolder();
    if (caption == QLatin1String("WEB")) return OpenWebPortal();
    if (caption == QLatin1String("Personal")) return ShowUserList(this);
    if (caption == QLatin1String("Ny ansatt")) return NewEmployee();
    const MainWindowTarget target = MainWindowTargetOf(caption);
    if (target.window.isEmpty()) return ShowComesLater();
    // The contact list from here shows every contact.
    if (target.window == QLatin1String("ContactListForm") && CrmModule::HasCurrent())
        Crm().SetContactCondition(QString());
    ShowWindow(target.window, target.argument);
}

void MainWindow::DocumentIdEntered() {
    const QString text = documentId_->text().trimmed();
    if (text.isEmpty()) return;
    bool ok = false;
    const qlonglong id = text.toLongLong(&ok);
    if (!ok) {
        ShowMessage(QStringLiteral("FEIL"),
                    QLatin1Char('"') + text + QStringLiteral("\" er ikke et gyldig heltall."));
        return;
    }
    if (id != 0) ShowComesLater();
}

bool MainWindow::OpenInShell(const QString& target, bool mayLog) {
    if (shellOpener_) return shellOpener_(target);
    // The frame's ShellOpen logs a failure with the target; addresses with a
    // password go straight to the desktop's handler.
    return mayLog ? ShellOpen(target) : platform::ShellOpen(target);
}

void MainWindow::OpenFilesFolder() {
    OpenInShell(Ctx().config().sevrantepath(QStringLiteral("data\\docs")), true);
}

void MainWindow::OpenPdfFolder() {
    ConfigStore& config = Ctx().config();
    config.SelectSection(ConfigStore::StandardSection);
    const QString folder = config.ReadIniString(QStringLiteral("PDF-mappe"));
    config.RestoreSection();
    if (folder.trimmed().isEmpty()) {
        ShowMessage(QStringLiteral("FEIL"), QStringLiteral("PDF-mappe er ikke satt opp."));
        return;
    }
    OpenInShell(folder, true);
}

void MainWindow::OpenWebPortal() {
    AppContext& ctx = Ctx();
    ConfigStore& config = ctx.config();
    config.OpenUserIni();
    config.SelectSection(ConfigStore::StandardSection);
    const QString base = config.ReadIniString(QStringLiteral("VarlokkenWEB"));
    config.RestoreSection();
    config.CloseUserIni();
    if (base.trimmed().isEmpty()) {
        ShowMessage(QStringLiteral("FEIL"),
                    QStringLiteral("Adressen til Varlokken på WEB er ikke satt opp."));
        return;
    }
    const LogonValues& logon = ctx.logon();
    // The address carries the password: it is never logged.
    ctx.log().WriteLog(QStringLiteral("Åpner Varlokken på WEB"));
    if (!OpenInShell(WebPortalAddress(base, logon.CurrentUserName, logon.CurrentUserPasswd),
                     false)) {
        ctx.log().WriteLog(QStringLiteral("FEIL: kan ikke åpne Varlokken på WEB"));
        ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Kan ikke åpne Varlokken på WEB"));
    }
}

void MainWindow::NewEmployee() {
    // The user list's own "Ny ansatt", with the list open behind the new record.
    UserListForm list(this);
    QTimer::singleShot(0, &list, [&list] {
        if (QAction* add = list.Command(QStringLiteral("Ny ansatt"))) add->trigger();
    });
    list.exec();
}

void MainWindow::Reconnect() {
    // Connected or not, the window shows what the log-on left.
    if (reconnect_) {
        reconnect_(this);
    } else {
        ShowLogonDialog(this);
    }
    RefreshStatusBar();
    RunShowSequence();
}

void MainWindow::Upgrade() {
    if (!UpgradeProgram(this)) return;
    if (quit_) {
        quit_();
        return;
    }
    close();
    QCoreApplication::quit();
}

void MainWindow::ShowStartupOptions() {
    StartupOptionsForm form(this);
    form.exec();
}

void MainWindow::ShowFtpServerSetup() {
    ServerSetupForm form(QStringLiteral("Oppsett FTP-server"), QStringLiteral("FTP"), this);
    form.exec();
}
