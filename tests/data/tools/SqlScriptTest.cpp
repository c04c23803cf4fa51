// Cutting SQL scripts into statements.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "data/tools/SqlScript.h"

namespace {

using Statements = std::vector<std::pair<std::string, qint64>>;  // trimmed text, first line

Statements Split(const std::string& script, qsizetype chunk) {
    Statements out;
    sqltools::StatementSplitter splitter([&](const QByteArray& s, qint64 line) {
        out.emplace_back(s.trimmed().toStdString(), line);
        return true;
    });
    const QByteArray bytes = QByteArray::fromStdString(script);
    for (qsizetype at = 0; at < bytes.size(); at += chunk) splitter.Feed(bytes.mid(at, chunk));
    splitter.Finish();
    return out;
}

struct Case {
    const char* name;
    std::string script;
    std::vector<std::string> statements;
};

TEST(StatementSplitter, SemicolonsEndStatementsOnlyOutsideTextsNamesAndComments) {
    const std::vector<Case> cases{
        {"plain", "SELECT 1;SELECT 2;", {"SELECT 1", "SELECT 2"}},
        {"single quotes", "SELECT 'a;b';", {"SELECT 'a;b'"}},
        {"doubled quote", "SELECT 'it''s; x';SELECT 2", {"SELECT 'it''s; x'", "SELECT 2"}},
        {"backslash quote", "SELECT 'a\\';b';SELECT 2;", {"SELECT 'a\\';b'", "SELECT 2"}},
        {"backslash at end of text", "SELECT 'a\\\\';SELECT 2;", {"SELECT 'a\\\\'", "SELECT 2"}},
        {"double quotes", "SELECT \"x;'y\";", {"SELECT \"x;'y\""}},
        {"backquoted name", "SELECT `we;ird\\`;SELECT 2;", {"SELECT `we;ird\\`", "SELECT 2"}},
        {"line comment", "-- c; x\nSELECT 1;", {"-- c; x\nSELECT 1"}},
        {"hash comment", "# c;\nSELECT 1;", {"# c;\nSELECT 1"}},
        {"block comment", "/* a; 'b */ SELECT 1;", {"/* a; 'b */ SELECT 1"}},
        {"star inside block", "/** a;* **/ SELECT 1;", {"/** a;* **/ SELECT 1"}},
        {"versioned comment",
         "/*!40101 SET @a=1 */;/*M!100100 SET @b=2 */;/*Mx*/;",
         {"/*!40101 SET @a=1 */", "/*M!100100 SET @b=2 */"}},
        {"comment closed at once", "/**/SELECT 1;", {"/**/SELECT 1"}},
        {"minus minus is no comment", "SELECT 1--1;SELECT 2;", {"SELECT 1--1", "SELECT 2"}},
        {"division", "SELECT 4/2;", {"SELECT 4/2"}},
        {"only comments after the last", "SELECT 1; -- end\n/* x */\n", {"SELECT 1"}},
        {"no final semicolon", "SELECT 1;\nSELECT 2", {"SELECT 1", "SELECT 2"}},
        {"empty statements", ";;\n;SELECT 1;;", {"SELECT 1"}},
        {"line break in a text",
         "INSERT INTO t VALUES ('a\n;b');",
         {"INSERT INTO t VALUES ('a\n;b')"}},
    };
    for (const Case& c : cases) {
        for (const qsizetype chunk : {qsizetype(1), qsizetype(3), qsizetype(1 << 20)}) {
            const Statements got = Split(c.script, chunk);
            std::vector<std::string> texts;
            for (const auto& s : got) texts.push_back(s.first);
            EXPECT_EQ(c.statements, texts) << c.name << ", pieces of " << chunk;
        }
    }
}

TEST(StatementSplitter, GivesTheLineEachStatementStartsOn) {
    const Statements got = Split("-- head\n\nSELECT 1;\nSELECT\n'a\nb';  SELECT 3;", 2);
    ASSERT_EQ(3u, got.size());
    EXPECT_EQ(3, got[0].second);
    EXPECT_EQ(4, got[1].second);
    EXPECT_EQ(6, got[2].second);
}

TEST(StatementSplitter, StopsWhenTheSinkSaysSo) {
    int seen = 0;
    sqltools::StatementSplitter splitter([&](const QByteArray&, qint64) { return ++seen < 2; });
    EXPECT_FALSE(splitter.Feed("SELECT 1; SELECT 2; SELECT 3;"));
    EXPECT_EQ(2, seen);
}

}  // namespace
