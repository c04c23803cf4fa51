// "Endre passord" on a real database account of the test server.
#include <QAction>
#include <memory>

#include "AppTestSupport.h"
#include "TestDatabase.h"
#include "app/frame/TextHelpers.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MainWindowCommands.h"
#include "data/DataModule.h"

namespace {

class ChangePasswordTest : public AppTest {
  protected:
    ChangePasswordTest() : account_("pw_" + db_.schema().substr(db_.schema().size() - 12)) {
        const std::string name = "'" + account_ + "'@'localhost'";
        db_.Exec("DROP USER IF EXISTS " + name);
        db_.Exec("CREATE USER " + name + " IDENTIFIED BY 'start123'");
        db_.Exec("GRANT SELECT ON `" + db_.schema() + "`.* TO " + name);
        ctx_.log().SetVerbose(true);
        ctx_.logon().CurrentUserName = QString::fromStdString(account_);
        EXPECT_TRUE(dm_.connection().Connect(Params("start123")))
            << dm_.connection().LastError().toStdString();
        ctx_.logon().ConnectState = 1;
        ctx_.logon().CurrentPassword = "start123";
    }
    ~ChangePasswordTest() override {
        dm_.connection().Disconnect();
        db_.Exec("DROP USER IF EXISTS '" + account_ + "'@'localhost'");
    }

    ConnectParams Params(const QString& password) const {
        ConnectParams p;
        p.socket = QString::fromStdString(db_.server().socket);
        p.user = QString::fromStdString(account_);
        p.password = password;
        p.database = QString::fromStdString(db_.schema());
        return p;
    }
    // Whether a fresh session of the account logs on with `password`.
    bool LogsOnWith(const QString& password) const {
        Connection fresh;
        return fresh.Connect(Params(password));
    }

    testsupport::TestDatabase db_;
    std::string account_;
    DataModule dm_;
};

TEST_F(ChangePasswordTest, ChangesTheAccountsPasswordEvenWithQuotesAndNeverLogsIt) {
    const QStringList passwords = {"nytt-passord", "o'brien\"x", "back\\slash' OR '1'='1",
                                   "æøå ÆØÅ 100%"};
    QString previous = "start123";
    for (const QString& password : passwords) {
        SCOPED_TRACE(password.toStdString());
        prompter_->ClearEvents();
        prompter_->Input(password);
        EXPECT_TRUE(ChangePassword());
        EXPECT_EQ(Messages(), std::vector<QString>{"Endre passord: Passordet er endret."});
        ASSERT_EQ(prompter_->events().front().text, "Nytt passord");
        EXPECT_TRUE(prompter_->events().front().masked);
        EXPECT_TRUE(LogsOnWith(password));
        EXPECT_FALSE(LogsOnWith(previous));
        EXPECT_EQ(ctx_.logon().CurrentPassword, password);
        // A reconnect after a lost connection must use the new password.
        EXPECT_EQ(DM().connection().Params().password, password);
        EXPECT_FALSE(LogMentions(password));
        previous = password;
    }
    EXPECT_TRUE(LogMentions("SET PASSWORD"));  // the statement was logged, without its literal
}

TEST_F(ChangePasswordTest, TooShortOrCancelledChangesNothing) {
    MainWindow window;
    prompter_->Input("abc");
    prompter_->CancelInput();
    prompter_->Input("");
    for (int i = 0; i < 3; ++i) window.Action("Endre passord")->trigger();
    EXPECT_EQ(Messages(), std::vector<QString>(3, "FEIL: Passordet er for kort."));
    EXPECT_TRUE(LogsOnWith("start123"));
    EXPECT_FALSE(LogMentions("SET PASSWORD"));
}

TEST_F(ChangePasswordTest, FourCharactersAreEnoughAndTheSavedLogOnFollows) {
    ctx_.config().WriteKey("VARLOKKEN_SQL", "Username", QString::fromStdString(account_));
    ctx_.config().WriteKey("VARLOKKEN_SQL", "Password", ScramblePassword("start123"));
    prompter_->Input("abcd");
    EXPECT_TRUE(ChangePassword());
    EXPECT_TRUE(LogsOnWith("abcd"));
    EXPECT_EQ(UnscramblePassword(ctx_.config().ReadKey("VARLOKKEN_SQL", "Password")), "abcd");
}

TEST_F(ChangePasswordTest, ARefusalIsShownWithoutThePassword) {
    // An account that may not change passwords any more: the session's account is gone.
    db_.Exec("DROP USER '" + account_ + "'@'localhost'");
    prompter_->Input("geheim-1");
    EXPECT_FALSE(ChangePassword());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].startsWith("FEIL: ")) << Messages()[0].toStdString();
    EXPECT_GT(Messages()[0].size(), 6);
    EXPECT_FALSE(Messages()[0].contains("geheim-1"));
    EXPECT_TRUE(LogMentions("SQL ERROR: SET PASSWORD"));
    EXPECT_FALSE(LogMentions("geheim-1"));
    EXPECT_EQ(ctx_.logon().CurrentPassword, "start123");
}

TEST_F(ChangePasswordTest, WithoutAConnectionTheUserIsTold) {
    ctx_.logon().ConnectState = -1;
    prompter_->Input("geheim-2");
    EXPECT_FALSE(ChangePassword());
    EXPECT_EQ(Messages(), std::vector<QString>{"FEIL: Ikke koblet til databasen."});
}

}  // namespace
