#pragma once
// What the tests of the program's windows share: a QApplication, and a fresh
// context with a scripted Prompter and the log on.
#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QStringList>
#include <memory>
#include <ostream>

#include "LogLines.h"
#include "QStringPrint.h"
#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"

inline void EnsureApplication() {
    static int argc = 1;
    static char name[] = "app_test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) new QApplication(argc, argv);
}

class AppTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    AppTest()
        : prompter_(new testsupport::ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(prompter_)) {
        ctx_.log().SetLoggingOn(true);
    }

    QStringList LogMessages() const { return testsupport::LogMessagesOf(ctx_.log()); }
    bool LogMentions(const QString& text) const { return testsupport::LogMentionsOf(ctx_.log(), text); }
    std::vector<QString> Messages() const { return prompter_->messages(); }

    // A key of section "STANDARD" of the per-user ini / the company ini.
    QString UserKey(const QString& key) {
        ctx_.config().OpenUserIni();
        const QString value = ctx_.config().ReadKey(ConfigStore::StandardSection, key);
        ctx_.config().CloseUserIni();
        return value;
    }
    void SetUserKey(const QString& key, const QString& value) {
        ctx_.config().OpenUserIni();
        ctx_.config().WriteKey(ConfigStore::StandardSection, key, value);
        ctx_.config().CloseUserIni();
    }
    void SetCompanyKey(const QString& key, const QString& value) {
        ctx_.config().WriteKey(ConfigStore::StandardSection, key, value);
    }

    testsupport::ScriptedPrompter* prompter_;  // owned by the context
    mutable AppContext ctx_;                   // read by const helpers
};
