// Datasets on a real server: reading every kind of column, posting only what changed,
// failures that keep the edited values, events in order, locate, lookup and calculated
// fields, master-detail, and the query face.
#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "TestDatabase.h"
#include "db/Connection.h"
#include "db/Query.h"
#include "db/Table.h"

namespace {

using testsupport::TestDatabase;

class DatasetTest : public ::testing::Test {
protected:
    void SetUp() override {
        db_.Exec(
            "CREATE TABLE product (id INT AUTO_INCREMENT PRIMARY KEY,"
            " productcode VARCHAR(10) NOT NULL DEFAULT '', name VARCHAR(40),"
            " price DECIMAL(15,2) DEFAULT 9.50, weight DOUBLE, stock INT DEFAULT 7,"
            " created DATE DEFAULT '0000-00-00', changed DATETIME, note TEXT, data BLOB,"
            " t TIME) ENGINE=InnoDB;"
            "INSERT INTO product (productcode, name, price, weight, stock, created, changed, note)"
            " VALUES ('A1', 'Øl', 12.50, 0.5, 3, '2024-02-29', '2024-03-01 12:34:56', 'x'),"
            " ('b2', 'Brus', 20, 1.25, 0, '0000-00-00', '0000-00-00 00:00:00', NULL),"
            " ('C3', NULL, NULL, NULL, NULL, NULL, NULL, NULL);");
        ASSERT_TRUE(conn_.Connect(dbtest::SocketParams(db_))) << conn_.LastError().toStdString();
    }
    TestDatabase db_;
    Connection conn_;
};

TEST_F(DatasetTest, ReadsEveryKindOfColumnWithNullAndZeroDates) {
    Table t(conn_, "product");
    t.SetOrder("id");
    ASSERT_TRUE(t.Open()) << t.LastError().toStdString();
    EXPECT_EQ(3, t.RecordCount());
    EXPECT_EQ(DatasetState::Browse, t.State());
    EXPECT_EQ("A1", t.AsString("productcode"));
    EXPECT_EQ("Øl", t.AsString("NAME"));
    EXPECT_DOUBLE_EQ(12.5, t.AsFloat("price"));
    EXPECT_EQ("12.50", t.AsString("price"));
    EXPECT_EQ(13, t.AsInteger("price"));  // rounded
    EXPECT_EQ(QDate(2024, 2, 29), t.AsDate("created"));
    EXPECT_EQ(QDateTime(QDate(2024, 3, 1), QTime(12, 34, 56)), t.AsDateTime("changed"));
    EXPECT_EQ(FieldType::Decimal, t.FieldByName("price")->Type());
    EXPECT_EQ(FieldType::Date, t.FieldByName("created")->Type());
    EXPECT_EQ(FieldType::Bytes, t.FieldByName("data")->Type());

    ASSERT_TRUE(t.Next());  // zero dates
    EXPECT_TRUE(t.IsNull("created"));
    EXPECT_FALSE(t.AsDate("created").isValid());
    EXPECT_FALSE(t.AsDateTime("changed").isValid());
    EXPECT_EQ("", t.AsString("created"));

    ASSERT_TRUE(t.Next());  // NULL in every kind of column
    for (const char* c : {"name", "price", "weight", "stock", "created", "changed", "note", "data", "t"}) {
        EXPECT_TRUE(t.IsNull(c)) << c;
    }
    EXPECT_EQ("", t.AsString("name"));
    EXPECT_EQ(0, t.AsInteger("stock"));
    EXPECT_EQ(0.0, t.AsFloat("weight"));
    EXPECT_FALSE(t.AsDateTime("changed").isValid());
    EXPECT_TRUE(t.FieldByName("t")->AsVariant().isNull());

    EXPECT_TRUE(t.IsNull("nosuchfield"));
    EXPECT_EQ("Ukjent felt: nosuchfield", t.LastError());
}

TEST_F(DatasetTest, NavigationFollowsEofAndBof) {
    Table t(conn_, "product");
    t.SetOrder("id");
    ASSERT_TRUE(t.Open());
    EXPECT_TRUE(t.Bof());
    EXPECT_FALSE(t.Eof());
    QStringList seen;
    for (t.First(); !t.Eof(); t.Next()) seen << t.AsString("productcode");
    EXPECT_EQ((QStringList{"A1", "b2", "C3"}), seen);
    EXPECT_EQ(3, t.RecNo());
    EXPECT_FALSE(t.Next());
    ASSERT_TRUE(t.Prior());
    EXPECT_EQ(2, t.RecNo());
    t.Last();
    EXPECT_TRUE(t.Eof());
    EXPECT_TRUE(t.SetRecNo(1));
    EXPECT_FALSE(t.Prior());
    EXPECT_TRUE(t.Bof());
    ASSERT_TRUE(t.SetFilterSql("productcode = " + conn_.Quote("nothing")));
    EXPECT_TRUE(t.IsEmpty());
    EXPECT_TRUE(t.Eof() && t.Bof());
    EXPECT_EQ(0, t.RecNo());
    EXPECT_FALSE(t.Edit());
}

TEST_F(DatasetTest, PostWritesOnlyTheChangedColumns) {
    Table t(conn_, "product");
    t.SetOrder("id");
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(t.Edit());
    ASSERT_TRUE(t.SetString("name", "O'Brien \\ æøå 😀"));
    EXPECT_TRUE(t.SetString("productcode", "A1"));  // same value: not a change
    EXPECT_FALSE(t.IsFieldChanged(*t.FieldByName("productcode")));
    // Another workstation changes other columns of the same row meanwhile.
    db_.Exec("UPDATE product SET stock = 99, productcode = 'Z9' WHERE id = 1");
    ASSERT_TRUE(t.Post()) << t.LastError().toStdString();
    EXPECT_EQ(DatasetState::Browse, t.State());
    EXPECT_EQ("O'Brien \\ æøå 😀", t.AsString("name"));
    EXPECT_EQ("O'Brien \\ æøå 😀", QString::fromStdString(db_.Scalar("SELECT name FROM product WHERE id=1")));
    EXPECT_EQ("99", db_.Scalar("SELECT stock FROM product WHERE id=1"));
    EXPECT_EQ("Z9", db_.Scalar("SELECT productcode FROM product WHERE id=1"));
    // An edit that changes nothing sends nothing and keeps the other's change.
    ASSERT_TRUE(t.Edit());
    ASSERT_TRUE(t.Post());
    EXPECT_EQ("Z9", db_.Scalar("SELECT productcode FROM product WHERE id=1"));
}

TEST_F(DatasetTest, InsertShowsTheServersIdAndDefaults) {
    Table t(conn_, "product");
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(t.Append());
    EXPECT_EQ(DatasetState::Insert, t.State());
    ASSERT_TRUE(t.SetString("productcode", "NEW"));
    ASSERT_TRUE(t.SetFloat("weight", 2.25));
    ASSERT_TRUE(t.SetDate("changed", QDate(2025, 1, 2)));
    ASSERT_TRUE(t.Post()) << t.LastError().toStdString();
    EXPECT_EQ(4, t.AsInteger("id"));
    EXPECT_EQ(4, t.RecordCount());
    EXPECT_EQ(4, t.RecNo());
    EXPECT_EQ("9.50", t.AsString("price"));
    EXPECT_EQ(7, t.AsInteger("stock"));
    EXPECT_TRUE(t.IsNull("created"));  // the zero-date default
    EXPECT_EQ(QDateTime(QDate(2025, 1, 2), QTime(0, 0)), t.AsDateTime("changed"));
    EXPECT_EQ("2.25", db_.Scalar("SELECT weight FROM product WHERE id=4"));
    // Insert puts the row before the current one.
    t.First();
    ASSERT_TRUE(t.Insert());
    ASSERT_TRUE(t.SetString("productcode", "FIRST"));
    ASSERT_TRUE(t.Post());
    EXPECT_EQ(1, t.RecNo());
    EXPECT_EQ(5, t.AsInteger("id"));
    t.Next();
    EXPECT_EQ("A1", t.AsString("productcode"));
}

TEST_F(DatasetTest, FailedPostKeepsTheEditedValuesAndReportsTheServer) {
    Table t(conn_, "product");
    t.SetOrder("id");
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(t.Edit());
    ASSERT_TRUE(t.SetString("name", "kept"));
    ASSERT_TRUE(t.SetString("productcode", "far too long for ten"));
    EXPECT_FALSE(t.Post());
    EXPECT_TRUE(t.LastError().contains("productcode")) << t.LastError().toStdString();
    EXPECT_EQ(DatasetState::Edit, t.State());
    EXPECT_EQ("kept", t.AsString("name"));
    EXPECT_EQ("far too long for ten", t.AsString("productcode"));
    EXPECT_EQ("Øl", QString::fromStdString(db_.Scalar("SELECT name FROM product WHERE id=1")));
    // Moving away tries to post and stays when that fails.
    EXPECT_FALSE(t.Next());
    EXPECT_EQ(DatasetState::Edit, t.State());
    ASSERT_TRUE(t.SetString("productcode", "OK"));
    ASSERT_TRUE(t.Post());
    EXPECT_EQ("OK", db_.Scalar("SELECT productcode FROM product WHERE id=1"));

    ASSERT_TRUE(t.Append());
    ASSERT_TRUE(t.SetString("productcode", "far too long for ten"));
    EXPECT_FALSE(t.Post());
    EXPECT_EQ(DatasetState::Insert, t.State());
    EXPECT_EQ(3, t.RecordCount());
    EXPECT_EQ("3", db_.Scalar("SELECT COUNT(*) FROM product"));
    t.Cancel();
    EXPECT_EQ(DatasetState::Browse, t.State());
    EXPECT_EQ("OK", t.AsString("productcode"));
}

TEST_F(DatasetTest, PostAfterTheServerDroppedTheSessionFailsThenWorks) {
    Table t(conn_, "product");
    t.SetOrder("id");
    ASSERT_TRUE(t.Open());
    Connection killer;
    ASSERT_TRUE(killer.Connect(dbtest::SocketParams(db_)));
    ASSERT_TRUE(killer.Exec("KILL " + QString::number(conn_.ThreadId())));
    ASSERT_TRUE(t.Edit());
    ASSERT_TRUE(t.SetString("name", "after loss"));
    EXPECT_FALSE(t.Post());
    EXPECT_TRUE(t.LastError().startsWith("Forbindelsen til databasen ble brutt")) << t.LastError().toStdString();
    EXPECT_EQ("after loss", t.AsString("name"));
    ASSERT_TRUE(t.Post()) << t.LastError().toStdString();
    EXPECT_EQ("after loss", QString::fromStdString(db_.Scalar("SELECT name FROM product WHERE id=1")));
}

TEST_F(DatasetTest, RowDeletedElsewhereIsNotReportedAsSaved) {
    Table t(conn_, "product");
    t.SetOrder("id");
    ASSERT_TRUE(t.Open());
    db_.Exec("DELETE FROM product WHERE id = 1");
    ASSERT_TRUE(t.Edit());
    ASSERT_TRUE(t.SetString("name", "lost"));
    EXPECT_FALSE(t.Post());
    EXPECT_EQ(DatasetState::Edit, t.State());
}

TEST_F(DatasetTest, EventsRunInOrderAndBeforePostCanRefuse) {
    Table t(conn_, "product");
    t.SetOrder("id");
    QStringList log;
    auto state = [](DatasetState s) {
        switch (s) {
            case DatasetState::Inactive: return QString("Inactive");
            case DatasetState::Browse: return QString("Browse");
            case DatasetState::Edit: return QString("Edit");
            case DatasetState::Insert: return QString("Insert");
        }
        return QString();
    };
    bool refuse = true;
    t.OnStateChange().Add([&](Dataset& d) { log << "state:" + state(d.State()); });
    t.BeforeInsert().Add([&](Dataset&, Veto&) { log << "beforeInsert"; });
    t.OnNewRecord().Add([&](Dataset& d) {
        log << "newRecord";
        d.SetString("productcode", "DEF");
    });
    t.BeforePost().Add([&](Dataset& d, Veto& v) {
        log << "beforePost:" + d.AsString("productcode");
        if (refuse) v.Refuse("Varenummer mangler");
    });
    t.AfterPost().Add([&](Dataset& d) { log << "afterPost:" + d.AsString("id"); });
    t.BeforeDelete().Add([&](Dataset&, Veto& v) {
        log << "beforeDelete";
        if (refuse) v.Refuse();  // a declined confirmation: silent
    });
    t.AfterDelete().Add([&](Dataset&) { log << "afterDelete"; });
    ASSERT_TRUE(t.Open());
    ASSERT_TRUE(t.Append());
    EXPECT_FALSE(t.Post());
    EXPECT_EQ("Varenummer mangler", t.LastError());
    EXPECT_EQ(DatasetState::Insert, t.State());
    refuse = false;
    ASSERT_TRUE(t.Post());
    refuse = true;
    EXPECT_FALSE(t.Delete());
    EXPECT_EQ("", t.LastError());
    refuse = false;
    ASSERT_TRUE(t.Delete());
    EXPECT_EQ((QStringList{"state:Browse", "beforeInsert", "state:Insert", "newRecord",
                           "beforePost:DEF", "beforePost:DEF", "state:Browse", "afterPost:4",
                           "beforeDelete", "beforeDelete", "afterDelete"}),
              log);
    EXPECT_EQ("3", db_.Scalar("SELECT COUNT(*) FROM product"));
    EXPECT_EQ(3, t.RecordCount());
}

TEST_F(DatasetTest, LocateByTextCaseAndNumber) {
    Table t(conn_, "product");
    t.SetOrder("id");
    ASSERT_TRUE(t.Open());
    EXPECT_TRUE(t.Locate("productcode", "C3"));
    EXPECT_EQ(3, t.RecNo());
    EXPECT_FALSE(t.Locate("productcode", "B2"));
    EXPECT_EQ(3, t.RecNo());  // stays
    EXPECT_TRUE(t.Locate("productcode", "B2", true));
    EXPECT_EQ(2, t.RecNo());
    EXPECT_TRUE(t.Locate("name", "øL", true));
    EXPECT_EQ(1, t.RecNo());
    EXPECT_TRUE(t.Locate("price", 20));
    EXPECT_EQ(2, t.RecNo());
    EXPECT_TRUE(t.Locate("id", "3"));
    EXPECT_TRUE(t.Locate("name", QVariant()));  // the NULL one
    EXPECT_EQ(3, t.RecNo());
    // The index follows changes.
    t.First();
    ASSERT_TRUE(t.Edit());
    ASSERT_TRUE(t.SetString("productcode", "NEW1"));
    ASSERT_TRUE(t.Post());
    EXPECT_FALSE(t.Locate("productcode", "A1"));
    EXPECT_TRUE(t.Locate("productcode", "new1", true));
    EXPECT_EQ(1, t.RecNo());
    EXPECT_FALSE(t.Locate("nosuch", "x"));
}

TEST_F(DatasetTest, LookupAndCalculatedFields) {
    db_.Exec("CREATE TABLE items (id INT AUTO_INCREMENT PRIMARY KEY, productid INT, qty INT);"
             "INSERT INTO items (productid, qty) VALUES (2, 3), (1, 4), (9, 1), (NULL, 2);");
    Table products(conn_, "product");
    ASSERT_TRUE(products.Open());
    Table items(conn_, "items");
    items.SetOrder("id");
    items.AddLookupField("productname", "productid", products, "id", "name");
    items.AddCalculatedField("double", FieldType::Integer);
    int calculations = 0;
    items.OnCalcFields().Add([&](Dataset& d) {
        ++calculations;
        d.FieldByName("double")->SetInteger(d.AsInteger("qty") * 2);
    });
    ASSERT_TRUE(items.Open());
    QStringList names;
    QList<qint64> doubles;
    for (items.First(); !items.Eof(); items.Next()) {
        names << items.AsString("productname");
        doubles << items.AsInteger("double");
    }
    EXPECT_EQ((QStringList{"Brus", "Øl", "", ""}), names);
    EXPECT_EQ((QList<qint64>{6, 8, 2, 4}), doubles);
    EXPECT_EQ(4, calculations);
    // A grid reads the looked-up value of every row, the cursor staying where it is.
    items.First();
    EXPECT_EQ((QStringList{items.TextAt(0, "productname"), items.TextAt(1, "productname"),
                           items.TextAt(2, "productname"), items.TextAt(3, "productname")}),
              (QStringList{"Brus", "Øl", "", ""}));
    EXPECT_EQ(1, items.RecNo());
    // While editing, the calculated value follows the typed value.
    items.First();
    ASSERT_TRUE(items.Edit());
    ASSERT_TRUE(items.SetInteger("qty", 10));
    EXPECT_EQ(20, items.AsInteger("double"));
    ASSERT_TRUE(items.SetInteger("productid", 1));
    EXPECT_EQ("Øl", items.AsString("productname"));
    EXPECT_FALSE(items.SetString("productname", "x"));
    EXPECT_FALSE(items.FieldByName("double")->SetInteger(1));
    ASSERT_TRUE(items.Post());
    EXPECT_EQ("10", db_.Scalar("SELECT qty FROM items WHERE id=1"));
}

TEST_F(DatasetTest, DetailFollowsItsMaster) {
    db_.Exec("CREATE TABLE sublines (id INT AUTO_INCREMENT PRIMARY KEY, productid INT, txt VARCHAR(10));"
             "INSERT INTO sublines (productid, txt) VALUES (1, 'a'), (1, 'b'), (2, 'c');");
    Table master(conn_, "product");
    master.SetOrder("id");
    Table detail(conn_, "sublines");
    detail.SetOrder("id");
    detail.SetMasterLink(&master, "id", "productid");
    ASSERT_TRUE(detail.Open());
    EXPECT_EQ(0, detail.RecordCount());  // master closed
    ASSERT_TRUE(master.Open());
    EXPECT_EQ(2, detail.RecordCount());
    master.Next();
    EXPECT_EQ(1, detail.RecordCount());
    EXPECT_EQ("c", detail.AsString("txt"));
    master.Next();
    EXPECT_TRUE(detail.IsEmpty());
    ASSERT_TRUE(detail.Append());
    EXPECT_EQ(3, detail.AsInteger("productid"));
    ASSERT_TRUE(detail.SetString("txt", "d"));
    ASSERT_TRUE(detail.Post());
    EXPECT_EQ("3", db_.Scalar("SELECT productid FROM sublines WHERE txt='d'"));
    // A new master row has no sublines until it is saved.
    ASSERT_TRUE(master.Append());
    ASSERT_TRUE(master.SetString("productcode", "M"));
    ASSERT_TRUE(master.Post());
    EXPECT_TRUE(detail.IsEmpty());
    master.First();
    EXPECT_EQ(2, detail.RecordCount());
    master.Close();
    EXPECT_TRUE(detail.IsEmpty());
}

TEST_F(DatasetTest, ReadOnlyAndRefresh) {
    Table t(conn_, "product");
    t.SetOrder("id");
    t.SetReadOnly(true);
    ASSERT_TRUE(t.Open());
    EXPECT_FALSE(t.Edit());
    EXPECT_FALSE(t.Append());
    EXPECT_FALSE(t.Delete());
    EXPECT_EQ("Datasettet er skrivebeskyttet", t.LastError());
    t.Locate("productcode", "b2");
    db_.Exec("INSERT INTO product (id, productcode) VALUES (0, 'first') ;"
             "UPDATE product SET name = 'changed' WHERE id = 2");
    ASSERT_TRUE(t.Refresh());
    EXPECT_EQ(4, t.RecordCount());
    EXPECT_EQ("b2", t.AsString("productcode"));  // still on the same row
    EXPECT_EQ("changed", t.AsString("name"));
}

TEST_F(DatasetTest, QueryWritesOnlyItsOwnTable) {
    db_.Exec("CREATE TABLE sublines (id INT AUTO_INCREMENT PRIMARY KEY, productid INT, txt VARCHAR(10));"
             "INSERT INTO sublines (productid, txt) VALUES (1, 'a'), (2, 'c');");
    Query q(conn_, "SELECT sublines.*, product.name FROM sublines LEFT JOIN product ON product.id = sublines.productid"
                   " ORDER BY sublines.id");
    ASSERT_TRUE(q.Open()) << q.LastError().toStdString();
    EXPECT_EQ("Øl", q.AsString("name"));
    ASSERT_TRUE(q.Edit());
    EXPECT_FALSE(q.SetString("name", "x"));
    ASSERT_TRUE(q.SetString("txt", "z"));
    ASSERT_TRUE(q.Post()) << q.LastError().toStdString();
    EXPECT_EQ("z", db_.Scalar("SELECT txt FROM sublines WHERE id=1"));
    EXPECT_EQ("Øl", QString::fromStdString(db_.Scalar("SELECT name FROM product WHERE id=1")));
    ASSERT_TRUE(q.Append());
    ASSERT_TRUE(q.SetInteger("productid", 2));
    ASSERT_TRUE(q.Post());
    EXPECT_EQ(3, q.AsInteger("id"));

    q.SetSql("SELECT COUNT(*) AS n FROM sublines");
    ASSERT_TRUE(q.Open());
    EXPECT_EQ(3, q.AsInteger("n"));
    EXPECT_FALSE(q.CanModify());
    EXPECT_FALSE(q.Edit());

    q.SetSql("SELECT * FROM nosuch");
    EXPECT_FALSE(q.Open());
    EXPECT_FALSE(q.LastError().isEmpty());
    EXPECT_EQ(DatasetState::Inactive, q.State());
}

TEST_F(DatasetTest, TableStillBeingReadGivesWayToOtherStatements) {
    db_.Exec("CREATE TABLE many (id INT AUTO_INCREMENT PRIMARY KEY, n INT);"
             "INSERT INTO many (n) SELECT seq FROM seq_1_to_3000;");
    Table many(conn_, "many");
    many.SetOrder("id");
    ASSERT_TRUE(many.Open());
    many.Next();
    // Other work on the same connection while the rows are still arriving.
    EXPECT_EQ("3", conn_.Query("SELECT COUNT(*) FROM product").Scalar());
    Table other(conn_, "product");
    ASSERT_TRUE(other.Open());
    ASSERT_TRUE(conn_.Exec("UPDATE many SET n = 0 WHERE id = 3000"));
    EXPECT_EQ(3000, many.RecordCount());
    EXPECT_EQ(2, many.RecNo());
    EXPECT_TRUE(many.Locate("n", 2999));
    int walked = 0;
    for (many.First(); !many.Eof(); many.Next()) ++walked;
    EXPECT_EQ(3000, walked);

    // Walking to the end reads the rest as it goes; closing early drops it.
    Table walk(conn_, "many");
    ASSERT_TRUE(walk.Open());
    int count = 0;
    for (walk.First(); !walk.Eof(); walk.Next()) ++count;
    EXPECT_EQ(3000, count);
    Table dropped(conn_, "many");
    ASSERT_TRUE(dropped.Open());
    dropped.Close();
    EXPECT_TRUE(conn_.Exec("UPDATE many SET n = 1 WHERE id = 1"));
    {
        Table gone(conn_, "many");
        ASSERT_TRUE(gone.Open());
    }
    EXPECT_EQ("1", conn_.Query("SELECT n FROM many WHERE id = 1").Scalar());
}

TEST_F(DatasetTest, ConnectionLostWhileRowsArriveIsReported) {
    db_.Exec("CREATE TABLE many (id INT AUTO_INCREMENT PRIMARY KEY, txt VARCHAR(200));"
             "INSERT INTO many (txt) SELECT REPEAT('x', 200) FROM seq_1_to_20000;");
    Table many(conn_, "many");
    ASSERT_TRUE(many.Open());
    Connection killer;
    ASSERT_TRUE(killer.Connect(dbtest::SocketParams(db_)));
    ASSERT_TRUE(killer.Exec("KILL " + QString::number(conn_.ThreadId())));
    int count = 0;
    for (many.First(); !many.Eof(); many.Next()) ++count;  // never a crash
    EXPECT_LE(count, 20000);
    if (count < 20000) {
        EXPECT_TRUE(many.LastError().startsWith("Forbindelsen til databasen ble brutt")) << many.LastError().toStdString();
    }
    // The next operation connects again.
    EXPECT_TRUE(many.Refresh()) << many.LastError().toStdString();
    EXPECT_EQ(20000, many.RecordCount());
}

}  // namespace
