#pragma once
// The company and postal code windows' tests: the data module on a fresh schema of the test
// server with the company register's module, a fresh context with a scripted Prompter,
// folders in a temporary home (the postal register in its import folder), a QApplication,
// and a local HTTP server for the register's download.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "../../frame/TempHome.h"
#include "ModuleTest.h"
#include "crm/CrmModule.h"

struct CompanyWindowsHome {
    TempHome home_;
};

// The home comes first: the context reads its folders from it.
class CompanyWindowsFixture : protected CompanyWindowsHome, public testsupport::ModuleTest {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "crm_ui_company_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }
    CompanyWindowsFixture() {
        ctx_.config().SetFolderPath(QStringLiteral("import"), import_.path());
        ctx_.logon().CurrentUserId = 3;
        ctx_.logon().CurrentGroupId = 2;
    }

    int AddCompany(const QString& name, const QString& extraColumns = {}, const QString& extraValues = {}) {
        Exec("INSERT INTO company (companyname" + extraColumns + ") VALUES (" + dm_.connection().Quote(name) +
             extraValues + ")");
        return std::stoi(Scalar("SELECT MAX(id) FROM company"));
    }
    int AddContact(const QString& name, int companyId) {
        Exec("INSERT INTO contact (realname, companyid) VALUES (" + dm_.connection().Quote(name) + "," +
             QString::number(companyId) + ")");
        return std::stoi(Scalar("SELECT MAX(id) FROM contact"));
    }
    int AddUser(const QString& initials, const QString& realname) {
        Exec("INSERT INTO users (initials, realname, username, activ) VALUES (" + dm_.connection().Quote(initials) +
             "," + dm_.connection().Quote(realname) + "," + dm_.connection().Quote(initials.toLower()) + ",1)");
        return std::stoi(Scalar("SELECT MAX(id) FROM users"));
    }
    QString RegisterPath() const { return import_.path() + QStringLiteral("/postnummer.txt"); }
    void WritePostalRegister(const QByteArray& bytes) {
        QFile f(RegisterPath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // A company column as the server holds it ("NULL" for NULL).
    QString Stored(const QString& column, int id) {
        return ScalarText("SELECT IFNULL(" + column + ", 'NULL') FROM company WHERE id=" + QString::number(id));
    }

    // A column's values over the rows of a dataset, in its order.
    static QStringList Column(Dataset& d, const QString& column) {
        QStringList out;
        for (int i = 0; i < d.RecordCount(); ++i) out << d.TextAt(i, column);
        return out;
    }
    QStringList Messages() const {
        QStringList out;
        for (const QString& m : prompter_->messages()) out << m;
        return out;
    }
    // A value the window keeper stored in the per-user ini.
    QString StoredWindowValue(const QString& window, const QString& key) {
        ctx_.config().OpenUserIni();
        const QString value = ctx_.config().ReadKey(QStringLiteral("VINDU-") + window, key);
        ctx_.config().CloseUserIni();
        return value;
    }

    // Sends a key as the keyboard would.
    static void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                         const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(widget, &release);
    }
    // Works the modal dialog that the next call opens, once it is shown.
    static void WhenModalShown(std::function<void(QWidget* dialog)> work) {
        QTimer::singleShot(0, [work = std::move(work)] {
            QWidget* dialog = QApplication::activeModalWidget();
            EXPECT_NE(dialog, nullptr);
            if (dialog) work(dialog);
        });
    }

    QTemporaryDir import_;
    CrmModule crm_{dm_};
};

// `python3 -m http.server` on 127.0.0.1 serving a fresh temporary folder, on the port it
// picks itself; stopped when the object goes away.
class LoopbackHttpServer {
  public:
    LoopbackHttpServer() {
        process_.setProgram(QStringLiteral("python3"));
        process_.setArguments({"-u", "-m", "http.server", "--bind", "127.0.0.1", "--directory", dir_.path(), "0"});
        process_.setProcessChannelMode(QProcess::MergedChannels);
        process_.start();
        if (!process_.waitForStarted(10000)) {
            ADD_FAILURE() << "python3 -m http.server did not start";
            return;
        }
        // "Serving HTTP on 127.0.0.1 port 40123 (http://127.0.0.1:40123/) ..."
        const QRegularExpression portText(QStringLiteral("port (\\d+)"));
        QByteArray output;
        while (port_ == 0 && process_.state() == QProcess::Running) {
            if (!process_.waitForReadyRead(10000)) break;
            output += process_.readAll();
            const auto match = portText.match(QString::fromUtf8(output));
            if (match.hasMatch()) port_ = match.captured(1).toInt();
        }
        if (port_ == 0) ADD_FAILURE() << "no port from http.server: " << output.toStdString();
    }
    ~LoopbackHttpServer() {
        process_.kill();
        process_.waitForFinished(5000);
    }

    // The server's address, without a closing "/".
    QString Base() const { return QStringLiteral("http://127.0.0.1:%1").arg(port_); }
    // A file the server hands out, at a path below its folder.
    void Put(const QString& path, const QByteArray& content) const {
        const QString file = dir_.filePath(path);
        QDir().mkpath(QFileInfo(file).path());
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

  private:
    QTemporaryDir dir_;
    QProcess process_;
    int port_ = 0;
};
