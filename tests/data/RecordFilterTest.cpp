// The record access filter: its exact text, the persons clause by whole
// entry with the initials quoted, and the rows it selects on the server.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "SchemaParams.h"
#include "ScriptedPrompter.h"
#include "TestDatabase.h"
#include "app/frame/AppContext.h"
#include "data/Persons.h"
#include "data/RecordFilter.h"

namespace {

LogonValues Logon(int user, int group, const QString& initials) {
    LogonValues l;
    l.CurrentUserId = user;
    l.CurrentGroupId = group;
    l.CurrentInitials = initials;
    return l;
}

// Stands in for the connection's quoting in the text tests, and records what reached it.
struct RecordingQuote {
    std::shared_ptr<QStringList> seen = std::make_shared<QStringList>();
    QString operator()(const QString& s) const {
        seen->append(s);
        return "<" + s + ">";
    }
};

TEST(RecordFilter, ExactTexts) {
    const QString base =
        "(calendar.user=5 OR (calendar.usergroup=2 AND (calendar.rwx_group>3)) OR "
        "(calendar.rwx_all>3)";
    const struct {
        QString initials;
        bool withPersons;
        QString expected;
    } cases[] = {
        {"AB", false, base + ")"},
        {"AB", true,
         base +
             " OR FIND_IN_SET(<AB>, REPLACE(CONVERT(calendar.persons USING utf8mb4), ' ', ''))>0)"},
        {" A B ", true,
         base +
             " OR FIND_IN_SET(<AB>, REPLACE(CONVERT(calendar.persons USING utf8mb4), ' ', ''))>0)"},
        // No initials, or initials that can never be one entry: no persons clause.
        {"", true, base + ")"},
        {"   ", true, base + ")"},
        {"A,B", true, base + ")"},
    };
    for (const auto& c : cases) {
        RecordingQuote quote;
        EXPECT_EQ(RecordFilter("calendar", c.withPersons, Logon(5, 2, c.initials), quote),
                  c.expected)
            << c.initials.toStdString();
        EXPECT_EQ(quote.seen->size(), c.expected.contains("FIND_IN_SET") ? 1 : 0);
    }
    // Without a quoting function the initials never reach the text.
    EXPECT_EQ(RecordFilter("calendar", true, Logon(5, 2, "AB"), SqlQuote()), base + ")");
}

TEST(RecordFilter, AdministratorModeDoesNotChangeTheFilter) {
    AppContext ctx(std::make_unique<testsupport::ScriptedPrompter>());
    ctx.logon() = Logon(0, 0, "");
    ctx.logon().AdminMode = true;
    EXPECT_EQ(RecordFilter("document", true, RecordingQuote()),
              "(document.user=0 OR (document.usergroup=0 AND (document.rwx_group>3)) OR "
              "(document.rwx_all>3))");
    ctx.logon() = Logon(12, 100, "KL");
    EXPECT_EQ(RecordFilter("document", false, RecordingQuote()),
              RecordFilter("document", false, Logon(12, 100, "KL"), RecordingQuote()));
}

// The program's connection to the test schema.
class Server {
  public:
    explicit Server(const testsupport::TestDatabase& db) {
        EXPECT_TRUE(connection_.Connect(testsupport::SchemaParams(db))) << connection_.LastError().toStdString();
    }

    const Connection& connection() const { return connection_; }

    // The ids of the rows of `table` that `condition` selects; an error fails the test.
    std::set<int> Ids(const QString& table, const QString& condition) {
        std::set<int> ids;
        const QueryResult r = connection_.Query("SELECT id FROM " + table + " WHERE " + condition);
        EXPECT_TRUE(r.ok()) << r.Error().toStdString() << " in: " << condition.toStdString();
        for (int i = 0; i < r.RowCount(); ++i) ids.insert(r.Text(i, 0).toInt());
        return ids;
    }

