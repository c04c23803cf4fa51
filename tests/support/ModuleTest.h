#pragma once
// The base of the fixtures of every test that works on the program's data: a fresh context
// whose Prompter is scripted and whose log is on, and a data module connected to a fresh
// schema of the test server with every table created, in administrator mode.
//
// A fixture that needs something made before the context (a temporary home) takes it as a
// base class listed before this one.
#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <memory>
#include <ostream>
#include <string>

#include "LogLines.h"
#include "QStringPrint.h"
#include "SchemaParams.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "data/schema/Schema.h"


namespace testsupport {

class ModuleTest : public ::testing::Test {
  protected:
    ModuleTest() : prompter_(new ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(prompter_)) {
        ctx_.log().SetLoggingOn(true);
        EXPECT_TRUE(dm_.connection().Connect(Params())) << dm_.connection().LastError().toStdString();
        const schema::SchemaReport report = schema::CreateSchema(dm_.connection());
        EXPECT_TRUE(report.ok) << report.error.toStdString();
        ctx_.logon().AdminMode = true;
        ctx_.logon().ConnectState = 1;
    }

    ConnectParams Params() const { return SchemaParams(db_); }
    QString Schema() const { return QString::fromStdString(db_.schema()); }
    std::string Scalar(const QString& sql) const { return db_.Scalar(sql.toStdString()); }
    QString ScalarText(const QString& sql) const { return QString::fromStdString(Scalar(sql)); }
    void Exec(const QString& sql) const { db_.Exec(sql.toStdString()); }

    QStringList LogMessages() { return LogMessagesOf(ctx_.log()); }
    bool Logged(const QString& message) { return LogMessages().contains(message); }
    bool LogMentions(const QString& text) { return LogMentionsOf(ctx_.log(), text); }

    // A user who holds exactly these rights.
    void SetRights(const QString& rights) {
        ctx_.logon().AdminMode = false;
        ctx_.logon().UserRights = rights;
    }

    ScriptedPrompter* prompter_;  // owned by the context
    AppContext ctx_;
    TestDatabase db_;
    DataModule dm_;
};

}  // namespace testsupport
