#pragma once
// The product windows on a fresh schema: a temporary home with a user ini for the window
// positions, a data module with the product rules, the company names lookup open, a scripted
// Prompter and a QApplication for the windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QStringList>
#include <string>

#include "../../frame/TempHome.h"
#include "ModuleTest.h"
#include "products/ProductRules.h"

struct ProductWindowsHome {
    TempHome home_;
};

// The home comes first: the context reads its folders from it.
class ProductWindowsFixture : protected ProductWindowsHome, public testsupport::ModuleTest {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "products_ui_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }
    ProductWindowsFixture() : rules_(dm_) {
        ctx_.config().SetCommandLineUser(QStringLiteral("kari"));
        ctx_.config().OpenCompanyIni(ctx_.config().FindCompanyIni(home_.WorkDir()));
        ctx_.logon().CurrentUserId = 7;
        ctx_.logon().CurrentGroupId = 3;
        Products().SetFilterSql(QString());
        Products().SetOrder(QStringLiteral("productcode"));
    }

    Table& Products() { return dm_.ProductTable(); }
    bool OpenProducts() {
        dm_.LookupQuery(Lookup::Companies).Open();
        return dm_.OpenTableWithRights(Products(), true, false);
    }

    // A product row written straight to the server; its id.
    long long AddProduct(const std::string& code, const std::string& columns = "", const std::string& values = "") {
        db_.Exec("INSERT INTO product (productcode" + (columns.empty() ? "" : "," + columns) + ") VALUES ('" + code +
                 "'" + (values.empty() ? "" : "," + values) + ")");
        return std::stoll(db_.Scalar("SELECT MAX(id) FROM product"));
    }
    int AddCompany(const std::string& name) {
        db_.Exec("INSERT INTO company (companyname) VALUES ('" + name + "')");
        return std::stoi(db_.Scalar("SELECT MAX(id) FROM company"));
    }
    std::string Column(long long id, const std::string& column) const {
        return db_.Scalar("SELECT " + column + " FROM product WHERE id=" + std::to_string(id));
    }
    std::string ColumnOf(const std::string& code, const std::string& column) const {
        return db_.Scalar("SELECT " + column + " FROM product WHERE productcode='" + code + "'");
    }
    bool LocateCode(const QString& code) { return Products().Locate(QStringLiteral("productcode"), code); }

    // The product codes of the list, in its order.
    QStringList Codes() {
        QStringList codes;
        Table& t = Products();
        for (int i = 0; i < t.RecordCount(); ++i) codes << t.TextAt(i, QStringLiteral("productcode"));
        return codes;
    }

    QStringList Messages() const {
        QStringList out;
        for (const QString& m : prompter_->messages()) out << m;
        return out;
    }
    std::string Said() const { return Messages().join(" | ").toStdString(); }

    // Sends a key as the keyboard would.
    static void PressKey(QWidget* widget, int key, const QString& text = QString(),
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(widget, &release);
    }

    ProductRules rules_;
};
