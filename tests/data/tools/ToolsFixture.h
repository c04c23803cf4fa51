#pragma once
// A data module on a fresh schema of the test server with every table created, a fresh
// context with a scripted Prompter and the log on, and every folder in a temporary home.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>
#include <memory>

#include "ScriptedPrompter.h"
#include "TempHome.h"
#include "TestDatabase.h"
#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "data/schema/Schema.h"

class ToolsFixture : public ::testing::Test {
  protected:
    ToolsFixture()
        : prompter_(new testsupport::ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(prompter_)) {
        ctx_.log().SetLoggingOn(true);
        EXPECT_TRUE(dm_.connection().Connect(Params()))
            << dm_.connection().LastError().toStdString();
        const schema::SchemaReport report = schema::CreateSchema(dm_.connection());
        EXPECT_TRUE(report.ok) << report.error.toStdString();
        ctx_.logon().AdminMode = true;
        ctx_.logon().ConnectState = 1;
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
    Connection& Db() { return dm_.connection(); }
    QString Scalar(const QString& sql) { return Db().Query(sql).Scalar(); }

    // The backup folder, as the program finds it.
    QString BackupDir() { return ctx_.config().sevrantepath("backup"); }
    static QByteArray ReadFile(const QString& path) { return TempHome::Read(path); }

    bool LogMentions(const QString& text) {
        for (const QString& line : ctx_.log().Lines())
            if (line.contains(text)) return true;
        return false;
    }

    TempHome home_;
    testsupport::ScriptedPrompter* prompter_;  // owned by the context
    AppContext ctx_;
    testsupport::TestDatabase db_;
    DataModule dm_;
};
