#pragma once
// A data module connected to a fresh schema of the test server, with a fresh context whose
// Prompter is scripted and whose log is on.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <memory>
#include <ostream>

#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "data/schema/Schema.h"

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class DataModuleFixture : public ::testing::Test {
protected:
    DataModuleFixture()
        : prompter_(new testsupport::ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(prompter_)) {
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
    }

    QString Schema() const { return QString::fromStdString(db_.schema()); }
    std::string Scalar(const QString& sql) const { return db_.Scalar(sql.toStdString()); }
    void Exec(const QString& sql) const { db_.Exec(sql.toStdString()); }

    // The log's messages without their time stamps.
    QStringList LogMessages() {
        QStringList out;
        for (const QString& line : ctx_.log().Lines()) {
            // "<date> <time> <message>"
            const qsizetype first = line.indexOf(QLatin1Char(' '));
            const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char(' '), first + 1);
            out << (second < 0 ? line : line.mid(second + 1));
        }
        return out;
    }
    bool Logged(const QString& message) { return LogMessages().contains(message); }
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

    testsupport::ScriptedPrompter* prompter_;  // owned by the context
    AppContext ctx_;
    testsupport::TestDatabase db_;
    DataModule dm_;
};
