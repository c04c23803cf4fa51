#pragma once
// What the list and record window tests share: an application, a home with a user ini for
// the window positions, a connection to a fresh schema with a small product-like table.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <memory>

#include "SchemaParams.h"
#include "../frame/TempHome.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "app/frame/AppContext.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Table.h"

namespace patterntest {

inline void EnsureApplication() {
    static int argc = 1;
    static char name[] = "pattern_test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

// Sends a key as the keyboard would.
inline void PressKey(QWidget* widget, int key, const QString& text = QString(),
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

class Fixture {
  public:
    Fixture() : ctx_(MakePrompter()) {
        ctx_.config().SetCommandLineUser("kari");
        ctx_.config().OpenCompanyIni(ctx_.config().FindCompanyIni(home_.WorkDir()));
        connected_ = connection_.Connect(Params());
        db_.Exec(
            "CREATE TABLE item (id int AUTO_INCREMENT PRIMARY KEY, name varchar(40), price decimal(15,2), "
            "day date, qty int);"
            "INSERT INTO item (name, price, day, qty) VALUES ('Bolt', 1234.5, '2024-05-01', 3), "
            "('anker', 2.25, NULL, 10), ('Brakett', 99, '2023-12-24', NULL), ('O''Neil 100%', NULL, NULL, 7)");
        table_.SetOrder("id");
        table_.Open();
    }

    testsupport::ScriptedPrompter& prompter() { return *prompter_; }
    Table& table() { return table_; }
    testsupport::TestDatabase& db() { return db_; }
    bool connected() const { return connected_; }
    QString Scalar(const std::string& sql) {
        Query q(connection_);
        q.SetSql(QString::fromStdString(sql));
        return q.Open() && !q.IsEmpty() ? q.FieldAt(0)->AsString() : QStringLiteral("<none>");
    }

  private:
    ConnectParams Params() const { return testsupport::SchemaParams(db_); }
    std::unique_ptr<testsupport::ScriptedPrompter> MakePrompter() {
        auto p = std::make_unique<testsupport::ScriptedPrompter>();
        prompter_ = p.get();
        return p;
    }

    testsupport::ScriptedPrompter* prompter_ = nullptr;
    TempHome home_;
    AppContext ctx_;
    testsupport::TestDatabase db_;
    Connection connection_;
    bool connected_ = false;
    Table table_{connection_, "item"};
};

}  // namespace patterntest
