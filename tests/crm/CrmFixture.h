#pragma once
// A data module on a fresh schema of the test server with the company register's module,
// a fresh context with a scripted Prompter, and an import folder of its own.
#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "app/frame/AppContext.h"
#include "crm/CrmModule.h"
#include "data/DataModule.h"
#include "data/schema/Schema.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class CrmFixture : public ::testing::Test {
  protected:
    CrmFixture()
        : prompter_(new testsupport::ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(prompter_)) {
        ctx_.log().SetLoggingOn(true);
        ctx_.config().SetFolderPath(QStringLiteral("import"), folder_.path());
        ConnectParams p;
        p.socket = QString::fromStdString(db_.server().socket);
        p.user = QString::fromStdString(db_.server().user);
        p.password = QString::fromStdString(db_.server().password);
        p.database = QString::fromStdString(db_.schema());
        EXPECT_TRUE(dm_.connection().Connect(p)) << dm_.connection().LastError().toStdString();
        const schema::SchemaReport report = schema::CreateSchema(dm_.connection());
        EXPECT_TRUE(report.ok) << report.error.toStdString();
        ctx_.logon().AdminMode = true;
        ctx_.logon().ConnectState = 1;
        ctx_.logon().CurrentUserId = 3;
        ctx_.logon().CurrentGroupId = 2;
    }

    std::string Scalar(const QString& sql) const { return db_.Scalar(sql.toStdString()); }
    QString ScalarText(const QString& sql) const { return QString::fromStdString(Scalar(sql)); }
    void Exec(const QString& sql) const { db_.Exec(sql.toStdString()); }
    QString ImportFolder() const { return folder_.path() + QLatin1Char('/'); }

    // Inserts a company through the server and gives its id.
    int AddCompany(const QString& name, const QString& extraColumns = {},
                   const QString& extraValues = {}) {
        Connection& c = dm_.connection();
        Exec("INSERT INTO company (companyname" + extraColumns + ") VALUES (" + c.Quote(name) +
             extraValues + ")");
        return std::stoi(Scalar("SELECT MAX(id) FROM company"));
    }
    int AddContact(const QString& name, const QString& companyIdSql) {
        Exec("INSERT INTO contact (realname, companyid) VALUES (" + dm_.connection().Quote(name) +
             "," + companyIdSql + ")");
        return std::stoi(Scalar("SELECT MAX(id) FROM contact"));
    }

    // A column's values over the rows of a dataset, in its order.
    static QStringList Column(Dataset& d, const QString& column) {
        QStringList out;
        for (int i = 0; i < d.RecordCount(); ++i) out << d.TextAt(i, column);
        return out;
    }

    std::vector<QString> Messages() const { return prompter_->messages(); }

    testsupport::ScriptedPrompter* prompter_;  // owned by the context
    AppContext ctx_;
    QTemporaryDir folder_;
    testsupport::TestDatabase db_;
    DataModule dm_;
    CrmModule crm_{dm_};
};
