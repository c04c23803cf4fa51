// The connection: quoting that never breaks a statement, failures reported in plain words,
// reconnect after the server dropped the session, transactions.
#include <gtest/gtest.h>

#include "DbTestSupport.h"
#include "TestDatabase.h"
#include "db/Connection.h"

namespace {

using testsupport::TestDatabase;

class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override {
        db_.Exec("CREATE TABLE t (id INT AUTO_INCREMENT PRIMARY KEY, txt VARCHAR(20), "
                 "note TEXT, n INT)");
        ASSERT_TRUE(conn_.Connect(dbtest::SocketParams(db_))) << conn_.LastError().toStdString();
    }
    TestDatabase db_;
    Connection conn_;
};

TEST_F(ConnectionTest, QuotedTextsArriveUnchangedAndNeverChangeTheStatement) {
    const QString cases[] = {
        QStringLiteral("O'Brien"),
        QStringLiteral("back\\slash"),
        QStringLiteral("trailing\\"),
        QString(QStringLiteral("nul")) + QChar(0) + QStringLiteral("byte"),
        QStringLiteral("æøå ÆØÅ"),
        QString::fromUtf8("emoji \xF0\x9F\x98\x80"),
        QStringLiteral("x'); DROP TABLE t; -- "),
        QStringLiteral("\"double\" \r\n\x1a"),
        QString(),
    };
    for (const QString& text : cases) {
        ASSERT_TRUE(conn_.Exec("INSERT INTO t (note) VALUES (" + conn_.Quote(text) + ")"))
            << conn_.LastError().toStdString();
        const quint64 id = conn_.InsertId();
        QueryResult r = conn_.Query("SELECT note, id FROM t WHERE note = " + conn_.Quote(text) +
                                    " AND id = " + QString::number(id));
        ASSERT_TRUE(r.ok()) << r.Error().toStdString();
        ASSERT_EQ(1, r.RowCount()) << text.toStdString();
        EXPECT_EQ(text.isNull() ? QString("") : text, r.Text(0, 0));
    }
    EXPECT_EQ(std::to_string(std::size(cases)), db_.Scalar("SELECT COUNT(*) FROM t"));
}

TEST_F(ConnectionTest, QuoteOrNullAndIdentifiers) {
    EXPECT_EQ("NULL", conn_.QuoteOrNull(QString()));
    EXPECT_EQ("''", conn_.QuoteOrNull(QString("")));
    EXPECT_EQ("`a`.`b``c`", Connection::QuoteIdentifier("a.b`c"));
    ASSERT_TRUE(conn_.Exec("INSERT INTO t (txt) VALUES (" + conn_.QuoteOrNull(QString()) + ")"));
    EXPECT_EQ("NULL", db_.Scalar("SELECT txt FROM t"));
}

TEST_F(ConnectionTest, LikePatternsKeepWildcardsAndMatchBackslashLiterally) {
    ASSERT_TRUE(conn_.Exec("INSERT INTO t (txt) VALUES ('abc'),('a_c'),('a\\\\c'),('xbcx'),('O''B')"));
    struct Case {
        QString pattern;
        QString expected;
    } cases[] = {
        {"a_c", "abc,a_c,a\\c"},
        {"%bc%", "abc,xbcx"},
        {"a\\c", "a\\c"},
        {"O'%", "O'B"},
    };
    for (const Case& c : cases) {
        QueryResult r = conn_.Query("SELECT GROUP_CONCAT(txt ORDER BY id) FROM t WHERE txt LIKE " +
                                    conn_.QuoteLike(c.pattern));
        ASSERT_TRUE(r.ok()) << r.Error().toStdString();
        EXPECT_EQ(c.expected, r.Scalar()) << c.pattern.toStdString();
    }
}

TEST_F(ConnectionTest, SeveralStatementsInOneTextAndInsertId) {
    ASSERT_TRUE(conn_.Exec("INSERT INTO t (n) VALUES (1); INSERT INTO t (n) VALUES (2);"));
    EXPECT_EQ(2u, conn_.InsertId());
    ASSERT_TRUE(conn_.Exec("UPDATE t SET n = n + 10"));
    EXPECT_EQ(2u, conn_.AffectedRows());
    QueryResult r = conn_.Query("SELECT id, n, txt FROM t ORDER BY id");
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(2, r.RowCount());
    EXPECT_EQ("12", r.Text(1, "N"));
    EXPECT_TRUE(r.IsNull(1, 2));
    EXPECT_EQ((QStringList{"id", "n", "txt"}), r.Columns());
}

TEST_F(ConnectionTest, FailingStatementIsReportedAndStopsTheText) {
    EXPECT_FALSE(conn_.Exec("INSERT INTO t (n) VALUES (1); INSERT INTO nosuch VALUES (1); "
                            "INSERT INTO t (n) VALUES (3)"));
    EXPECT_EQ(1146u, conn_.LastErrno());
    EXPECT_TRUE(conn_.LastError().contains("nosuch")) << conn_.LastError().toStdString();
    EXPECT_EQ("1", db_.Scalar("SELECT GROUP_CONCAT(n) FROM t"));
    QueryResult r = conn_.Query("SELECT nosuchcolumn FROM t");
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.Error().isEmpty());
    // The session is still usable.
    EXPECT_TRUE(conn_.Exec("INSERT INTO t (n) VALUES (4)"));
    EXPECT_TRUE(conn_.LastError().isEmpty());
}

