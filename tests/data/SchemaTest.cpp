// The schema the program creates, checked against the documented tables
// (transcribed independently into documented_tables.txt), and how creation
// behaves on a fresh, a filled and a stricter session.
#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

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

struct DocColumn {
    QString name, type, null, defaultValue, extra;
};
struct DocTable {
    QString charset, collation;
    QList<DocColumn> columns;
    QStringList uniqueKeys;  // "name column"
};

// Reads the transcription; fails the test on a malformed line.
QMap<QString, DocTable> ReadDocumentedTables() {
    QMap<QString, DocTable> tables;
    QFile file(VARLOKKEN_DOCUMENTED_TABLES);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << VARLOKKEN_DOCUMENTED_TABLES;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith('#')) continue;
        const QStringList f = line.split(QRegularExpression("\\s+"));
        if (f[0] == "@table") {
            DocTable& t = tables[f.value(1)];
            t.charset = f.value(2);
            t.collation = f.value(3);
        } else if (f[0] == "@key") {
            tables[f.value(1)].uniqueKeys << f.value(2) + ' ' + f.value(4);
        } else if (f.size() == 6 && tables.contains(f[0])) {
            tables[f[0]].columns << DocColumn{f[1], f[2], f[3], f[4], f[5]};
        } else {
            ADD_FAILURE() << "bad line: " << line.toStdString();
        }
    }
    return tables;
}

// The server's collation for a documented character set.
QString ExpectedCollation(const DocTable& t) {
    if (t.charset == "latin1") return "latin1_swedish_ci";
    if (t.collation == "utf8_unicode_ci") return "utf8mb3_unicode_ci";
    return "utf8mb3_general_ci";
}

// The documented type as the server shows it: amounts are DECIMAL, integers carry
// their display width. A bare "varchar" takes any length.
bool TypeMatches(const QString& documented, const QString& actual) {
    static const QMap<QString, QString> mapped{
        {"int", "int(11)"},
        {"tinyint", "tinyint(4)"},
        {"smallint", "smallint(6)"},
        {"float(15,2)", "decimal(15,2)"},
        {"float(15,3)", "decimal(15,3)"},
    };
    if (documented == "varchar")
        return QRegularExpression("^varchar\\(\\d+\\)$").match(actual).hasMatch();
    return mapped.value(documented, documented) == actual;
}

// COLUMN_DEFAULT as MariaDB writes it: SQL NULL for none, "NULL" for DEFAULT NULL,
// numbers bare (0.00 for decimals), texts and dates quoted.
bool DefaultMatches(const QString& documented, const QueryResult::Value& actual) {
    if (documented == "none") return !actual.has_value();
    if (!actual.has_value()) return false;
    if (documented == "NULL") return *actual == "NULL";
    if (documented == "CURRENT_TIMESTAMP") return *actual == "current_timestamp()";
    if (documented == "zero") return *actual == "'0000-00-00 00:00:00'";
    QString value = documented;
    if (QRegularExpression("^'-?[0-9.]+'$").match(value).hasMatch())
        value = value.mid(1, value.size() - 2);
    bool numeric = false;
    const double n = value.toDouble(&numeric);
    if (numeric) {
        bool ok = false;
        return actual->toDouble(&ok) == n && ok;
    }
    return *actual == value;
}

QString ExpectedExtra(const QString& documented) {
    if (documented == "auto_increment") return "auto_increment";
    if (documented == "on_update") return "on update current_timestamp()";
    return "";
}

class SchemaCreated : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(db_.Connect(ParamsOf(server_))) << db_.LastError().toStdString();
        report_ = schema::CreateSchema(db_);
        ASSERT_TRUE(report_.ok) << report_.error.toStdString();
    }
    testsupport::TestDatabase server_;
    Connection db_;
    schema::SchemaReport report_;
};

