#pragma once
// The company, contact and postal code windows' tests: the data module on a fresh schema of
// the test server with the company register's module, a fresh context with a scripted
// Prompter, folders in a temporary home (the postal register in its import folder), a
// QApplication, and what the tests put on the server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "../../frame/TempHome.h"
#include "HttpTestServer.h"
#include "ModuleTest.h"
#include "WindowTestSupport.h"
#include "crm/CrmModule.h"

using testsupport::PressKey;
using testsupport::WhenModalShown;

struct CrmWindowsHome {
    TempHome home_;
};

// The home comes first: the context reads its folders from it.
class CrmWindowsFixture : protected CrmWindowsHome, public testsupport::ModuleTest {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "crm_ui_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }
    CrmWindowsFixture() {
        ctx_.config().SetFolderPath(QStringLiteral("import"), import_.path());
        ctx_.logon().CurrentUserId = 3;
        ctx_.logon().CurrentGroupId = 2;
    }

    int AddCompany(const QString& name, const QString& extraColumns = {}, const QString& extraValues = {}) {
        Exec("INSERT INTO company (companyname" + extraColumns + ") VALUES (" + dm_.connection().Quote(name) +
             extraValues + ")");
        return std::stoi(Scalar("SELECT MAX(id) FROM company"));
    }
    // A contact with its company (an id or "NULL") and further columns.
    int AddContact(const QString& name, const QString& companyIdSql, const QString& extraColumns = {},
                   const QString& extraValues = {}) {
        Exec("INSERT INTO contact (realname, companyid" + extraColumns + ") VALUES (" +
             dm_.connection().Quote(name) + "," + companyIdSql + extraValues + ")");
        return std::stoi(Scalar("SELECT MAX(id) FROM contact"));
    }
    int AddContact(const QString& name, int companyId) { return AddContact(name, QString::number(companyId)); }
    int AddUser(const QString& initials, const QString& realname, int activ = 1) {
        Exec("INSERT INTO users (initials, realname, username, activ) VALUES (" + dm_.connection().Quote(initials) +
             "," + dm_.connection().Quote(realname) + "," + dm_.connection().Quote(initials.toLower()) + "," +
             QString::number(activ) + ")");
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

    QTemporaryDir import_;
    CrmModule crm_{dm_};
};
