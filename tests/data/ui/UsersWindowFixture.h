#pragma once
// The data module on a fresh schema of the test server, a fresh context with a scripted
// Prompter and the log on, folders in a temporary home, and a QApplication for the windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QStringList>
#include <memory>

#include "../../frame/TempHome.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "data/schema/Schema.h"

class UsersWindowFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "data_ui_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }

    UsersWindowFixture() : prompter_(new testsupport::ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(prompter_)) {
        ctx_.log().SetLoggingOn(true);
        EXPECT_TRUE(dm_.connection().Connect(Params())) << dm_.connection().LastError().toStdString();
        const schema::SchemaReport report = schema::CreateSchema(dm_.connection());
        EXPECT_TRUE(report.ok) << report.error.toStdString();
        ctx_.logon().AdminMode = true;
        ctx_.logon().ConnectState = 1;
        ctx_.logon().CurrentUserId = 1;
        ctx_.logon().CurrentGroupId = 100;
    }

    ConnectParams Params() const {
        ConnectParams p;
        p.socket = QString::fromStdString(db_.server().socket);
        p.user = QString::fromStdString(db_.server().user);
        p.password = QString::fromStdString(db_.server().password);
        p.database = QString::fromStdString(db_.schema());
        return p;
    }
    QString Schema() const { return QString::fromStdString(db_.schema()); }
    std::string Scalar(const QString& sql) const { return db_.Scalar(sql.toStdString()); }
    void Exec(const QString& sql) const { db_.Exec(sql.toStdString()); }

    // A users row; returns its id.
    int AddUser(const QString& initials, const QString& realname, const QString& extraColumns = QString(),
                const QString& extraValues = QString()) {
        QString columns = "initials, realname, username, activ";
        auto text = [](QString t) { return "'" + t.replace("'", "''") + "'"; };
        QString values = text(initials) + ", " + text(realname) + ", " + text(initials.toLower()) + ", 1";
        if (!extraColumns.isEmpty()) {
            columns += ", " + extraColumns;
            values += ", " + extraValues;
        }
        Exec("INSERT INTO users (" + columns + ") VALUES (" + values + ")");
        return std::stoi(Scalar("SELECT MAX(id) FROM users"));
    }

    // The messages shown, each as "caption: text".
    QStringList Messages() const {
        QStringList out;
        for (const QString& m : prompter_->messages()) out << m;
        return out;
    }
    // The messages as one text, for failure output.
    std::string Said() const { return Messages().join(" | ").toStdString(); }
    bool LogMentions(const QString& text) {
        for (const QString& line : ctx_.log().Lines())
            if (line.contains(text)) return true;
        return false;
    }

    // A user who holds exactly these rights.
    void SetRights(const QString& rights) {
        ctx_.logon().AdminMode = false;
        ctx_.logon().UserRights = rights;
    }

    TempHome home_;
    testsupport::ScriptedPrompter* prompter_;  // owned by the context
    AppContext ctx_;
    testsupport::TestDatabase db_;
    DataModule dm_;
};