TEST_F(ConnectionTest, ValueLongerThanItsColumnIsRefused) {
    EXPECT_FALSE(conn_.Exec("INSERT INTO t (txt) VALUES (" + conn_.Quote(QString(21, 'x')) + ")"));
    EXPECT_EQ(1406u, conn_.LastErrno());  // data too long
    EXPECT_EQ("0", db_.Scalar("SELECT COUNT(*) FROM t"));
}

TEST_F(ConnectionTest, TcpConnectionWorksToo) {
    Connection tcp;
    ASSERT_TRUE(tcp.Connect(dbtest::TcpParams(db_))) << tcp.LastError().toStdString();
    EXPECT_EQ("utf8mb4", tcp.Query("SELECT @@character_set_connection").Scalar());
}

TEST(ConnectionFailures, RefusedAndWrongPasswordAreReportedClearly) {
    TestDatabase db;
    ConnectParams refused = dbtest::TcpParams(db);
    refused.port = 1;  // nothing listens there
    ConnectParams wrongPassword = dbtest::SocketParams(db);
    wrongPassword.password = "wrong";
    ConnectParams noSocket = dbtest::SocketParams(db);
    noSocket.socket = "/nonexistent/socket";
    for (const ConnectParams& p : {refused, wrongPassword, noSocket}) {
        Connection c;
        EXPECT_FALSE(c.Connect(p));
        EXPECT_FALSE(c.IsConnected());
        EXPECT_TRUE(c.LastError().startsWith("Kan ikke koble til databasen: "))
            << c.LastError().toStdString();
        EXPECT_NE(0u, c.LastErrno());
        EXPECT_FALSE(c.Exec("SELECT 1"));
        EXPECT_FALSE(c.Query("SELECT 1").ok());
    }
}

TEST_F(ConnectionTest, KilledSessionIsReportedAndTheNextOperationReconnects) {
    Connection killer;
    ASSERT_TRUE(killer.Connect(dbtest::SocketParams(db_)));
    const unsigned long first = conn_.ThreadId();
    ASSERT_TRUE(killer.Exec("KILL " + QString::number(first)));

    EXPECT_FALSE(conn_.Exec("INSERT INTO t (n) VALUES (1)"));
    EXPECT_TRUE(conn_.LastError().startsWith("Forbindelsen til databasen ble brutt: "))
        << conn_.LastError().toStdString();
    EXPECT_EQ("0", db_.Scalar("SELECT COUNT(*) FROM t"));  // the failed statement is not re-sent

    ASSERT_TRUE(conn_.Exec("INSERT INTO t (n) VALUES (2)")) << conn_.LastError().toStdString();
    EXPECT_NE(first, conn_.ThreadId());
    EXPECT_EQ("2", db_.Scalar("SELECT GROUP_CONCAT(n) FROM t"));
    // The new session is set up like the first one.
    EXPECT_EQ("utf8mb4", conn_.Query("SELECT @@character_set_connection").Scalar());
    EXPECT_TRUE(conn_.Query("SELECT @@sql_mode").Scalar().contains("STRICT_TRANS_TABLES"));
}

TEST_F(ConnectionTest, TransactionCommitsAndRollsBack) {
    ASSERT_TRUE(conn_.Begin());
    EXPECT_FALSE(conn_.Begin());
    ASSERT_TRUE(conn_.Exec("INSERT INTO t (n) VALUES (1)"));
    ASSERT_TRUE(conn_.Rollback());
    ASSERT_TRUE(conn_.Begin());
    ASSERT_TRUE(conn_.Exec("INSERT INTO t (n) VALUES (2)"));
    ASSERT_TRUE(conn_.Commit());
    EXPECT_EQ("2", db_.Scalar("SELECT GROUP_CONCAT(n) FROM t"));
}

TEST_F(ConnectionTest, TransactionCutByLostConnectionIsNeverCompletedHalfway) {
    Connection killer;
    ASSERT_TRUE(killer.Connect(dbtest::SocketParams(db_)));
    ASSERT_TRUE(conn_.Begin());
    ASSERT_TRUE(conn_.Exec("INSERT INTO t (n) VALUES (1)"));
    ASSERT_TRUE(killer.Exec("KILL " + QString::number(conn_.ThreadId())));
    EXPECT_FALSE(conn_.Exec("INSERT INTO t (n) VALUES (2)"));
    // Later statements of the lost transaction must not run on their own.
    EXPECT_FALSE(conn_.Exec("INSERT INTO t (n) VALUES (3)"));
    EXPECT_FALSE(conn_.Commit());
    EXPECT_FALSE(conn_.LastError().isEmpty());
    EXPECT_EQ("0", db_.Scalar("SELECT COUNT(*) FROM t"));
    // After the transaction is over, work goes on in a new session.
    EXPECT_TRUE(conn_.Exec("INSERT INTO t (n) VALUES (4)"));
    EXPECT_EQ("4", db_.Scalar("SELECT GROUP_CONCAT(n) FROM t"));
}

TEST(ConnectionOffline, QuotingWithoutSessionEscapesTheSameWay) {
    Connection c;
    EXPECT_EQ("'O\\'Brien \\\\ \\0'", c.Quote(QString("O'Brien \\ ") + QChar(0)));
    EXPECT_FALSE(c.Exec("SELECT 1"));
    EXPECT_EQ("Ikke koblet til databasen", c.LastError());
}

}  // namespace
