// The list window every register builds on: sorting by a title, type-ahead search,
// opening the record by Enter, Space and double-click, typing in the grid, row colours,
// status fields, and the commands shared by buttons, menu and shortcuts.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QToolButton>

#include "PatternTestSupport.h"
#include "ui/ListWindow.h"

namespace {

class ListWindowTest : public ::testing::Test, public patterntest::Fixture {
  protected:
    static void SetUpTestSuite() { patterntest::EnsureApplication(); }

    ListWindowTest() : list_("ItemListForm", table(), {{"name", "Navn"}, {"price", "Pris", "### ##0.00"}, {"qty", "Antall"}}) {
        list_.SetRecordOpener([this] { ++opened_; });
    }
    QString Current() { return table().AsString("name"); }

    ListWindowBase list_;
    int opened_ = 0;
};

TEST_F(ListWindowTest, TitleClickSortsAscendingThenDescending) {
    ASSERT_TRUE(connected());
    list_.model()->RequestSort(0);
    EXPECT_EQ(list_.model()->CellText(0, 0), "anker");
    EXPECT_EQ(list_.model()->CellText(3, 0), "O'Neil 100%");
    list_.model()->RequestSort(0);
    EXPECT_EQ(list_.model()->CellText(0, 0), "O'Neil 100%");
    list_.model()->RequestSort(1);
    EXPECT_EQ(list_.model()->CellText(3, 1), "1 234.50");
}

TEST_F(ListWindowTest, TypeAheadMovesToTheFirstRowStartingWithTheText) {
    ASSERT_TRUE(connected());
    const struct {
        const char* typed;
        bool found;
        const char* current;
    } cases[] = {
        {"b", true, "Bolt"},       {"br", true, "Brakett"}, {"BRA", true, "Brakett"}, {"bx", false, "Brakett"},
        {"a", true, "anker"},      {"o'n", true, "O'Neil 100%"}, {"%", false, "O'Neil 100%"},
        {"b", true, "Bolt"},  // a shorter text searches from the top again
    };
    for (const auto& c : cases) {
        EXPECT_EQ(list_.TypeAhead(c.typed), c.found) << c.typed;
        EXPECT_EQ(Current(), c.current) << c.typed;
        EXPECT_EQ(list_.model()->CurrentRow(), table().RecNo() - 1) << c.typed;
    }
    list_.SetSearchColumn("qty");
    EXPECT_TRUE(list_.TypeAhead("1"));
    EXPECT_EQ(Current(), "anker");
}

TEST_F(ListWindowTest, TypeAheadReadsFurtherRowsOfALongList) {
    ASSERT_TRUE(connected());
    db().Exec("INSERT INTO item (name) SELECT CONCAT('Z', LPAD(seq, 5, '0')) FROM seq_1_to_6000");
    ASSERT_TRUE(table().Refresh());
    EXPECT_TRUE(list_.TypeAhead("Z0599"));
    EXPECT_EQ(Current(), "Z05990");
    EXPECT_TRUE(list_.TypeAhead("Z05999"));
    EXPECT_EQ(Current(), "Z05999");
    EXPECT_FALSE(list_.TypeAhead("Z9"));
    EXPECT_EQ(Current(), "Z05999");
}

TEST_F(ListWindowTest, EnterSpaceAndDoubleClickOpenTheRecordTypingSearches) {
    ASSERT_TRUE(connected());
    for (int key : {int(Qt::Key_Return), int(Qt::Key_Enter), int(Qt::Key_Space)}) patterntest::PressKey(list_.grid(), key);
    emit list_.grid()->doubleClicked(list_.model()->index(0, 0));
    EXPECT_EQ(opened_, 4);

    patterntest::PressKey(list_.grid(), Qt::Key_B, "B", Qt::ShiftModifier);
    EXPECT_EQ(list_.searchBox()->text(), "B");
    EXPECT_EQ(Current(), "Bolt");
    patterntest::PressKey(list_.searchBox(), Qt::Key_R, "r");
    EXPECT_EQ(Current(), "Brakett");
    patterntest::PressKey(list_.searchBox(), Qt::Key_Return);
    EXPECT_EQ(opened_, 5);

    // Nothing to open in an empty list.
    db().Exec("DELETE FROM item");
    ASSERT_TRUE(table().Refresh());
    list_.OpenRecord();
    EXPECT_EQ(opened_, 5);
}

TEST_F(ListWindowTest, CommandsAreSharedByMenuButtonsAndShortcuts) {
    ASSERT_TRUE(connected());
    int refreshed = 0;
    QAction* refresh = list_.AddCommand("Oppdater", "Oppdater", QKeySequence(Qt::Key_F5), [&] { ++refreshed; });
    QMenu* related = list_.AddSubMenu("Vis tilhørende");
    QAction* later = list_.AddLaterVersionCommand("Ordrer", related);
    EXPECT_TRUE(list_.grid()->actions().contains(refresh));
    EXPECT_TRUE(list_.grid()->actions().contains(related->menuAction()));
    EXPECT_TRUE(list_.actions().contains(refresh));  // the shortcut works in the whole window
    EXPECT_EQ(list_.Command("Oppdater"), refresh);
    EXPECT_EQ(refresh->shortcut(), QKeySequence(Qt::Key_F5));
    refresh->setEnabled(false);
    QList<QToolButton*> buttons = list_.findChildren<QToolButton*>();
    const auto button = std::find_if(buttons.begin(), buttons.end(), [&](QToolButton* b) { return b->defaultAction() == refresh; });
    ASSERT_NE(button, buttons.end());
    EXPECT_FALSE((*button)->isEnabled());
    refresh->setEnabled(true);
    (*button)->click();
    EXPECT_EQ(refreshed, 1);

    later->trigger();
    ASSERT_EQ(prompter().messages().size(), 1u);
    EXPECT_TRUE(prompter().messages()[0].endsWith("Kommer i en senere versjon"));
}

TEST_F(ListWindowTest, RowColoursAndStatusFieldsFollowTheData) {
    ASSERT_TRUE(connected());
    list_.SetRowColourRule([this](int row) {
        return table().TextAt(row, "qty").isEmpty() ? QBrush(Qt::red) : QBrush();
    });
    EXPECT_EQ(list_.RowColour(2).color(), QColor(Qt::red));
    EXPECT_EQ(list_.RowColour(0).style(), Qt::NoBrush);

    QLabel* count = list_.AddRowCountField();
    EXPECT_EQ(count->text(), "4 poster");
    ASSERT_TRUE(table().Append());
    table().SetString("name", "Ny");
    ASSERT_TRUE(table().Post());
    EXPECT_EQ(count->text(), "5 poster");
    ASSERT_TRUE(table().Delete());
    EXPECT_EQ(count->text(), "4 poster");
}

}  // namespace
