#pragma once
// A data module on a fresh schema with the product rules installed, the product table open
// over every product, and a fresh context with a scripted Prompter and the log on.
#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <ostream>
#include <string>

#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "data/schema/Schema.h"
#include "products/ProductRules.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class ProductFixture : public ::testing::Test {
  protected:
    ProductFixture()
        : prompter_(new testsupport::ScriptedPrompter),
          ctx_(std::unique_ptr<Prompter>(prompter_)),
          rules_(dm_) {
        ctx_.log().SetLoggingOn(true);
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
        ctx_.logon().CurrentUserId = 7;
        ctx_.logon().CurrentGroupId = 3;
        Products().SetFilterSql(QString());
    }

    Table& Products() { return dm_.ProductTable(); }
    bool OpenProducts() { return dm_.OpenTableWithRights(Products(), true, false); }

    // A product row written straight to the server; its id.
    long long AddProduct(const std::string& code, const std::string& columns = "",
                         const std::string& values = "") {
        db_.Exec("INSERT INTO product (productcode" + (columns.empty() ? "" : "," + columns) +
                 ") VALUES ('" + code + "'" + (values.empty() ? "" : "," + values) + ")");
        return std::stoll(db_.Scalar("SELECT MAX(id) FROM product"));
    }
    std::string Column(long long id, const std::string& column) const {
        return db_.Scalar("SELECT " + column + " FROM product WHERE id=" + std::to_string(id));
    }
    double Number(long long id, const std::string& column) const {
        return std::stod(Column(id, column));
    }
    // A user who holds exactly these rights.
    void SetRights(const QString& rights) {
        ctx_.logon().AdminMode = false;
        ctx_.logon().UserRights = rights;
    }
    bool LocateCode(const QString& code) {
        return Products().Locate(QStringLiteral("productcode"), code);
    }

    testsupport::ScriptedPrompter* prompter_;  // owned by the context
    AppContext ctx_;
    testsupport::TestDatabase db_;
    DataModule dm_;
    ProductRules rules_;
};
