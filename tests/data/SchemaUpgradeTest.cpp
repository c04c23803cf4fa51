// Upgrading an older database in place: MyISAM tables, float amounts and
// missing columns, written here by hand as older installations have them.
#include <gtest/gtest.h>

#include <QMap>
#include <QStringList>

#include <cmath>
#include <string>
#include <vector>

#include "SchemaParams.h"
#include "TestDatabase.h"
#include "data/schema/Schema.h"
#include "db/Connection.h"

namespace {

ConnectParams ParamsOf(const testsupport::TestDatabase& db) { return testsupport::SchemaParams(db); }

std::vector<std::string> Std(const QStringList& list) {
    std::vector<std::string> v;
    for (const QString& s : list) v.push_back(s.toStdString());
    return v;
}

const std::string kHeaderStart =
    "`id` int(11) NOT NULL AUTO_INCREMENT, `created` varchar(10) DEFAULT NULL,"
    "`user_created` int(11) DEFAULT NULL,"
    "`updated` timestamp NOT NULL DEFAULT CURRENT_TIMESTAMP ON UPDATE CURRENT_TIMESTAMP,"
    "`rec_lock` int(11) DEFAULT NULL, `rwx_spesial` int(11) DEFAULT NULL,"
    "`rwx_user` int(11) DEFAULT '7', `rwx_group` int(11) DEFAULT '7',"
    "`rwx_all` int(11) DEFAULT NULL, `user` int(11) DEFAULT NULL,"
    "`usergroup` int(11) DEFAULT NULL, `checked` int(11) DEFAULT NULL,"
    "`user_favorite` int(11) DEFAULT NULL,";
const std::string kHeaderEnd =
    "`picture` varchar(128) DEFAULT NULL, `object_url` varchar(128) DEFAULT NULL,"
    "`object_name` varchar(64) DEFAULT NULL, `object_tag` int(11) DEFAULT NULL,"
    "`object_text` text, `usertag` int(11) DEFAULT NULL,";

// orders as an older installation has it: MyISAM, float amounts, without
// pricelocktext, persons and startdate, and with a column of its own.
const std::string kOldOrders =
    "CREATE TABLE orders (" + kHeaderStart + kHeaderEnd +
    "`regnumber` int(11) DEFAULT '0', `companyid` int(11) DEFAULT NULL,"
    "`external_contact` int(11) DEFAULT '0', `userid` int(11) DEFAULT NULL,"
    "`projectid` int(11) DEFAULT NULL, `systemid` int(11) DEFAULT NULL,"
    "`assetid` int(11) DEFAULT NULL, `assetpartid` int(11) DEFAULT NULL,"
    "`jobid` int(11) DEFAULT NULL, `department` varchar(60) DEFAULT NULL,"
    "`subject` varchar(128) DEFAULT NULL, `ordernumber` varchar(40) DEFAULT NULL,"
    "`ordertotal` float(15,2) DEFAULT NULL, `ordercost` float(15,2) DEFAULT NULL,"
    "`orderVAT` float(15,2) DEFAULT NULL, `currency` varchar(6) DEFAULT 'NOK',"
    "`sum` float(15,2) DEFAULT NULL, `discount` float(15,2) DEFAULT NULL,"
    "`deliveryaddress` tinyblob, `orderdate` date DEFAULT NULL,"
    "`deliverydate` date DEFAULT NULL, `status` varchar(40) DEFAULT NULL,"
    "`profit` float(15,2) DEFAULT NULL, `transport` varchar(127) DEFAULT NULL,"
    "`deliverycondition` varchar(63) DEFAULT NULL, `payment` varchar(63) DEFAULT NULL,"
    "`lockedprice` float(15,2) DEFAULT NULL, `pricelock` tinyint(4) DEFAULT '0',"
    "`weight` float(15,3) DEFAULT NULL, `volume` float(15,3) DEFAULT NULL,"
    "`vatcode` int(11) DEFAULT NULL, `legacy_note` varchar(40) DEFAULT NULL,"
    "PRIMARY KEY (`id`)) ENGINE=MyISAM DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;";

// entries without entryno.
const std::string kOldEntries =
    "CREATE TABLE entries (" + kHeaderStart +
    "`newsdate` datetime DEFAULT NULL, `header` varchar(128) DEFAULT NULL, `object_text` text,"
    "`usertag` int(11) DEFAULT NULL, `picture` varchar(127) DEFAULT NULL,"
    "`entrydate` date DEFAULT NULL, `sum` float(15,2) DEFAULT NULL,"
    "`from_account` int(11) DEFAULT NULL, `to_account` int(11) DEFAULT NULL,"
    "`entrytext` varchar(127) DEFAULT NULL, `vatcode` tinyint(4) DEFAULT NULL,"
    "`vatsum` float(15,2) DEFAULT NULL, `companyid` int(11) DEFAULT NULL,"
    "`projectid` int(11) DEFAULT NULL, `department` varchar(63) DEFAULT NULL,"
    "`assetid` int(11) DEFAULT NULL, `subprojectid` int(11) DEFAULT NULL,"
    "`subassetid` int(11) DEFAULT NULL, `invoiceno` varchar(63) DEFAULT NULL,"
    "`documentid` int(11) DEFAULT NULL,"
    "PRIMARY KEY (`id`)) ENGINE=MyISAM DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;";

const std::string kOldRows =
    "INSERT INTO orders (subject, ordernumber, ordertotal, ordercost, orderVAT, `sum`, profit,"
    " lockedprice, weight, volume, orderdate, status, deliveryaddress, legacy_note, `user`,"
    " rwx_all) VALUES"
    " ('Smørbrød \"Ærlig\" AS', '1001', 1499.50, 250.25, 374.88, NULL, 1249.25, 0, 12.345,"
    "  0.125, '0000-00-00', 'Ikke startet', 'Storgata 1\\r\\n0155 Oslo', 'behold meg', 3, 0),"
    " ('O''Brien \\\\ sønn', '1002', -80, 0, -20, 0, -80, 1999.99, 0, 0, '2012-03-01',"
    "  'Ferdig', NULL, NULL, 4, 5),"
    " (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL,"
    "  NULL);"
    "INSERT INTO entries (entrydate, `sum`, vatsum, from_account, to_account, entrytext, vatcode)"
    " VALUES ('2012-01-31', 10000.00, 2500.00, 3000, 1500, 'Faktura 1001', 0),"
    " ('2012-02-29', 131072.25, 32768.06, 3000, 1500, 'Faktura 1002', 0),"
    " ('0000-00-00', NULL, NULL, NULL, NULL, NULL, NULL);";

using Rows = std::vector<QueryResult::Row>;

// Every row of the table, the given columns, in id order.
Rows RowsOf(Connection& db, const QString& table, const QStringList& columns) {
    QStringList quoted;
    for (const QString& c : columns) quoted << Connection::QuoteIdentifier(c);
    const QueryResult r =
        db.Query("SELECT " + quoted.join(", ") + " FROM " + table + " ORDER BY id");
    EXPECT_TRUE(r.ok()) << r.Error().toStdString();
    return r.Rows();
}

QStringList ColumnsOf(Connection& db, const QString& table) {
    const QueryResult r = db.Query(
        "SELECT COLUMN_NAME FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() AND "
        "TABLE_NAME = '" +
        table + "' ORDER BY ORDINAL_POSITION");
    QStringList names;
    for (int i = 0; i < r.RowCount(); ++i) names << r.Text(i, 0);
    return names;
}

// Each column as "name type nullable default extra", by table.
QMap<QString, QStringList> ColumnShapes(Connection& db) {
    const QueryResult r = db.Query(
        "SELECT TABLE_NAME, CONCAT_WS(' ', COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE, "
        "IFNULL(COLUMN_DEFAULT, '(none)'), EXTRA, IFNULL(COLLATION_NAME, '')) "
        "FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() "
        "ORDER BY TABLE_NAME, ORDINAL_POSITION");
    EXPECT_TRUE(r.ok()) << r.Error().toStdString();
    QMap<QString, QStringList> shapes;
    for (int i = 0; i < r.RowCount(); ++i) shapes[r.Text(i, 0)] << r.Text(i, 1);
    return shapes;
}

QString EngineOf(Connection& db, const QString& table) {
    return db
        .Query(
            "SELECT ENGINE FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() "
            "AND TABLE_NAME = '" +
            table + "'")
        .Scalar();
}

// Values are equal as text, except the amounts, which were single-precision
// floats and are now exact: equal to the øre.
void ExpectSameRows(const Rows& before, const Rows& after, const QStringList& columns,
                    const QStringList& amounts, const QString& table) {
    ASSERT_EQ(before.size(), after.size()) << table.toStdString();
    for (size_t r = 0; r < before.size(); ++r) {
        for (int c = 0; c < columns.size(); ++c) {
            const auto& b = before[r][c];
            const auto& a = after[r][c];
            const std::string where = table.toStdString() + " row " + std::to_string(r + 1) + " " +
                                      columns[c].toStdString();
            ASSERT_EQ(b.has_value(), a.has_value()) << where;
            if (!b) continue;
            if (amounts.contains(columns[c])) {
                EXPECT_LT(std::fabs(b->toDouble() - a->toDouble()), 0.005)
                    << where << ": " << b->toStdString() << " -> " << a->toStdString();
            } else {
                EXPECT_EQ(b->toStdString(), a->toStdString()) << where;
            }
        }
    }
}

class OldDatabase : public ::testing::Test {
  protected:
    void SetUp() override {
        old_.Exec(kOldOrders + kOldEntries + kOldRows);
        ASSERT_TRUE(db_.Connect(ParamsOf(old_))) << db_.LastError().toStdString();
    }
    testsupport::TestDatabase old_;
    Connection db_;
};

TEST_F(OldDatabase, UpgradeKeepsEveryRowAndReachesTheCreatedSchema) {
    const QStringList orderColumns = ColumnsOf(db_, "orders");
    const QStringList entryColumns = ColumnsOf(db_, "entries");
    const Rows ordersBefore = RowsOf(db_, "orders", orderColumns);
    const Rows entriesBefore = RowsOf(db_, "entries", entryColumns);
    ASSERT_EQ(3u, ordersBefore.size());

    const schema::SchemaReport report = schema::UpgradeSchema(db_);
    ASSERT_TRUE(report.ok) << report.error.toStdString();

    // Each step is reported.
    for (const char* step : {
             "orders: lagringsmotor MyISAM -> InnoDB",
             "orders.ordertotal: float(15,2) -> decimal(15,2)",
             "orders.lockedprice: float(15,2) -> decimal(15,2)",
             "orders.weight: float(15,3) -> decimal(15,3)",
             "orders.pricelocktext: kolonnen lagt til (varchar(127)) etter pricelock",
             "orders.persons: kolonnen lagt til (text) etter vatcode",
             "orders.startdate: kolonnen lagt til (date) etter persons",
             "entries: lagringsmotor MyISAM -> InnoDB",
             "entries.vatsum: float(15,2) -> decimal(15,2)",
             "entries.entryno: kolonnen lagt til (int(11)) etter documentid",
             "invoice: tabellen opprettet",
         }) {
        EXPECT_TRUE(report.steps.contains(step)) << step << "\n"
                                                 << report.steps.join('\n').toStdString();
    }
    EXPECT_EQ(22, report.steps.filter(": tabellen opprettet").size());
    EXPECT_TRUE(report.notes.contains("orders.legacy_note: kolonnen er ikke definert; beholdt"))
        << report.notes.join('\n').toStdString();

    const QStringList amounts{"ordertotal", "ordercost",   "orderVAT", "sum",    "discount",
                              "profit",     "lockedprice", "weight",   "volume", "vatsum"};
    ExpectSameRows(ordersBefore, RowsOf(db_, "orders", orderColumns), orderColumns, amounts,
                   "orders");
    ExpectSameRows(entriesBefore, RowsOf(db_, "entries", entryColumns), entryColumns, amounts,
                   "entries");
    EXPECT_EQ("1499.50", db_.Query("SELECT ordertotal FROM orders WHERE id = 1").Scalar());
    EXPECT_EQ("131072.25", db_.Query("SELECT `sum` FROM entries WHERE id = 2").Scalar());

    // Every table now has the shape a fresh schema has; the old column of its own stays last.
    testsupport::TestDatabase fresh;
    Connection reference;
    ASSERT_TRUE(reference.Connect(ParamsOf(fresh)));
    ASSERT_TRUE(schema::CreateSchema(reference).ok);
    QMap<QString, QStringList> upgraded = ColumnShapes(db_);
    ASSERT_EQ("legacy_note varchar(40) YES NULL  utf8mb3_unicode_ci",
              upgraded["orders"].takeLast().toStdString());
    const QMap<QString, QStringList> created = ColumnShapes(reference);
    ASSERT_EQ(24, created.size());
    EXPECT_EQ(created.keys(), upgraded.keys());
    for (auto t = created.begin(); t != created.end(); ++t) {
        EXPECT_EQ(Std(*t), Std(upgraded.value(t.key()))) << t.key().toStdString();
        EXPECT_EQ("InnoDB", EngineOf(db_, t.key()).toStdString()) << t.key().toStdString();
    }

    // A second run finds nothing to do.
    const schema::SchemaReport again = schema::UpgradeSchema(db_);
    EXPECT_TRUE(again.ok) << again.error.toStdString();
    EXPECT_TRUE(again.steps.isEmpty()) << again.steps.join('\n').toStdString();
}

TEST_F(OldDatabase, CreatingLeavesOldTablesAloneAndSaysTheyNeedTheUpgrade) {
    const schema::SchemaReport report = schema::CreateSchema(db_);
    ASSERT_TRUE(report.ok) << report.error.toStdString();
    EXPECT_EQ(22, report.steps.size());
    for (const char* note : {"orders: trenger oppgradering (varlokken-admin upgrade)",
                             "entries: trenger oppgradering (varlokken-admin upgrade)"}) {
        EXPECT_TRUE(report.notes.contains(note)) << report.notes.join('\n').toStdString();
    }
    EXPECT_EQ("MyISAM", EngineOf(db_, "orders").toStdString());
    EXPECT_EQ("3", db_.Query("SELECT COUNT(*) FROM orders").Scalar().toStdString());
}

TEST_F(OldDatabase, UpgradeLeavesTheUniqueProductCodeOutWhileCodesRepeat) {
    old_.Exec("CREATE TABLE product (" + kHeaderStart + kHeaderEnd +
              "`productcode` varchar(40) NOT NULL, `producttext` varchar(128) DEFAULT NULL,"
              " PRIMARY KEY (`id`)) ENGINE=MyISAM DEFAULT CHARSET=latin1;"
              "INSERT INTO product (productcode, producttext) VALUES"
              " ('A-1', 'Skrue'), ('A-1', 'Skrue, ny'), ('B-2', 'Mutter');");
    const schema::SchemaReport report = schema::UpgradeSchema(db_);
    ASSERT_TRUE(report.ok) << report.error.toStdString();
    EXPECT_TRUE(
        report.notes.contains("product: nøkkel productcode_UNIQUE ikke lagt til: productcode "
                              "\"A-1\" finnes flere ganger"))
        << report.notes.join('\n').toStdString();
    EXPECT_EQ("3", db_.Query("SELECT COUNT(*) FROM product").Scalar().toStdString());
    EXPECT_EQ("0", db_.Query("SELECT COUNT(*) FROM information_schema.STATISTICS WHERE "
                             "TABLE_SCHEMA = DATABASE() AND INDEX_NAME = 'productcode_UNIQUE'")
                       .Scalar()
                       .toStdString());
    EXPECT_EQ("InnoDB", EngineOf(db_, "product").toStdString());
    // The added columns carry their defaults into the old rows.
    EXPECT_EQ(
        "NOK 0 0000-00-00 00:00:00",
        db_.Query("SELECT CONCAT_WS(' ', currency, instock, lastsale) FROM product WHERE id = 3")
            .Scalar()
            .toStdString());

    // Once the codes are unique, the next upgrade adds the key.
    ASSERT_TRUE(db_.Exec("UPDATE product SET productcode = 'A-1b' WHERE id = 2"));
    const schema::SchemaReport again = schema::UpgradeSchema(db_);
    ASSERT_TRUE(again.ok) << again.error.toStdString();
    EXPECT_EQ(Std({"product: nøkkel productcode_UNIQUE lagt til"}), Std(again.steps));
}

TEST_F(OldDatabase, AFailedConversionStopsAndLeavesThatTableAsItWas) {
    // A plain float amount beyond what DECIMAL(15,2) holds.
    old_.Exec(
        "DROP TABLE orders;"
        "CREATE TABLE orders (`id` int(11) NOT NULL AUTO_INCREMENT, `ordertotal` float,"
        " PRIMARY KEY (`id`)) ENGINE=MyISAM DEFAULT CHARSET=utf8 COLLATE=utf8_unicode_ci;"
        "INSERT INTO orders (ordertotal) VALUES (1e20), (10);");
    const schema::SchemaReport report = schema::UpgradeSchema(db_);
    EXPECT_FALSE(report.ok);
    EXPECT_TRUE(report.error.startsWith("orders: ")) << report.error.toStdString();
    EXPECT_EQ("MyISAM", EngineOf(db_, "orders").toStdString());
    EXPECT_EQ(Std({"id", "ordertotal"}), Std(ColumnsOf(db_, "orders")));
    EXPECT_EQ("2", db_.Query("SELECT COUNT(*) FROM orders").Scalar().toStdString());
    EXPECT_EQ("1e20",
              db_.Query("SELECT ordertotal FROM orders WHERE id = 1").Scalar().toStdString());
    // The tables before it in catalogue order were made; none after it.
    EXPECT_TRUE(report.steps.contains("news: tabellen opprettet"));
    EXPECT_FALSE(report.steps.contains("project: tabellen opprettet"));
}

}  // namespace
