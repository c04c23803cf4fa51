#pragma once
// A data module on a fresh schema of the test server with every table created, a fresh
// context with a scripted Prompter and the log on, and every folder in a temporary home.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QString>

#include "ModuleTest.h"
#include "TempHome.h"

struct ToolsHome {
    TempHome home_;
};

// The home comes first: the context reads its folders from it.
class ToolsFixture : protected ToolsHome, public testsupport::ModuleTest {
  protected:
    Connection& Db() { return dm_.connection(); }
    QString Scalar(const QString& sql) { return Db().Query(sql).Scalar(); }

    // The backup folder, as the program finds it.
    QString BackupDir() { return ctx_.config().sevrantepath("backup"); }
    static QByteArray ReadFile(const QString& path) { return TempHome::Read(path); }
};
