// The log-on dialog offscreen: what it shows, "Alternativer >>", Enter in every field,
// "Logg på" against the test server, "&Avbryt", the table setup on a double click on
// "Database:", and autologon without a dialog.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "LogonFixture.h"
#include "app/frame/TextHelpers.h"
#include "app/ui/LogonDialog.h"

namespace {

void EnsureApplication() {
    static int argc = 1;
    static char name[] = "logon_dialog_test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

class LogonDialogTest : public LogonFixture {
  protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void Save(const QString& password, const QString& server) {
        ctx_.config().WriteKey("VARLOKKEN_SQL", "Username", User());
        ctx_.config().WriteKey("VARLOKKEN_SQL", "Password", ScramblePassword(password));
        ctx_.config().WriteKey("VARLOKKEN_SQL", "Servername", server);
        ctx_.config().WriteKey("VARLOKKEN_SQL", "Database", Schema());
    }
    // Closes whatever modal window opens next, and remembers its caption.
    void CloseNextModal() {
        QTimer::singleShot(0, [this] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                modalSeen_ << w->windowTitle();
                w->close();
            }
        });
    }
    static void PressEnter(QWidget* w) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &press);
    }

    QStringList modalSeen_;
};

TEST_F(LogonDialogTest, ShowsTheSavedLogOnAndOnlyTheUserFields) {
    Save("hemmelig", "db1");
    LogonDialog dialog(dm_);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Varlokken pålogging");
    EXPECT_EQ(dialog.versionLabel()->text(), "Varlokken versjon 6.12-732  08.10.2012");
    EXPECT_EQ(dialog.userEdit()->text(), User());
    EXPECT_EQ(dialog.passwordEdit()->text(), "hemmelig");
    EXPECT_EQ(dialog.passwordEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(dialog.serverEdit()->text(), "db1");
    EXPECT_EQ(dialog.databaseEdit()->text(), Schema());
    EXPECT_TRUE(dialog.rememberBox()->isChecked());
    EXPECT_EQ(dialog.rememberBox()->text(), "Husk pålogging");
    EXPECT_EQ(dialog.loadIniBox()->text(), "Last inifil fra server");
    EXPECT_EQ(dialog.logonButton()->text(), "Logg på");
    EXPECT_EQ(dialog.cancelButton()->text(), "&Avbryt");
    EXPECT_EQ(dialog.optionsButton()->text(), "Alternativer >>");
    EXPECT_TRUE(dialog.userPanel()->isVisible());
    EXPECT_FALSE(dialog.optionsPanel()->isVisible());
    EXPECT_FALSE(dialog.progressPanel()->isVisible());
    EXPECT_EQ(dialog.progressBar()->maximum(), 40);
}

TEST_F(LogonDialogTest, AlternativerEnlargesFocusesTheServerAndDisablesItself) {
    LogonDialog dialog(dm_);
    dialog.show();
    QApplication::processEvents();
    const int before = dialog.height();
    dialog.optionsButton()->click();
    QApplication::processEvents();
    EXPECT_TRUE(dialog.optionsPanel()->isVisible());
    EXPECT_GT(dialog.height(), before);
    EXPECT_FALSE(dialog.optionsButton()->isEnabled());
    EXPECT_EQ(dialog.focusWidget(), dialog.serverEdit());
    if (const QByteArray png = qgetenv("VARLOKKEN_LOGON_PNG"); !png.isEmpty())
        dialog.grab().save(QString::fromLocal8Bit(png));
}

TEST_F(LogonDialogTest, EnterInAnyFieldLogsOn) {
    LogonDialog probe(dm_);
    for (QLineEdit* (LogonDialog::*field)() const :
         {&LogonDialog::userEdit, &LogonDialog::passwordEdit, &LogonDialog::serverEdit,
          &LogonDialog::databaseEdit}) {
        prompter_->ClearEvents();
        LogonDialog dialog(dm_);
        dialog.show();
        dialog.ShowOptions();
        dialog.serverEdit()->setText("127.0.0.1:1");  // nothing listens: fails at once
        PressEnter((dialog.*field)());
        EXPECT_EQ(prompter_->messages(),
                  std::vector<QString>{"FEIL: Kan ikke koble til 127.0.0.1:1"});
        // The dialog stays, showing only its progress panel.
        EXPECT_FALSE(dialog.Connected());
        EXPECT_TRUE(dialog.progressPanel()->isVisible());
        EXPECT_FALSE(dialog.userPanel()->isVisible());
        EXPECT_FALSE(dialog.logonButton()->isVisible());
        EXPECT_TRUE(dialog.isVisible());
    }
    EXPECT_EQ(ctx_.logon().ConnectState, -1);
}

TEST_F(LogonDialogTest, LogOnConnectsSavesAndCloses) {
    LogonDialog dialog(dm_);
    dialog.show();
    dialog.userEdit()->setText(User());
    dialog.passwordEdit()->setText(Password());
    dialog.serverEdit()->setText(Socket());
    dialog.databaseEdit()->setText(Schema());
    dialog.rememberBox()->setChecked(true);
    dialog.logonButton()->click();
    EXPECT_TRUE(dialog.Connected());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_GT(dialog.progressBar()->value(), 24);
    EXPECT_EQ(ctx_.logon().ConnectState, 1);
    EXPECT_TRUE(prompter_->messages().empty());
    EXPECT_EQ(ctx_.config().ReadKey("VARLOKKEN_SQL", "Password"), ScramblePassword(Password()));
    EXPECT_EQ(ctx_.config().ReadKey("VARLOKKEN_SQL", "Servername"), Socket());
}

TEST_F(LogonDialogTest, NameAtHostFillsTheServerFields) {
    LogonDialog dialog(dm_);
    dialog.show();
    dialog.userEdit()->setText("ola@127.0.0.1:1");
    dialog.logonButton()->click();
    EXPECT_EQ(dialog.userEdit()->text(), "ola");
    EXPECT_EQ(dialog.serverEdit()->text(), "127.0.0.1:1");
    EXPECT_EQ(dialog.databaseEdit()->text(), "127");
    EXPECT_EQ(prompter_->messages(), std::vector<QString>{"FEIL: Kan ikke koble til 127.0.0.1:1"});
}

TEST_F(LogonDialogTest, AvbrytIsTheCancelThatEndsTheProgram) {
    LogonDialog dialog(dm_);
    dialog.show();
    dialog.cancelButton()->click();
    EXPECT_TRUE(dialog.Cancelled());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(ctx_.logon().ConnectState, 0);

    // Closing the window otherwise is not "&Avbryt".
    LogonDialog other(dm_);
    other.show();
    other.reject();
    EXPECT_FALSE(other.Cancelled());
}

TEST_F(LogonDialogTest, DoubleClickOnDatabaseOpensTheTableSetup) {
    LogonDialog dialog(dm_);
    dialog.show();
    dialog.ShowOptions();
    CloseNextModal();
    const QPointF at(5, 5);
    QMouseEvent click(QEvent::MouseButtonDblClick, at, dialog.databaseEdit()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog.databaseEdit(), &click);
    EXPECT_EQ(modalSeen_, QStringList{"Tabelloppsett"});
}

TEST_F(LogonDialogTest, AutologonWithAWrongPasswordShowsTheErrorAndNoDialog) {
    Save("feil", Socket());
    ctx_.config().WriteKey("STANDARD", "autologon", "1");
    CloseNextModal();  // a dialog would be closed here, and seen
    EXPECT_EQ(RunStartLogon(nullptr), LogonOutcome::NotConnected);
    QApplication::processEvents();
    EXPECT_TRUE(modalSeen_.isEmpty());
    EXPECT_EQ(prompter_->messages(), std::vector<QString>{"FEIL: Kan ikke koble til " + Socket()});
    EXPECT_EQ(ctx_.logon().ConnectState, -1);
}

}  // namespace
