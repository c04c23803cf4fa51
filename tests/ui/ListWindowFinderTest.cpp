// Type-ahead on a table read in pages, found by the server: over 3000 rows (several pages)
// the list moves to the same row as reading every row and looking would, reads only the
// rows up to it and nothing for a text no row starts with; in either direction, under a
// filter, in a latin1 and a utf8mb4 Danish-Norwegian table, for mixed case, æøå, names
// that repeat, and typed quotes, percent signs, underscores, backslashes and emoji.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTableView>

#include <algorithm>
#include <string>

#include "PatternTestSupport.h"
#include "ui/ListWindow.h"
#include "ui/ServerFinder.h"

namespace {

constexpr int kRows = 3000;

class ListWindowFinderTest : public ::testing::Test, public patterntest::Fixture {
  protected:
    static void SetUpTestSuite() { patterntest::EnsureApplication(); }

    // The firm table in a character set: generated names in a dozen beginnings, some NULL,
    // one name repeated over the whole range of ids, and names with quotes and wildcards.
    void MakeFirms(const std::string& charset) {
        db().Exec(
            "DROP TABLE IF EXISTS firm; CREATE TABLE firm (id int AUTO_INCREMENT PRIMARY KEY, name "
            "varchar(60), "
            "kind int, KEY name (name)) " +
            charset);
        db().Exec(
            "INSERT INTO firm (name, kind) SELECT CASE WHEN seq % 97 = 0 THEN NULL "
            "WHEN seq % 500 = 7 THEN 'Aas Bygg AS' "
            "ELSE CONCAT(ELT(1 + seq % 13, 'Aas', 'Bakke', 'Øst', 'Ødegård', 'Ås', 'Æra', 'Olsen', "
            "'oslo', "
            "'ØKONOMI', 'Berg', 'Zeta', 'ørn', 'Alfa'), ' ', LPAD(seq, 4, '0')) END, seq % 3 FROM "
            "seq_1_to_" +
            std::to_string(kRows) +
            ";INSERT INTO firm (name, kind) VALUES ('O''Neil 100% ren', 1), ('O''Neil 100 ren', "
            "1), ('a_b', 1), "
            "('axb', 1), ('Back\\\\slash', 1), ('Backe', 1), ('berg', 1), ('Aas Bygg AS', 1)");
    }

    // The row reading every row and looking finds: the first in the table's order whose
    // name starts with the text (case ignored), -1 when none.
    int FirstStartingWith(const QString& order, const QString& filter, const QString& text) {
        Table all(firms_.connection(), "firm");
        all.SetOrder(order);
        all.SetFilterSql(filter);
        if (!all.Open()) return -2;
        for (int row = 0; row < all.RecordCount(); ++row)
            if (all.TextAt(row, "name").startsWith(text, Qt::CaseInsensitive)) return row;
        return -1;
    }

    void Reopen(const QString& order, const QString& filter) {
        firms_.Close();
        firms_.SetOrder(order);
        firms_.SetFilterSql(filter);
        ASSERT_TRUE(firms_.Open()) << firms_.LastError().toStdString();
    }

