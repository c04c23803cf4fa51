// The record window every register builds on: the commands enabled by the dataset's state,
// save and cancel reaching the database, the "[id]" caption, the detail level kept with the
// window's position, the date picker and the number field.
#include <gtest/gtest.h>

#include <QShowEvent>
#include <QtTest/QTest>

#include "PatternTestSupport.h"
#include "ui/DbDateEdit.h"
#include "ui/DbLineEdit.h"
#include "ui/DetailSlider.h"
#include "ui/RecordWindow.h"

namespace {

// A register's record window: three panels over the item table.
class ItemDataForm : public RecordWindowBase {
  public:
    explicit ItemDataForm(Dataset& items) : RecordWindowBase("ItemDataForm", "Vare", items) {
        auto* basic = new QWidget(this);
        TextEdit("name", basic);
        auto* prices = new QWidget(this);
        NumberEdit("price", prices);
        NumberEdit("qty", prices, false);
        auto* dates = new QWidget(this);
        DateEdit("day", dates);
        SetPanels({basic, prices, dates});
    }
};

class RecordWindowTest : public ::testing::Test, public patterntest::Fixture {
  protected:
    static void SetUpTestSuite() { patterntest::EnsureApplication(); }

    bool Enabled(const ItemDataForm& form, const char* command) { return form.Command(command)->isEnabled(); }
    std::string States(const ItemDataForm& form) {
        std::string s;
        for (const char* c : {"Lagre", "Avbryt", "Ny", "Slett"}) s += Enabled(form, c) ? '1' : '0';
        return s;
    }
};

TEST_F(RecordWindowTest, CommandsFollowTheStateAndSaveOrCancelReachTheDatabase) {
    ASSERT_TRUE(connected());
    ItemDataForm form(table());
    EXPECT_EQ(States(form), "0011");
    EXPECT_EQ(form.windowTitle(), "Vare [1]");

    auto* name = form.Field<DbLineEdit>("name");
    ASSERT_TRUE(name->SetUserText("Bolt 'M8' \\ 😀"));
    EXPECT_EQ(States(form), "1100");
    form.Command("Avbryt")->trigger();
    EXPECT_EQ(States(form), "0011");
    EXPECT_EQ(name->text(), "Bolt");
    EXPECT_EQ(Scalar("SELECT name FROM item WHERE id=1"), "Bolt");

    ASSERT_TRUE(name->SetUserText("Bolt 'M8' \\ 😀"));
    form.Command("Lagre")->trigger();
    EXPECT_EQ(States(form), "0011");
    EXPECT_EQ(Scalar("SELECT name FROM item WHERE id=1"), "Bolt 'M8' \\ 😀");

    // A new record: no id in the caption until it is saved.
    form.Command("Ny")->trigger();
    EXPECT_EQ(States(form), "1100");
    EXPECT_EQ(form.windowTitle(), "Vare []");
    ASSERT_TRUE(name->SetUserText("Skive"));
    form.Command("Lagre")->trigger();
    const QString id = Scalar("SELECT id FROM item WHERE name='Skive'");
    EXPECT_EQ(form.windowTitle(), "Vare [" + id + "]");

    form.Command("Slett")->trigger();
    EXPECT_EQ(Scalar("SELECT COUNT(*) FROM item WHERE name='Skive'"), "0");
    EXPECT_TRUE(prompter().messages().empty());

    // A read-only dataset offers neither a new record nor a delete.
    table().SetReadOnly(true);
    form.UpdateCommands();
    EXPECT_EQ(States(form), "0000");
}

// Ctrl+Z typed in a field cancels the record's edit (the field's own undo would leave the
// record being edited with the text as it was before the last change).
TEST_F(RecordWindowTest, CtrlZInAFieldCancelsTheEdit) {
    ASSERT_TRUE(connected());
    ItemDataForm form(table());
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    auto* name = form.Field<DbLineEdit>("name");
    name->setFocus();
    QTest::keyClicks(name, "x");
    ASSERT_TRUE(table().IsEditing());
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(table().IsEditing());
    EXPECT_EQ(name->text(), "Bolt");
    EXPECT_EQ(Scalar("SELECT name FROM item WHERE id=1"), "Bolt");
    // Not editing: the field keeps its own undo.
    QTest::keyClick(name, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(table().IsEditing());
}

TEST_F(RecordWindowTest, DetailLevelIsKeptWithTheWindowPosition) {
    ASSERT_TRUE(connected());
    {
        ItemDataForm form(table());
        form.show();
        EXPECT_EQ(form.detailSlider()->Level(), 0);
        form.detailSlider()->SetLevel(2);
        EXPECT_TRUE(form.Field<DbDateEdit>("day")->isVisibleTo(&form));
        form.close();
    }
    ItemDataForm again(table());
    again.show();
    EXPECT_EQ(again.detailSlider()->Level(), 2);
    EXPECT_TRUE(again.Field<DbDateEdit>("day")->isVisibleTo(&again));
    again.detailSlider()->SetLevel(1);
    EXPECT_FALSE(again.Field<DbDateEdit>("day")->isVisibleTo(&again));
    EXPECT_TRUE(again.Field<DbLineEdit>("price")->isVisibleTo(&again));
    again.close();
}

TEST_F(RecordWindowTest, NumberFieldTakesOnlyNumbersAndTheDatePickerWritesTheDate) {
    ASSERT_TRUE(connected());
    ItemDataForm form(table());
    auto* qty = form.Field<DbLineEdit>("qty");
    qty->selectAll();
    for (const char* key : {"4", "x", "2", ",", "5"}) patterntest::PressKey(qty, 0, key);
    EXPECT_EQ(qty->text(), "425");
    auto* price = form.Field<DbLineEdit>("price");
    price->selectAll();
    for (const char* key : {"1", " ", "2", "a", "3", "4", ",", "5", ",", "0"}) patterntest::PressKey(price, 0, key);
    EXPECT_EQ(price->text(), "1 234,50");

    auto* day = form.Field<DbDateEdit>("day");
    EXPECT_TRUE(day->calendarPopup());
    EXPECT_EQ(day->date(), QDate(2024, 5, 1));
    ASSERT_TRUE(day->SetUserDate(QDate(2025, 2, 28)));
    form.Command("Lagre")->trigger();
    EXPECT_TRUE(prompter().messages().empty()) << (prompter().messages().empty() ? "" : prompter().messages()[0].toStdString());
    EXPECT_EQ(Scalar("SELECT CONCAT(qty, ' ', price, ' ', day) FROM item WHERE id=1"), "425 1234.50 2025-02-28");

    // An empty date shows blank and moving there leaves it empty.
    ASSERT_TRUE(table().Next());
    EXPECT_EQ(day->text().trimmed(), "");
    EXPECT_FALSE(table().IsEditing());
}

}  // namespace
