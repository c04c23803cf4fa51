// "Oppstart" and the server setup window: what they read when shown and
// write when closed.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include "AppTestSupport.h"
#include "app/frame/TextHelpers.h"
#include "app/ui/MainWindow.h"
#include "app/ui/ServerSetupForm.h"
#include "app/ui/StartupOptionsForm.h"

namespace {

class SetupFormsTest : public AppTest {
  protected:
    QString Key(const QString& section, const QString& key) const {
        return ctx_.config().ReadKey(section, key);
    }
};

TEST_F(SetupFormsTest, StartupOptionsRoundTripTheirSevenKeys) {
    const std::vector<std::pair<QString, QString>> expected = {
        {"autologon", "Automatisk pålogging"},
        {"LogToFile", "Logg til fil"},
        {"VerboseLogging", "Detaljert logging"},
        {"ClearLogFileOnStartup", "Slett loggfil ved oppstartt"},
        {"DirectLogging", "Direkte logging til fil"},
        {"DeleteTemporaryFiles", "Slett midlertidige filer"},
        {"DeleteSystemTemporaryFiles", "Slett midlertidige systemfiler"},
    };
    EXPECT_EQ(StartupOptionsForm::Options(), expected);

    // Older files spell the logging key "LogTofile".
    ctx_.config().WriteKey("STANDARD", "LogTofile", "1");
    ctx_.config().WriteKey("STANDARD", "VerboseLogging", "1");
    ctx_.config().WriteKey("STANDARD", "DeleteSystemTemporaryFiles", "1");
    StartupOptionsForm form;
    EXPECT_EQ(form.windowTitle(), "Oppstart");
    form.show();
    for (const auto& [key, caption] : expected) EXPECT_EQ(form.Box(key)->text(), caption);
    EXPECT_TRUE(form.Box("LogToFile")->isChecked());
    EXPECT_TRUE(form.Box("VerboseLogging")->isChecked());
    EXPECT_FALSE(form.Box("autologon")->isChecked());
    EXPECT_TRUE(form.Box("DeleteSystemTemporaryFiles")->isChecked());
    EXPECT_FALSE(form.Box("DeleteSystemTemporaryFiles")->isEnabled());

    form.Box("DeleteTemporaryFiles")->setChecked(true);
    EXPECT_TRUE(form.Box("DeleteSystemTemporaryFiles")->isEnabled());
    form.Box("DeleteTemporaryFiles")->setChecked(false);
    EXPECT_FALSE(form.Box("DeleteSystemTemporaryFiles")->isEnabled());
    form.Box("DeleteTemporaryFiles")->setChecked(true);
    form.Box("autologon")->setChecked(true);
    form.Box("LogToFile")->setChecked(false);
    form.close();

    const std::vector<std::pair<QString, QString>> written = {{"autologon", "1"},
                                                              {"LogToFile", "0"},
                                                              {"VerboseLogging", "1"},
                                                              {"ClearLogFileOnStartup", "0"},
                                                              {"DirectLogging", "0"},
                                                              {"DeleteTemporaryFiles", "1"},
                                                              {"DeleteSystemTemporaryFiles", "1"}};
    for (const auto& [key, value] : written)
        EXPECT_EQ(Key("STANDARD", key), value) << key.toStdString();
    // One logging key, however it was spelled before.
    EXPECT_EQ(ctx_.config().ConfigFile().Value("STANDARD", "logtofile"), "0");

    StartupOptionsForm again;
    again.show();
    EXPECT_TRUE(again.Box("autologon")->isChecked());
    EXPECT_FALSE(again.Box("LogToFile")->isChecked());
    EXPECT_TRUE(again.Box("DeleteSystemTemporaryFiles")->isEnabled());
    again.close();
}

TEST_F(SetupFormsTest, ServerSetupRoundTripWithScrambledPasswordAndDefaultPort) {
    const QString section = "SERVER-SETTING-FTP";
    ctx_.config().WriteKey(section, "name", "Lager");
    ctx_.config().WriteKey(section, "server", "ftp.lager.example");
    ctx_.config().WriteKey(section, "folder", "/inn/");
    ctx_.config().WriteKey(section, "username", "ola");
    ctx_.config().WriteKey(section, "password", ScramblePassword("hemmelig"));
    ctx_.config().WriteKey(section, "port", "2121");
    ctx_.config().WriteKey(section, "SSL", "1");

    ServerSetupForm form("Oppsett FTP-server", "FTP");
    EXPECT_EQ(form.windowTitle(), "Oppsett FTP-server");
    form.show();
    EXPECT_EQ(form.NameEdit()->text(), "Lager");
    EXPECT_EQ(form.ServerEdit()->text(), "ftp.lager.example");
    EXPECT_EQ(form.FolderEdit()->text(), "/inn/");
    EXPECT_EQ(form.UserEdit()->text(), "ola");
    EXPECT_EQ(form.PasswordEdit()->text(), "hemmelig");
    EXPECT_EQ(form.PortEdit()->text(), "2121");
    EXPECT_TRUE(form.SslBox()->isChecked());
    EXPECT_EQ(form.PasswordEdit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(form.PasswordEdit()->toolTip(), "Dobbelklikk for å skjule/vise passord i klartekst");

    // A double click shows the password, another hides it again.
    const QPointF at(5, 5);
    for (QLineEdit::EchoMode mode : {QLineEdit::Normal, QLineEdit::Password}) {
        QMouseEvent click(QEvent::MouseButtonDblClick, at, form.PasswordEdit()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.PasswordEdit(), &click);
        EXPECT_EQ(form.PasswordEdit()->echoMode(), mode);
    }

    form.PasswordEdit()->setText("nytt'pass");
    form.PortEdit()->setText("  ");
    form.SslBox()->setChecked(false);
    form.ServerEdit()->setText("ftp2.lager.example");
    form.close();
    EXPECT_EQ(Key(section, "server"), "ftp2.lager.example");
    EXPECT_EQ(Key(section, "password"), ScramblePassword("nytt'pass"));
    EXPECT_NE(Key(section, "password"), "nytt'pass");
    EXPECT_EQ(Key(section, "port"), "21");
    EXPECT_EQ(Key(section, "SSL"), "0");
    EXPECT_EQ(Key(section, "name"), "Lager");

    ServerSetupForm again("Oppsett FTP-server", "FTP");
    again.show();
    EXPECT_EQ(again.PasswordEdit()->text(), "nytt'pass");
    EXPECT_EQ(again.PortEdit()->text(), "21");
    again.close();
}

TEST_F(SetupFormsTest, MenuItemsOpenTheWindowsModally) {
    MainWindow window;
    const std::vector<std::pair<QString, QString>> items = {{"Oppstart", "Oppstart"},
                                                            {"FTP-server", "Oppsett FTP-server"}};
    for (const auto& [item, title] : items) {
        QString shown;
        QTimer::singleShot(0, [&shown] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            shown = modal->windowTitle();
            modal->close();
        });
        window.Action(item)->trigger();
        EXPECT_EQ(shown, title);
    }
    EXPECT_EQ(Key("SERVER-SETTING-FTP", "port"), "21");
    EXPECT_EQ(Key("STANDARD", "autologon"), "0");
}

}  // namespace
