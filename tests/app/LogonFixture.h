#pragma once
// A fresh context (scripted Prompter, log on) and a data module whose connection is not yet
// made, over a fresh schema with every table on the test server: the log-on connects it.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <memory>
#include <ostream>

#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "app/frame/AppContext.h"
#include "app/logon/ConnectSequence.h"
#include "data/DataModule.h"
#include "data/schema/Schema.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class LogonFixture : public ::testing::Test {
  protected:
    LogonFixture()
        : prompter_(new testsupport::ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(prompter_)) {
        ctx_.log().SetLoggingOn(true);
        ConnectParams p = Params();
        EXPECT_TRUE(dm_.connection().Connect(p)) << dm_.connection().LastError().toStdString();
        const schema::SchemaReport report = schema::CreateSchema(dm_.connection());
        EXPECT_TRUE(report.ok) << report.error.toStdString();
        dm_.connection().Disconnect();
    }

    ConnectParams Params() const {
        ConnectParams p;
        p.socket = QString::fromStdString(db_.server().socket);
        p.user = QString::fromStdString(db_.server().user);
        p.password = QString::fromStdString(db_.server().password);
        p.database = Schema();
        return p;
    }
    QString Schema() const { return QString::fromStdString(db_.schema()); }
    QString Socket() const { return QString::fromStdString(db_.server().socket); }
    QString User() const { return QString::fromStdString(db_.server().user); }
    QString Password() const { return QString::fromStdString(db_.server().password); }
    std::string Scalar(const QString& sql) const { return db_.Scalar(sql.toStdString()); }
    void Exec(const QString& sql) const { db_.Exec(sql.toStdString()); }

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

    // The log's messages without their time stamps.
    QStringList LogMessages() {
        QStringList out;
        for (const QString& line : ctx_.log().Lines()) {
            const qsizetype first = line.indexOf(QLatin1Char(' '));
            const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char(' '), first + 1);
            out << (second < 0 ? line : line.mid(second + 1));
        }
        return out;
    }
    bool Logged(const QString& message) { return LogMessages().contains(message); }
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

    testsupport::ScriptedPrompter* prompter_;  // owned by the context
    AppContext ctx_;
    testsupport::TestDatabase db_;
    DataModule dm_;
};
