#pragma once
// A data module on a fresh schema of the test server with the company register's module,
// a fresh context with a scripted Prompter, and an import folder of its own.
#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "ModuleTest.h"
#include "crm/CrmModule.h"

class CrmFixture : public testsupport::ModuleTest {
  protected:
    CrmFixture() {
        ctx_.config().SetFolderPath(QStringLiteral("import"), folder_.path());
        ctx_.logon().CurrentUserId = 3;
        ctx_.logon().CurrentGroupId = 2;
    }

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

    QTemporaryDir folder_;
    CrmModule crm_{dm_};
};
