#pragma once
// The data module on a fresh schema of the test server, a fresh context with a scripted
// Prompter and the log on, folders in a temporary home, and a QApplication for the windows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QStringList>

#include "../../frame/TempHome.h"
#include "ModuleTest.h"

struct UsersWindowHome {
    TempHome home_;
};

// The home comes first: the context reads its folders from it.
class UsersWindowFixture : protected UsersWindowHome, public testsupport::ModuleTest {
  protected:
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "data_ui_test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }
    UsersWindowFixture() {
        ctx_.logon().CurrentUserId = 1;
        ctx_.logon().CurrentGroupId = 100;
    }

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
};