  private:
    Connection connection_;
};

// Rows 1-4 test the header terms; rows 5-14 the persons column of rows that
// neither the owner nor the group nor everybody may read.
const char* kRows =
    "(1, 5, 9, 7, 0, NULL),"
    "(2, 1, 2, 7, 0, NULL),"
    "(3, 1, 2, 0, 0, 'XY'),"
    "(4, 1, 9, 7, 5, NULL),"
    "(5, 1, 9, 7, 0, 'ABC, DEF'),"
    "(6, 1, 9, 7, 0, 'AB'),"
    "(7, 1, 9, 7, 0, 'XY,AB ,Z'),"
    "(8, 1, 9, 7, 0, 'O''B, DEF'),"
    "(9, 1, 9, 7, 0, 'A%, B_'),"
    "(10, 1, 9, 7, 0, ''),"
    "(11, 1, 9, 7, 0, 'ØK, ÆB'),"
    "(12, 1, 9, 7, 0, 'a\\\\b'),"
    "(13, NULL, NULL, NULL, NULL, 'abc'),"
    "(14, 1, 9, 7, 0, 'ABCDEF')";

TEST(RecordFilterOnServer, SelectsOwnGroupPublishedAndNamedRows) {
    testsupport::TestDatabase db;
    for (const char* charset : {"latin1", "utf8"}) {
        db.Exec(std::string("CREATE TABLE t_") + charset +
                " (id INT NOT NULL PRIMARY KEY, user INT DEFAULT NULL, usergroup INT DEFAULT NULL,"
                " rwx_group INT DEFAULT '7', rwx_all INT DEFAULT NULL, persons TEXT)"
                " CHARACTER SET " +
                charset + ";" + "INSERT INTO t_" + charset +
                " (id, user, usergroup, rwx_group, rwx_all, persons) VALUES " + kRows + ";");
    }
    Server server(db);

    const struct {
        LogonValues logon;
        bool withPersons;
        std::set<int> ids;
    } cases[] = {
        {Logon(5, 2, "AB"), false, {1, 2, 4}},
        {Logon(5, 2, "AB"), true, {1, 2, 4, 6, 7}},  // not "ABC", not the private group row
        {Logon(0, 0, ""), true, {4}},                // administrator mode: only the published
        {Logon(7, 3, ""), true, {4}},                // no initials match nothing
        {Logon(7, 3, "  "), true, {4}},
        {Logon(7, 3, "ABC"), true, {4, 5, 13}},  // case as the column's collation
        {Logon(7, 3, "DEF"), true, {4, 5, 8}},
        {Logon(7, 3, " Z "), true, {4, 7}},
        {Logon(7, 3, "O'B"), true, {4, 8}},
        {Logon(7, 3, "A%"), true, {4, 9}},  // no wildcards in initials
        {Logon(7, 3, "%"), true, {4}},
        {Logon(7, 3, "_"), true, {4}},
        {Logon(7, 3, "ØK"), true, {4, 11}},
        {Logon(7, 3, "Ω"), true, {4}},  // not even in latin1
        {Logon(7, 3, "a\\b"), true, {4, 12}},
        {Logon(7, 3, "C, D"), true, {4}},
        {Logon(7, 3, QString("AB") + QChar(0) + "C"), true, {4}},
        {Logon(7, 3, "AB' OR '1'='1"), true, {4}},
        {Logon(7, 3, "AB') OR 1=1 -- "), true, {4}},
    };
    for (const char* table : {"t_latin1", "t_utf8"}) {
        for (const auto& c : cases) {
            const QString filter = RecordFilter(table, c.withPersons, c.logon, server.connection());
            EXPECT_EQ(server.Ids(table, filter), c.ids) << table << ": " << filter.toStdString();
        }
    }
}

TEST(RecordFilterOnServer, PersonsClauseAgreesWithThePickersRule) {
    testsupport::TestDatabase db;
    db.Exec(
        "CREATE TABLE p (id INT NOT NULL PRIMARY KEY, user INT, usergroup INT,"
        " rwx_group INT, rwx_all INT, persons TEXT) CHARACTER SET latin1");
    const QStringList texts = {"ABC, DEF", "ABC,DEF", " AB , C ", "AB",    "DEF,ABC",
                               "",         "A B, CD", "XAB, ABX", "ab, Cd"};
    for (int i = 0; i < texts.size(); ++i)
        db.Exec("INSERT INTO p VALUES (" + std::to_string(i) + ", 1, 1, 0, 0, '" +
                texts[i].toStdString() + "')");
    Server server(db);
    const SqlQuote quote = [&server](const QString& s) { return server.connection().Quote(s); };
    for (const QString initials : {"AB", "ABC", "DEF", "C", "CD", "X", "ab"}) {
        std::set<int> expected;
        for (int i = 0; i < texts.size(); ++i)
            if (PersonsContains(texts[i], initials)) expected.insert(i);
        EXPECT_EQ(server.Ids("p", RecordFilter("p", true, Logon(9, 9, initials), quote)), expected)
            << initials.toStdString();
    }
}

}  // namespace
