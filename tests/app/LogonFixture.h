#pragma once
// A fresh context (scripted Prompter, log on) and a data module whose connection is not yet
// made, over a fresh schema with every table on the test server: the log-on connects it.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>

#include "ModuleTest.h"
#include "app/logon/ConnectSequence.h"

class LogonFixture : public testsupport::ModuleTest {
  protected:
    LogonFixture() {
        // The log-on makes the connection and sets the log-on values itself.
        dm_.connection().Disconnect();
        ctx_.logon() = LogonValues();
    }

    QString Socket() const { return QString::fromStdString(db_.server().socket); }
    QString User() const { return QString::fromStdString(db_.server().user); }
    QString Password() const { return QString::fromStdString(db_.server().password); }

    // The log-on through the test server's socket as the test account.
    LogonRequest Request() const {
        LogonRequest r;
        r.userName = User();
        r.password = Password();
        r.serverName = Socket();
        r.database = Schema();
        return r;
    }

    // A users row for the test account.
    void AddUserRow(const QString& rights, int companyId = 0) {
        Exec(QStringLiteral(
                 "INSERT INTO users (username, realname, initials, defaultgroup, department, "
                 "companyid, passwd, parameter) VALUES ('%1', 'Ola Nordmann', 'ON', 7, "
                 "'Salg', %2, 'webpass', '%3')")
                 .arg(User())
                 .arg(companyId)
                 .arg(rights));
    }

    // True when the messages appear in this order (others may stand between them).
    bool LoggedInOrder(const QStringList& expected) {
        const QStringList lines = LogMessages();
        qsizetype at = 0;
        for (const QString& e : expected) {
            at = lines.indexOf(e, at);
            if (at < 0) return false;
            ++at;
        }
        return true;
    }
};