TEST_F(SchemaCreated, MatchesTheDocumentedTablesColumnByColumn) {
    const QMap<QString, DocTable> documented = ReadDocumentedTables();
    ASSERT_EQ(24, documented.size());

    const QueryResult tables = db_.Query(
        "SELECT TABLE_NAME, ENGINE, TABLE_COLLATION FROM information_schema.TABLES "
        "WHERE TABLE_SCHEMA = DATABASE() ORDER BY TABLE_NAME");
    ASSERT_TRUE(tables.ok()) << tables.Error().toStdString();
    QStringList names;
    for (int i = 0; i < tables.RowCount(); ++i) {
        const QString name = tables.Text(i, 0);
        names << name;
        EXPECT_EQ("InnoDB", tables.Text(i, 1).toStdString()) << name.toStdString();
        EXPECT_EQ(ExpectedCollation(documented.value(name)).toStdString(),
                  tables.Text(i, 2).toStdString())
            << name.toStdString();
    }
    EXPECT_EQ(Std(documented.keys()), Std(names));

    const QueryResult columns = db_.Query(
        "SELECT TABLE_NAME, COLUMN_NAME, COLUMN_TYPE, IS_NULLABLE, COLUMN_DEFAULT, EXTRA, "
        "CHARACTER_SET_NAME, COLLATION_NAME FROM information_schema.COLUMNS "
        "WHERE TABLE_SCHEMA = DATABASE() ORDER BY TABLE_NAME, ORDINAL_POSITION");
    ASSERT_TRUE(columns.ok()) << columns.Error().toStdString();
    QMap<QString, QList<int>> rowsOf;
    for (int i = 0; i < columns.RowCount(); ++i) rowsOf[columns.Text(i, 0)] << i;

    for (auto t = documented.begin(); t != documented.end(); ++t) {
        const QList<int> rows = rowsOf.value(t.key());
        QStringList actualNames, documentedNames;
        for (int r : rows) actualNames << columns.Text(r, 1);
        for (const DocColumn& c : t->columns) documentedNames << c.name;
        EXPECT_EQ(Std(documentedNames), Std(actualNames)) << "columns of " << t.key().toStdString();
        if (documentedNames != actualNames) continue;

        for (int i = 0; i < rows.size(); ++i) {
            const DocColumn& d = t->columns[i];
            const int r = rows[i];
            const std::string where = (t.key() + '.' + d.name).toStdString();
            EXPECT_TRUE(TypeMatches(d.type, columns.Text(r, 2)))
                << where << ": documented " << d.type.toStdString() << ", created "
                << columns.Text(r, 2).toStdString();
            EXPECT_EQ(d.null == "notnull" ? "NO" : "YES", columns.Text(r, 3).toStdString())
                << where;
            EXPECT_TRUE(DefaultMatches(d.defaultValue, columns.At(r, 4)))
                << where << ": documented default " << d.defaultValue.toStdString() << ", created "
                << columns.At(r, 4).value_or("(none)").toStdString();
            EXPECT_EQ(ExpectedExtra(d.extra).toStdString(), columns.Text(r, 5).toStdString())
                << where;
            if (!columns.IsNull(r, 6)) {
                EXPECT_EQ(ExpectedCollation(*t).toStdString(), columns.Text(r, 7).toStdString())
                    << where;
            }
        }
    }
}

TEST_F(SchemaCreated, HasThePrimaryKeyOnIdEverywhereAndTheUniqueProductCode) {
    const QMap<QString, DocTable> documented = ReadDocumentedTables();
    const QueryResult keys = db_.Query(
        "SELECT TABLE_NAME, INDEX_NAME, NON_UNIQUE, GROUP_CONCAT(COLUMN_NAME ORDER BY "
        "SEQ_IN_INDEX) "
        "FROM information_schema.STATISTICS WHERE TABLE_SCHEMA = DATABASE() "
        "GROUP BY TABLE_NAME, INDEX_NAME, NON_UNIQUE ORDER BY TABLE_NAME, INDEX_NAME");
    ASSERT_TRUE(keys.ok()) << keys.Error().toStdString();
    QMap<QString, QStringList> actual;
    for (int i = 0; i < keys.RowCount(); ++i) {
        EXPECT_EQ("0", keys.Text(i, 2).toStdString()) << "only unique keys are documented";
        if (keys.Text(i, 1) == "PRIMARY") {
            EXPECT_EQ("id", keys.Text(i, 3).toStdString()) << keys.Text(i, 0).toStdString();
        } else {
            actual[keys.Text(i, 0)] << keys.Text(i, 1) + ' ' + keys.Text(i, 3);
        }
    }
    QStringList expected, found;
    for (auto t = documented.begin(); t != documented.end(); ++t) {
        for (const QString& k : t->uniqueKeys) expected << t.key() + ": " + k;
    }
    for (auto t = actual.begin(); t != actual.end(); ++t) {
        for (const QString& k : *t) found << t.key() + ": " + k;
    }
    EXPECT_EQ(Std(expected), Std(found));
    EXPECT_EQ("24",
              db_.Query("SELECT COUNT(DISTINCT TABLE_NAME) FROM information_schema.STATISTICS "
                        "WHERE TABLE_SCHEMA = DATABASE() AND INDEX_NAME = 'PRIMARY'")
                  .Scalar()
                  .toStdString());
}

