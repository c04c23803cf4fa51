// Tables read in pages: every row exactly once in the order's sequence whatever the order,
// other statements that leave the rest unread, whole-table operations that read it, and rows
// inserted, changed and deleted while pages are still to come.
#include <gtest/gtest.h>

#include <QHash>
#include <string>
#include <QSet>

#include "DbTestSupport.h"
#include "TestDatabase.h"
#include "db/Connection.h"
#include "db/PageOrder.h"
#include "db/Table.h"

namespace {

using testsupport::TestDatabase;

constexpr int kRows = 1700;  // more than three first pages

class DatasetPagingTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Duplicates and NULLs in the order columns, text differing only in case, a double.
        db_.Exec(
            "CREATE TABLE big (id INT AUTO_INCREMENT PRIMARY KEY, grp INT, code VARCHAR(20),"
            " d DATE, f DOUBLE, st ENUM('b','a'), txt VARCHAR(40), serial INT NOT NULL UNIQUE) ENGINE=InnoDB;"
            "INSERT INTO big (serial, grp, code, d, f, st, txt) SELECT (seq * 7919) % 1700, IF(seq % 17 = 0, NULL, seq % 13),"
            " IF(seq % 2, CONCAT('C', LPAD((seq * 7) % 500, 4, '0')), CONCAT('c', LPAD((seq * 7) % 500, 4, '0'))),"
            " DATE '2020-01-01' + INTERVAL (seq % 50) DAY, (seq % 37) / 3, IF(seq % 3, 'a', 'b'),"
            " CONCAT('row ', seq) FROM seq_1_to_1700;"
            "CREATE TABLE other (id INT AUTO_INCREMENT PRIMARY KEY, n INT);"
            "INSERT INTO other (n) SELECT seq FROM seq_1_to_1200;");
        ASSERT_TRUE(conn_.Connect(dbtest::SocketParams(db_))) << conn_.LastError().toStdString();
    }

    // The rank of every id in the order as the server sorts it (ties share a rank).
    QHash<QString, int> Ranks(const QString& order) {
        const QString by = order.isEmpty() ? QStringLiteral("id") : order;
        const QueryResult r = conn_.Query("SELECT id, DENSE_RANK() OVER (ORDER BY " + by + ") FROM big");
        EXPECT_TRUE(r.ok()) << r.Error().toStdString();
        QHash<QString, int> ranks;
        for (int i = 0; i < r.RowCount(); ++i) ranks.insert(r.Text(i, 0), r.Text(i, 1).toInt());
        return ranks;
    }

    // Walks the table from the first row; fails on a row seen twice or out of order.
    QStringList Walk(Table& t, const QHash<QString, int>& ranks) {
        QStringList ids;
        QSet<QString> seen;
        int lastRank = -1;
        for (t.First(); !t.Eof(); t.Next()) {
            const QString id = t.AsString("id");
            EXPECT_FALSE(seen.contains(id)) << "row " << id.toStdString() << " twice";
            seen.insert(id);
            if (ranks.contains(id)) {
                EXPECT_GE(ranks.value(id), lastRank) << "row " << id.toStdString() << " out of order";
                lastRank = ranks.value(id);
            }
            ids << id;
        }
        return ids;
    }

    TestDatabase db_;
    Connection conn_;
};

TEST(PageOrderTest, PlainColumnListsAndTheRest) {
    struct Case {
        const char* text;
        bool plain;
        QStringList columns;
        QList<bool> descending;
    };
    const Case cases[] = {
        {"", true, {}, {}},
        {"startdate, projectnumber", true, {"startdate", "projectnumber"}, {false, false}},
        {"ordernumber DESC", true, {"ordernumber"}, {true}},
        {"`odd, name` desc , b ASC", true, {"odd, name", "b"}, {true, false}},
        {"product.name", true, {"name"}, {false}},
        {"a + 1", false, {}, {}},
        {"2", false, {}, {}},
        {"FIELD(a, 1, 2)", false, {}, {}},
        {"a,,b", false, {}, {}},
        {"a DESC DESC", false, {}, {}},
    };
    for (const Case& c : cases) {
        std::vector<OrderTerm> terms;
        EXPECT_EQ(c.plain, ParseOrder(c.text, terms)) << c.text;
        QStringList columns;
        QList<bool> descending;
        for (const OrderTerm& t : terms) {
            columns << t.column;
            descending << t.descending;
        }
        EXPECT_EQ(c.columns, columns) << c.text;
        EXPECT_EQ(c.descending, descending) << c.text;
    }
}

