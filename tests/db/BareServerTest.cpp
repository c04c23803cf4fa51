// The private server itself: Norwegian text survives latin1 and utf8 tables
// through the bare client library, over the socket and over TCP.
#include <gtest/gtest.h>
#include <mysql.h>

#include "TestDatabase.h"

namespace {

const std::string kNorwegian = "æøå ÆØÅ é €";

std::string RoundTrip(const testsupport::TestDatabase& db, bool tcp, const std::string& table) {
    MYSQL* m = mysql_init(nullptr);
    unsigned int protocol = tcp ? MYSQL_PROTOCOL_TCP : MYSQL_PROTOCOL_SOCKET;
    mysql_optionsv(m, MYSQL_OPT_PROTOCOL, &protocol);
    mysql_optionsv(m, MYSQL_SET_CHARSET_NAME, "utf8mb4");
    const auto& s = db.server();
    bool ok = mysql_real_connect(m, tcp ? s.host.c_str() : "localhost", s.user.c_str(),
                                 s.password.c_str(), db.schema().c_str(), tcp ? s.port : 0,
                                 tcp ? nullptr : s.socket.c_str(), 0) != nullptr;
    EXPECT_TRUE(ok) << mysql_error(m);
    std::string got;
    if (ok) {
        std::string insert = "INSERT INTO " + table + " (txt) VALUES ('" + kNorwegian + "')";
        EXPECT_EQ(0, mysql_query(m, insert.c_str())) << mysql_error(m);
        std::string select = "SELECT txt FROM " + table + " WHERE id=" +
                             std::to_string(mysql_insert_id(m));
        EXPECT_EQ(0, mysql_query(m, select.c_str())) << mysql_error(m);
        MYSQL_RES* r = mysql_store_result(m);
        if (r) {
            MYSQL_ROW row = mysql_fetch_row(r);
            if (row && row[0]) got = row[0];
            mysql_free_result(r);
        }
    }
    mysql_close(m);
    return got;
}

TEST(BareServer, NorwegianTextRoundTripsThroughLatin1AndUtf8Tables) {
    testsupport::TestDatabase db;
    db.Exec(
        "CREATE TABLE l1 (id INT AUTO_INCREMENT PRIMARY KEY, txt VARCHAR(40)) CHARACTER SET latin1;"
        "CREATE TABLE u8 (id INT AUTO_INCREMENT PRIMARY KEY, txt VARCHAR(40)) CHARACTER SET utf8mb4;");
    for (bool tcp : {false, true}) {
        EXPECT_EQ(kNorwegian, RoundTrip(db, tcp, "u8")) << "tcp=" << tcp;
        // latin1 on the server is Windows-1252, which holds the euro sign too.
        EXPECT_EQ(kNorwegian, RoundTrip(db, tcp, "l1")) << "tcp=" << tcp;
    }
    EXPECT_EQ("2", db.Scalar("SELECT COUNT(*) FROM l1"));
}

}  // namespace