// Single-precision FLOAT would store these as 1234567.88 and 16777216.00.
TEST_F(SchemaCreated, AmountColumnsKeepEveryOere) {
    const char* const amounts[] = {"1234567.89", "16777217.01", "9999999999999.99", "-0.01"};
    for (const char* a : amounts) {
        ASSERT_TRUE(db_.Exec(QString("INSERT INTO orders (ordertotal) VALUES (%1)").arg(a)))
            << db_.LastError().toStdString();
        EXPECT_EQ(a, db_.Query("SELECT ordertotal FROM orders WHERE id = LAST_INSERT_ID()")
                         .Scalar()
                         .toStdString());
        ASSERT_TRUE(db_.Exec(QString("INSERT INTO entries (sum, vatsum) VALUES (%1, %1)").arg(a)));
        EXPECT_EQ(a, db_.Query("SELECT vatsum FROM entries WHERE id = LAST_INSERT_ID()")
                         .Scalar()
                         .toStdString());
    }
    ASSERT_TRUE(db_.Exec("INSERT INTO po (weight, volume) VALUES (16777217.125, 0.001)"));
    EXPECT_EQ("16777217.125", db_.Query("SELECT weight FROM po").Scalar().toStdString());
    EXPECT_EQ("0.001", db_.Query("SELECT volume FROM po").Scalar().toStdString());
}

// A row written with nothing but the required columns gets the header defaults,
// and the zero-date defaults load under the connection's strict mode.
TEST_F(SchemaCreated, RowsWithOnlyDefaultsInsertInEveryTable) {
    struct Case {
        const char* table;
        const char* required;  // column list and values that have no default
        const char* rwxAll;    // the column default of rwx_all
    };
    const Case cases[] = {
        {"calendar", "(time_from, time_to) VALUES ('2012-01-02 08:00', '2012-01-02 16:00')",
         "NULL"},
        {"product", "(productcode) VALUES ('P-1')", "0"},
        {"package", "() VALUES ()", "0"},
        {"items", "() VALUES ()", "0"},
        {"news", "() VALUES ()", "NULL"},
        {"jobs", "() VALUES ()", "NULL"},
        {"subproject", "() VALUES ()", "NULL"},
        {"document", "() VALUES ()", "NULL"},
        {"users", "() VALUES ()", "NULL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        ASSERT_TRUE(db_.Exec(QString("INSERT INTO %1 %2").arg(c.table, c.required)))
            << db_.LastError().toStdString();
        const QueryResult r = db_.Query(
            QString("SELECT rwx_user, rwx_group, IFNULL(rwx_all, 'NULL') FROM %1").arg(c.table));
        ASSERT_EQ(1, r.RowCount());
        EXPECT_EQ("7", r.Text(0, 0).toStdString());
        EXPECT_EQ("7", r.Text(0, 1).toStdString());
        EXPECT_EQ(c.rwxAll, r.Text(0, 2).toStdString());
    }
    EXPECT_EQ("0000-00-00 00:00:00",
              db_.Query("SELECT lastpriceupdate FROM product").Scalar().toStdString());
    EXPECT_EQ("0000-00-00 00:00:00",
              db_.Query("SELECT starttime FROM news").Scalar().toStdString());
    EXPECT_EQ("NOK", db_.Query("SELECT currency FROM product").Scalar().toStdString());
}

TEST_F(SchemaCreated, CreatingAgainLeavesTheTablesAndTheirRowsAlone) {
    ASSERT_TRUE(db_.Exec("INSERT INTO company (companyname) VALUES ('Fjordbakst AS')"));
    const schema::SchemaReport again = schema::CreateSchema(db_);
    ASSERT_TRUE(again.ok) << again.error.toStdString();
    EXPECT_TRUE(again.steps.isEmpty()) << again.steps.join('\n').toStdString();
    EXPECT_EQ(24, again.notes.size()) << again.notes.join('\n').toStdString();
    EXPECT_EQ("Fjordbakst AS", db_.Query("SELECT companyname FROM company").Scalar().toStdString());
}

TEST(Schema, CreatesUnderASessionThatRefusesZeroDatesAndRestoresItsMode) {
    testsupport::TestDatabase server;
    Connection db;
    ASSERT_TRUE(db.Connect(ParamsOf(server))) << db.LastError().toStdString();
    const QString strict = "STRICT_ALL_TABLES,NO_ZERO_IN_DATE,NO_ZERO_DATE";
    ASSERT_TRUE(db.Exec("SET SESSION sql_mode = '" + strict + "'"));
    const schema::SchemaReport report = schema::CreateSchema(db);
    EXPECT_TRUE(report.ok) << report.error.toStdString();
    EXPECT_EQ(24, report.steps.size());
    EXPECT_EQ(strict, db.Query("SELECT @@SESSION.sql_mode").Scalar());
}

TEST(Schema, ReportsAMissingDatabaseInsteadOfCreatingTablesNowhere) {
    testsupport::TestDatabase server;
    ConnectParams p = ParamsOf(server);
    p.database.clear();
    Connection db;
    ASSERT_TRUE(db.Connect(p)) << db.LastError().toStdString();
    for (auto run : {schema::CreateSchema, schema::UpgradeSchema}) {
        const schema::SchemaReport report = run(db);
        EXPECT_FALSE(report.ok);
        EXPECT_FALSE(report.error.isEmpty());
        EXPECT_TRUE(report.steps.isEmpty());
    }
}

}  // namespace