TEST_F(DatasetPagingTest, WalkGivesEveryRowOnceInTheOrder) {
    // Plain columns (read by their values) and orders that are read by offset.
    const char* orders[] = {"",          "grp",           "grp DESC",      "grp, code",   "code DESC, grp",
                            "d DESC",    "big.code",      "`code` ASC, d", "id DESC",     "f",
                            "st, grp",   "grp + 0 DESC",  "LOWER(code)", "serial DESC", "serial, grp"};
    for (const char* order : orders) {
        SCOPED_TRACE(order);
        Table t(conn_, "big");
        t.SetOrder(order);
        ASSERT_TRUE(t.Open()) << t.LastError().toStdString();
        EXPECT_LT(t.FetchedCount(), kRows);
        EXPECT_FALSE(t.AllFetched());
        const QStringList ids = Walk(t, Ranks(order));
        EXPECT_EQ(kRows, ids.size());
        EXPECT_TRUE(t.AllFetched());
        EXPECT_EQ(kRows, t.RecordCount());
    }
    // A unique column's order needs no tie-break, so that its index serves it.
    Table t(conn_, "big");
    t.SetOrder("serial DESC");
    EXPECT_TRUE(t.OpenSql().endsWith("ORDER BY serial DESC LIMIT 500")) << t.OpenSql().toStdString();
    t.SetOrder("grp");
    EXPECT_TRUE(t.OpenSql().endsWith("ORDER BY grp, `id` LIMIT 500")) << t.OpenSql().toStdString();
}

TEST_F(DatasetPagingTest, OtherStatementsLeaveTheRestUnread) {
    Table big(conn_, "big");
    big.SetOrder("code");
    Table other(conn_, "other");
    int fetches = 0;
    big.AfterFetch().Add([&](Dataset&) { ++fetches; });
    ASSERT_TRUE(big.Open());
    ASSERT_TRUE(conn_.Exec("UPDATE other SET n = 0 WHERE id = 1"));
    ASSERT_TRUE(other.Open());
    EXPECT_EQ("1200", conn_.Query("SELECT COUNT(*) FROM other").Scalar());
    ASSERT_TRUE(conn_.Exec("UPDATE big SET txt = 'x' WHERE id = 2"));
    EXPECT_LT(big.FetchedCount(), kRows);
    EXPECT_LT(other.FetchedCount(), 1200);
    EXPECT_EQ(0, fetches);
    EXPECT_EQ(kRows, big.ServerRecordCount());
    EXPECT_LT(big.FetchedCount(), kRows);

    // A grid asks for more rows.
    const int held = big.FetchedCount();
    EXPECT_TRUE(big.FetchMore(100));
    EXPECT_GE(big.FetchedCount(), held + 100);
    EXPECT_EQ(1, fetches);
    // Moving past the rows held reads what is needed.
    ASSERT_TRUE(big.SetRecNo(1300));
    EXPECT_EQ(1300, big.RecNo());
    EXPECT_LT(big.FetchedCount(), kRows);
    EXPECT_FALSE(big.SetRecNo(kRows + 1));
    EXPECT_TRUE(big.AllFetched());
    ASSERT_TRUE(big.First());
    EXPECT_TRUE(big.MoveBy(600));
    EXPECT_EQ(601, big.RecNo());
    EXPECT_EQ(1200, other.RecordCount());
    EXPECT_EQ(1200, other.ServerRecordCount());
    EXPECT_FALSE(other.FetchMore(10));
}

TEST_F(DatasetPagingTest, WholeTableOperationsSeeEveryRow) {
    const QString lastCode = QString::fromStdString(db_.Scalar("SELECT code FROM big ORDER BY code DESC, id DESC LIMIT 1"));
    const QString lastId = QString::fromStdString(db_.Scalar("SELECT id FROM big ORDER BY code DESC, id DESC LIMIT 1"));
    {
        Table t(conn_, "big");
        t.SetOrder("code");
        ASSERT_TRUE(t.Open());
        EXPECT_TRUE(t.Locate("txt", "row 1699"));
        EXPECT_EQ("row 1699", t.AsString("txt"));
        EXPECT_EQ(t.FindRow("txt", "row 1699") + 1, t.RecNo());
    }
    {
        Table t(conn_, "big");
        t.SetOrder("code");
        ASSERT_TRUE(t.Open());
        ASSERT_TRUE(t.Last());
        EXPECT_EQ(lastId, t.AsString("id"));
        EXPECT_EQ(lastCode, t.AsString("code"));
        EXPECT_EQ(kRows, t.RecNo());
    }
    {
        Table t(conn_, "big");
        ASSERT_TRUE(t.Open());
        EXPECT_EQ(kRows, t.RecordCount());
        EXPECT_EQ("row 1650", t.TextAt(1649, "txt"));
    }
    {
        Table t(conn_, "big");
        ASSERT_TRUE(t.Open());
        EXPECT_EQ("row 1650", t.TextAt(1649, "txt"));  // reads up to the row asked for
        EXPECT_EQ("", t.TextAt(kRows, "txt"));
    }
}

