#pragma once
// A data module on a fresh schema with the product rules installed, the product table open
// over every product, and a fresh context with a scripted Prompter and the log on.
#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "ModuleTest.h"
#include "products/ProductRules.h"

class ProductFixture : public testsupport::ModuleTest {
  protected:
    ProductFixture() : rules_(dm_) {
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
    bool LocateCode(const QString& code) {
        return Products().Locate(QStringLiteral("productcode"), code);
    }

    ProductRules rules_;
};
