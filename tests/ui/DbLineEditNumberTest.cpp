// A one-line edit bound to a number field writes what the user types as the number the
// server reads ("1 234,50" is 1234.50), refuses a text that is no number, and leaves a
// text field's text as typed.
#include <gtest/gtest.h>

#include "PatternTestSupport.h"
#include "ui/DbLineEdit.h"

namespace {

class DbLineEditNumberTest : public ::testing::Test, public patterntest::Fixture {
  protected:
    static void SetUpTestSuite() { patterntest::EnsureApplication(); }
};

TEST_F(DbLineEditNumberTest, TypedNumbersReachTheServerAsNumbersTextStaysText) {
    ASSERT_TRUE(connected());
    db().Exec("ALTER TABLE item ADD weight double");
    table().Close();
    ASSERT_TRUE(table().Open());
    const QString nbsp(QChar(0x00A0));
    const struct {
        const char* field;
        QString typed;
        bool taken;
        const char* stored;  // the column after saving
    } cases[] = {
        {"price", "1 234,50", true, "1234.50"},
        {"price", "12a", false, "1234.50"},
        {"price", "1,2,3", false, "1234.50"},
        {"price", "1e5", false, "1234.50"},
        {"price", "1" + nbsp + "234" + nbsp + "567,5", true, "1234567.50"},
        {"price", "-0,5", true, "-0.50"},
        {"price", "12.75", true, "12.75"},
        {"price", ",5", true, "0.50"},
        {"price", "-", true, "NULL"},
        {"price", "", true, "NULL"},
        {"weight", "2 500,125", true, "2500.125"},
        {"weight", "inf", false, "2500.125"},
        {"qty", "1 234", true, "1234"},
        {"qty", "-3", true, "-3"},
        {"qty", "12,5", false, "-3"},
        {"name", "1 234,50", true, "1 234,50"},
        {"name", "abc", true, "abc"},
    };
    for (const auto& c : cases) {
        const std::string where = std::string(c.field) + " '" + c.typed.toStdString() + "'";
        ASSERT_TRUE(table().First());
        DbLineEdit edit(&table(), c.field);
        EXPECT_EQ(edit.SetUserText(c.typed), c.taken) << where;
        if (!c.taken) {
            EXPECT_EQ(edit.text(), table().AsString(c.field))
                << where << ": the field shows its value again";
        }
        if (table().IsEditing()) {
            ASSERT_TRUE(table().Post()) << where << ": " << table().LastError().toStdString();
        }
        EXPECT_EQ(
            Scalar("SELECT IFNULL(" + std::string(c.field) + ", 'NULL') FROM item WHERE id=1"),
            c.stored)
            << where;
    }
}

TEST_F(DbLineEditNumberTest, ServerNumberText) {
    const struct {
        const char* typed;
        bool decimals;
        std::optional<QString> number;
    } cases[] = {
        {"1 234,50", true, "1234.50"},
        {"+7", true, "+7"},
        {"-.", true, ""},
        {"1.", true, "1."},
        {"1 234", false, "1234"},
        {"1,0", false, std::nullopt},
        {"0x10", true, std::nullopt},
        {"nan", true, std::nullopt},
        {"1 - 2", true, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DbLineEdit::ServerNumberText(QString::fromUtf8(c.typed), c.decimals), c.number)
            << c.typed;
}

}  // namespace