TEST_F(DatasetPagingTest, RowsPostedOrDeletedBeforeLaterPagesAreNotReadAgain) {
    // By the order's values, by offset (a double), and by offset without an order column.
    for (const char* order : {"code", "f", "grp + 0"}) {
        SCOPED_TRACE(order);
        db_.Exec("DELETE FROM big WHERE txt LIKE 'new%'");
        const int rows = std::stoi(db_.Scalar("SELECT COUNT(*) FROM big"));
        Table t(conn_, "big");
        t.SetOrder(order);
        ASSERT_TRUE(t.Open());
        ASSERT_TRUE(t.SetRecNo(10));
        // A new row that sorts into a later page, inserted here in the first one.
        ASSERT_TRUE(t.Insert());
        ASSERT_TRUE(t.SetString("code", "c0490"));
        ASSERT_TRUE(t.SetFloat("f", 11.5));
        ASSERT_TRUE(t.SetInteger("grp", 11));
        ASSERT_TRUE(t.SetString("txt", "new"));
        ASSERT_TRUE(t.SetInteger("serial", 5000 + rows));
        ASSERT_TRUE(t.Post()) << t.LastError().toStdString();
        const QString newId = t.AsString("id");
        EXPECT_EQ(10, t.RecNo());
        // A first-page row changed so that it sorts last.
        ASSERT_TRUE(t.SetRecNo(3));
        const QString movedId = t.AsString("id");
        ASSERT_TRUE(t.Edit());
        ASSERT_TRUE(t.SetString("code", "zz"));
        ASSERT_TRUE(t.SetFloat("f", 99));
        ASSERT_TRUE(t.SetInteger("grp", 99));
        ASSERT_TRUE(t.Post());
        // A first-page row deleted.
        ASSERT_TRUE(t.SetRecNo(5));
        const QString deletedId = t.AsString("id");
        ASSERT_TRUE(t.Delete());
        EXPECT_LT(t.FetchedCount(), kRows);

        QStringList ids;
        for (t.First(); !t.Eof(); t.Next()) ids << t.AsString("id");
        EXPECT_EQ(rows, ids.size());  // one in, one out
        EXPECT_EQ(rows, QSet<QString>(ids.begin(), ids.end()).size());
        EXPECT_EQ(1, ids.count(newId));
        EXPECT_EQ(1, ids.count(movedId));
        EXPECT_EQ(0, ids.count(deletedId));
        EXPECT_EQ(QString::fromStdString(db_.Scalar("SELECT COUNT(*) FROM big")).toInt(), t.RecordCount());
        db_.Exec("UPDATE big SET code = 'c0001', f = 1, grp = 1 WHERE id = " + movedId.toStdString());
    }
}

TEST_F(DatasetPagingTest, RefreshStaysOnARowBeyondTheFirstPage) {
    Table t(conn_, "big");
    t.SetOrder("grp DESC, code");
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(t.SetRecNo(1234));
    const QString id = t.AsString("id");
    EXPECT_LT(t.FetchedCount(), kRows);
    db_.Exec("UPDATE big SET txt = 'changed' WHERE id = " + id.toStdString() +
             "; INSERT INTO big (grp, code, txt, serial) VALUES (12, 'a', 'elsewhere', 5000)");
    ASSERT_TRUE(t.Refresh()) << t.LastError().toStdString();
    EXPECT_EQ(id, t.AsString("id"));
    EXPECT_EQ("changed", t.AsString("txt"));
    EXPECT_EQ(1235, t.RecNo());  // the new row sorts before it
    EXPECT_LT(t.FetchedCount(), kRows + 1);
    EXPECT_EQ(kRows + 1, static_cast<int>(Walk(t, Ranks("grp DESC, code")).size()));

    // A row gone elsewhere: the same position.
    ASSERT_TRUE(t.SetRecNo(1500));
    db_.Exec("DELETE FROM big WHERE id = " + t.AsString("id").toStdString());
    ASSERT_TRUE(t.Refresh());
    EXPECT_EQ(1500, t.RecNo());
    EXPECT_EQ(kRows, t.RecordCount());
}