    Table firms_{table().connection(), "firm"};
};

const char* const kTyped[] = {
    "øst",         "ØST",         "Ø",      "ø",      "O",        "o",           "Ødegård 0",
    "å",           "Æ",           "ÆRA",    "aas",    "AAS BYGG", "Aas Bygg AS", "alf",
    "Aas 2",       "zeta 29",     "zeta 3", "z",      "berg",     "BERG 0",      "O'Neil",
    "o'neil 100%", "O'Neil 100 ", "%",      "_",      "a_b",      "a_",          "ax",
    "Back\\",      "\\",          "😀",      "Zeta 😀", "nothing",  "Zz",          " ",
};

TEST_F(ListWindowFinderTest, MovesToTheRowReadingEveryRowWouldFind) {
    ASSERT_TRUE(connected());
    const struct {
        const char* charset;
        const char* order;
        const char* filter;
    } settings[] = {
        {"CHARSET latin1", "name", ""},
        {"CHARSET latin1", "name DESC", ""},
        {"CHARSET latin1", "name", "kind = 1"},
        {"CHARSET latin1", "name DESC, kind", "kind <> 2"},
        {"CHARSET latin1", "`name`, kind DESC", ""},
        {"CHARSET utf8mb4 COLLATE utf8mb4_danish_ci", "name", ""},
        {"CHARSET utf8mb4 COLLATE utf8mb4_danish_ci", "name DESC", "kind = 1"},
    };
    for (const auto& s : settings) {
        MakeFirms(s.charset);
        for (const char* typed : kTyped) {
            const QString text = QString::fromUtf8(typed);
            const std::string where =
                std::string(s.charset) + " / " + s.order + " / " + s.filter + " / '" + typed + "'";
            const int expected = FirstStartingWith(s.order, s.filter, text);
            ASSERT_GE(expected, -1) << where;
            Reopen(s.order, s.filter);
            ListWindowBase list("FirmListForm", firms_, {{"name", "Navn"}, {"kind", "Type"}});
            ASSERT_TRUE(serverfinder::Serves(firms_, list.SearchColumn())) << where;
            const int held = firms_.FetchedCount();
            ASSERT_LT(held, kRows) << where;  // read in pages

            EXPECT_EQ(list.TypeAhead(text), expected >= 0) << where;
            if (expected < 0) {
                EXPECT_EQ(firms_.FetchedCount(), held) << where << ": nothing is read for a miss";
                continue;
            }
            EXPECT_EQ(firms_.RecNo() - 1, expected) << where;
            EXPECT_EQ(list.model()->CurrentRow(), expected) << where;
            if (std::string(s.charset).find("latin1") != std::string::npos) {
                EXPECT_LE(firms_.FetchedCount(), std::max(3 * held, expected + 200))
                    << where << ": only the rows up to it";
            }
        }
    }
}

TEST_F(ListWindowFinderTest, TypingKeyByKeyFollowsTheMatchesAndAnotherOrderReadsPages) {
    ASSERT_TRUE(connected());
    MakeFirms("CHARSET latin1");
    Reopen("name", "");
    ListWindowBase list("FirmListForm", firms_, {{"name", "Navn"}, {"kind", "Type"}});
    // Each key searches on from the last match; "Øst 2999" has no row, "b" starts again.
    for (const char* typed :
         {"Ø", "Øs", "Øst", "Øst ", "Øst 2", "Øst 29", "Øst 299", "Øst 2999", "b", "ba"}) {
        const QString text = QString::fromUtf8(typed);
        const int expected = FirstStartingWith("name", "", text);
        const int before = firms_.RecNo();
        EXPECT_EQ(list.TypeAhead(text), expected >= 0) << typed;
        EXPECT_EQ(firms_.RecNo(), expected >= 0 ? expected + 1 : before) << typed;
    }
    EXPECT_EQ(FirstStartingWith("name", "", "Øst 2999"), -1);

    // Typing in the grid goes through the search box to the same search.
    patterntest::PressKey(list.grid(), Qt::Key_Z, "Z", Qt::ShiftModifier);
    EXPECT_EQ(list.searchBox()->text(), "Z");
    EXPECT_EQ(firms_.RecNo() - 1, FirstStartingWith("name", "", "Z"));

    // Ordered by another column the server cannot tell: the rows are read and looked at.
    Reopen("kind, id", "");
    EXPECT_FALSE(serverfinder::Serves(firms_, "name"));
    EXPECT_FALSE(serverfinder::Serves(firms_, "kind"));  // numbers starting with "1" are scattered
    ListWindowBase byKind("FirmListForm", firms_, {{"name", "Navn"}, {"kind", "Type"}});
    EXPECT_TRUE(byKind.TypeAhead("Zeta 2"));
    EXPECT_EQ(firms_.RecNo() - 1, FirstStartingWith("kind, id", "", "Zeta 2"));
    EXPECT_FALSE(byKind.TypeAhead("Zeta 9"));
    EXPECT_TRUE(firms_.AllFetched());
}

TEST_F(ListWindowFinderTest, TheStatementQuotesTheTypedTextAndKeepsTheFilter) {
    ASSERT_TRUE(connected());
    MakeFirms("CHARSET latin1");
    Reopen("name", "kind = 1");
    const QString sql = serverfinder::PositionSql(firms_, "name", "O'Neil 100%_\\");
    EXPECT_TRUE(sql.contains("LIKE 'O\\'Neil 100\\\\%\\\\_\\\\\\\\%'")) << sql.toStdString();
    EXPECT_EQ(sql.count("(kind = 1)"), 2) << sql.toStdString();
    EXPECT_TRUE(serverfinder::PositionSql(firms_, "kind", "1").isEmpty());
    EXPECT_TRUE(serverfinder::PositionSql(firms_, "name", "").isEmpty());
    // A failing statement (a filter the server refuses) leaves the search to the rows.
    firms_.Close();
    firms_.SetFilterSql("kind = 1");
    ASSERT_TRUE(firms_.Open());
    db().Exec("ALTER TABLE firm DROP COLUMN kind");
    EXPECT_EQ(serverfinder::FindPrefix(firms_, "name", "Aas"), serverfinder::kCannotTell);
}

// A grid scrolling to the end of a long table: every row once and in order, the pages it
// reads growing no larger than a moment's reading however far it goes.
TEST_F(ListWindowFinderTest, ScrollingReadsEveryRowOnceInPagesThatStopGrowing) {
    ASSERT_TRUE(connected());
    db().Exec(
        "CREATE TABLE code (id int AUTO_INCREMENT PRIMARY KEY, code varchar(10) NOT NULL UNIQUE); "
        "INSERT INTO code (code) SELECT LPAD(seq, 6, '0') FROM seq_1_to_30000");
    Table codes(table().connection(), "code");
    codes.SetOrder("code DESC");
    ASSERT_TRUE(codes.Open());
    ListWindowBase list("CodeListForm", codes, {{"code", "Kode"}});
    std::size_t largest = 0;
    while (list.model()->canFetchMore(QModelIndex())) {
        const int before = codes.FetchedCount();
        list.model()->fetchMore(QModelIndex());
        ASSERT_GT(codes.FetchedCount(), before);
        largest =
            std::max<std::size_t>(largest, static_cast<std::size_t>(codes.FetchedCount() - before));
    }
    ASSERT_EQ(codes.FetchedCount(), 30000);
    EXPECT_EQ(list.model()->rowCount(), 30000);
    for (int row = 0; row < 30000; ++row)
        ASSERT_EQ(codes.TextAt(row, "code").toInt(), 30000 - row) << row;
    EXPECT_LE(largest, 4096u);

    // A far jump reads the rows up to it in one go; the grid's next page is again no larger.
    codes.Close();
    ASSERT_TRUE(codes.Open());
    ASSERT_TRUE(list.TypeAhead("0001"));
    EXPECT_EQ(codes.AsString("code"), "000199");
    const int held = codes.FetchedCount();
    list.model()->fetchMore(QModelIndex());
    EXPECT_LE(codes.FetchedCount() - held, 4096);
    EXPECT_EQ(codes.TextAt(codes.FetchedCount() - 1, "code").toInt(),
              30000 - codes.FetchedCount() + 1);
}

}  // namespace
