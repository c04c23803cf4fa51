// The rules around the Prompter: the remembered last input, the password
// prompts, the numeric flag and the folder choice.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"

using testsupport::ScriptedPrompter;
using Kind = ScriptedPrompter::Kind;

namespace {

class PrompterTest : public ::testing::Test {
  protected:
    PrompterTest() : script_(new ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(script_)) {}

    QString StoredLastInput() {
        ctx_.config().OpenUserIni();
        const QString value = ctx_.config().ReadIniString("LastInputStr");
        ctx_.config().CloseUserIni();
        return value;
    }
    void StoreLastInput(const QString& value) {
        ctx_.config().OpenUserIni();
        ctx_.config().WriteIniString("LastInputStr", value);
        ctx_.config().CloseUserIni();
    }
    const ScriptedPrompter::Event& LastEvent() const { return script_->events().back(); }

    ScriptedPrompter* script_;
    AppContext ctx_;
};

TEST_F(PrompterTest, MessagesAndQuestionsReachThePrompterInOrder) {
    script_->Yes().CloseYesNo();
    ShowMessage("FEIL", "Kan ikke åpne filen");
    EXPECT_TRUE(AskYesNo("Slette denne posten?", false));
    EXPECT_FALSE(AskYesNo("Slette denne varelinjen?", false));
    ShowMessage("Info", "Ferdig");
    ASSERT_EQ(script_->events().size(), 4u);
    EXPECT_EQ(script_->events()[1].kind, Kind::YesNo);
    EXPECT_EQ(script_->events()[1].text, "Slette denne posten?");
    EXPECT_EQ(script_->messages(),
              (std::vector<QString>{"FEIL: Kan ikke åpne filen", "Info: Ferdig"}));
}

TEST_F(PrompterTest, AskInputOffersAndKeepsTheLastAnswer) {
    script_->Input("Oslo").Input("kunder").CancelInput().Input("").Input("x");
    EXPECT_EQ(AskInput("Søk etter:", ""), "Oslo");
    EXPECT_EQ(LastEvent().prefilled, "");
    EXPECT_EQ(StoredLastInput(), "Oslo");

    // The previous answer is offered whatever question it answered.
    EXPECT_EQ(AskInput("Tabellnavn", ""), "kunder");
    EXPECT_EQ(LastEvent().prefilled, "Oslo");
    EXPECT_FALSE(LastEvent().masked);

    // "&Avbryt" gives an empty text and keeps the remembered one.
    EXPECT_EQ(AskInput("Utfør SQL:", ""), "");
    EXPECT_EQ(LastEvent().prefilled, "kunder");
    EXPECT_EQ(StoredLastInput(), "kunder");

    // An initial text is offered instead; an empty "O&k" answer is kept too.
    EXPECT_EQ(AskInput("Kontonummer", "1920"), "");
    EXPECT_EQ(LastEvent().prefilled, "1920");
    EXPECT_EQ(StoredLastInput(), "");
    EXPECT_EQ(AskInput("Søk etter:"), "x");
    EXPECT_EQ(LastEvent().prefilled, "");
}

TEST_F(PrompterTest, PasswordPromptsAreMaskedAndNeverRemembered) {
    StoreLastInput("Oslo");
    for (const char* prompt : {"Passord", "Nytt passord"}) {
        SCOPED_TRACE(prompt);
        script_->Input("hemmelig");
        EXPECT_EQ(AskInput(prompt, ""), "hemmelig");
        EXPECT_TRUE(LastEvent().masked);
        EXPECT_EQ(LastEvent().prefilled, "");
        EXPECT_EQ(StoredLastInput(), "Oslo");
    }
    // Only the exact prompts are secret.
    script_->Input("a").Input("b");
    AskInput("passord", "");
    EXPECT_FALSE(LastEvent().masked);
    AskInput("Passord:", "");
    EXPECT_FALSE(LastEvent().masked);
    EXPECT_EQ(StoredLastInput(), "b");
}

TEST_F(PrompterTest, NumericFlag) {
    struct Case {
        const char* answer;  // nullptr: cancelled
        bool numeric;
    };
    const Case cases[] = {{"1920", true},  {"1.234,50", true}, {"", true},
                          {nullptr, true}, {"12a", false},     {"-5", false},
                          {" 5", false},   {"1e3", false},     {"٣", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer ? c.answer : "(cancelled)");
        if (c.answer)
            script_->Input(QString::fromUtf8(c.answer));
        else
            script_->CancelInput();
        AskInput("Søk etter:", "");
        EXPECT_EQ(LastInputWasNumeric(), c.numeric);
    }
}

TEST_F(PrompterTest, ChooseFolderKeepsTheStartWhenCancelled) {
    script_->Folder("").Folder("/home/ola/dok").Folder("/tmp/").Folder("");
    EXPECT_EQ(ChooseFolder("/home/ola/"), "/home/ola/");
    EXPECT_EQ(LastEvent().caption, "Valg mappe");
    EXPECT_EQ(LastEvent().text, "/home/ola/");
    EXPECT_EQ(ChooseFolder("Importmappe", "/home/ola"), "/home/ola/dok/");
    EXPECT_EQ(LastEvent().caption, "Importmappe");
    EXPECT_EQ(ChooseFolder("/"), "/tmp/");
    EXPECT_EQ(ChooseFolder(""), "");
}

TEST_F(PrompterTest, FileChoicesPassThrough) {
    script_->OpenFile("/tmp/a.csv").SaveFile("");
    EXPECT_EQ(ChooseOpenFile("Åpne", "/tmp", "CSV (*.csv)"), "/tmp/a.csv");
    EXPECT_EQ(LastEvent().filter, "CSV (*.csv)");
    EXPECT_EQ(ChooseSaveFile("Lagre", "/tmp/b.sql", "SQL (*.sql)"), "");
    EXPECT_EQ(LastEvent().kind, Kind::SaveFile);
}

}  // namespace