// A record window reads its one row again: nothing else is read, the row keeps its place.
TEST_F(DatasetPagingTest, RefreshRecordReadsOnlyTheCurrentRow) {
    Table t(conn_, "big");
    t.SetOrder("grp DESC, code");
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(t.SetRecNo(1234));
    const QString id = t.AsString("id");
    const int held = t.FetchedCount();
    db_.Exec("UPDATE big SET txt = 'O''Brien' WHERE id = " + id.toStdString());
    ASSERT_TRUE(t.RefreshRecord()) << t.LastError().toStdString();
    EXPECT_EQ("O'Brien", t.AsString("txt"));
    EXPECT_EQ(id, t.AsString("id"));
    EXPECT_EQ(1234, t.RecNo());
    EXPECT_EQ(held, t.FetchedCount());

    // Gone elsewhere: said, and the row stays as it was read.
    db_.Exec("DELETE FROM big WHERE id = " + id.toStdString());
    EXPECT_FALSE(t.RefreshRecord());
    EXPECT_FALSE(t.LastError().isEmpty());
    EXPECT_EQ("O'Brien", t.AsString("txt"));
    // Not while editing: the typed values stay.
    ASSERT_TRUE(t.SetRecNo(10));
    ASSERT_TRUE(t.Edit());
    ASSERT_TRUE(t.SetString("txt", "typed"));
    EXPECT_FALSE(t.RefreshRecord());
    EXPECT_EQ("typed", t.AsString("txt"));
    t.Cancel();
}

TEST_F(DatasetPagingTest, DetailLargerThanAPageFollowsItsMaster) {
    db_.Exec("CREATE TABLE head (id INT AUTO_INCREMENT PRIMARY KEY, name VARCHAR(10));"
             "INSERT INTO head (name) VALUES ('a'), ('b'), ('c');"
             "CREATE TABLE line (id INT AUTO_INCREMENT PRIMARY KEY, head INT, n INT);"
             "INSERT INTO line (head, n) SELECT 1 + seq % 2, seq FROM seq_1_to_2400;");
    Table head(conn_, "head");
    head.SetOrder("id");
    Table line(conn_, "line");
    line.SetOrder("n DESC");
    line.SetMasterLink(&head, "id", "head");
    ASSERT_TRUE(head.Open());
    ASSERT_TRUE(line.Open());
    for (int expected : {1200, 1200, 0}) {
        int count = 0;
        int last = 1 << 30;
        for (line.First(); !line.Eof(); line.Next()) {
            EXPECT_EQ(head.AsInteger("id"), line.AsInteger("head"));
            EXPECT_LT(line.AsInteger("n"), last);
            last = static_cast<int>(line.AsInteger("n"));
            ++count;
        }
        EXPECT_EQ(expected, count) << head.AsString("name").toStdString();
        head.Next();
    }
    head.First();
    EXPECT_LT(line.FetchedCount(), 1200);
    EXPECT_EQ(1200, line.ServerRecordCount());
}

TEST_F(DatasetPagingTest, TableWithoutIdIsReadWhole) {
    db_.Exec("CREATE TABLE noid (code INT, txt VARCHAR(10));"
             "INSERT INTO noid SELECT seq, 'x' FROM seq_1_to_1100;");
    Table t(conn_, "noid");
    t.SetOrder("code DESC");
    ASSERT_TRUE(t.Open()) << t.LastError().toStdString();
    EXPECT_TRUE(t.AllFetched());
    EXPECT_EQ(1100, t.FetchedCount());
    EXPECT_EQ(1100, t.AsInteger("code"));
    ASSERT_TRUE(t.Refresh());
    EXPECT_EQ(1100, t.RecordCount());
    // An `id` that is not unique cannot be paged by either.
    db_.Exec("CREATE TABLE dupid (id INT, n INT); INSERT INTO dupid SELECT seq % 3, seq FROM seq_1_to_1100;");
    Table dup(conn_, "dupid");
    ASSERT_TRUE(dup.Open()) << dup.LastError().toStdString();
    EXPECT_TRUE(dup.AllFetched());
    EXPECT_EQ(1100, dup.FetchedCount());
    // A bad filter is still reported.
    EXPECT_FALSE(t.SetFilterSql("nosuchcolumn = 1"));
    EXPECT_FALSE(t.LastError().isEmpty());
}

}  // namespace
