// The name@host input, the server field's forms and the saved log-on in the company ini.
#include <gtest/gtest.h>

#include <memory>

#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"
#include "app/frame/TextHelpers.h"
#include "app/logon/ConnectSequence.h"
#include "app/logon/NameAtHost.h"
#include "app/logon/SavedLogon.h"
#include "app/logon/ServerAddress.h"

namespace {

struct NameCase {
    const char* input;
    const char* user;
    const char* server;
    const char* database;
};

TEST(NameAtHost, TakesTheInputApart) {
    const NameCase cases[] = {
        {"ola@regnskap.server1", "ola", "regnskap.server1", "regnskap"},
        {"ola@lager.srv", "ola", "lager.srv", "lager"},
        {"ola@localhost", "ola", "localhost", ""},
        // The first "." of the whole input stands before the "@": no database.
        {"ola.nordmann@regnskap.server1", "ola.nordmann", "regnskap.server1", ""},
        // Only the first "@" splits; the rest belongs to the server.
        {"ola@a@b.c", "ola", "a@b.c", "a@b"},
        {"ola@lager.srv:3307", "ola", "lager.srv:3307", "lager"},
        {"@lager.srv", "", "lager.srv", "lager"},
        {"ola@", "ola", "", ""},
    };
    for (const NameCase& c : cases) {
        const LogonFields out =
            ParseNameAtHost({QString::fromUtf8(c.input), "typed-server", "typed-db"});
        EXPECT_EQ(out.userName, QString::fromUtf8(c.user)) << c.input;
        EXPECT_EQ(out.serverName, QString::fromUtf8(c.server)) << c.input;
        EXPECT_EQ(out.database, QString::fromUtf8(c.database)) << c.input;
    }
}

TEST(NameAtHost, WithoutAtTheFieldsStay) {
    const LogonFields out = ParseNameAtHost({"ola.nordmann", "db1", "lager"});
    EXPECT_EQ(out.userName, "ola.nordmann");
    EXPECT_EQ(out.serverName, "db1");
    EXPECT_EQ(out.database, "lager");
}

TEST(ServerAddress, ReadsHostPortAndSocket) {
    using K = ServerAddress::Kind;
    struct Case {
        const char* text;
        K kind;
        const char* host;
        unsigned port;
        const char* socket;
    };
    const Case cases[] = {
        {"", K::Local, "", 0, ""},
        {"   ", K::Local, "", 0, ""},
        {"/run/mysqld/mysqld.sock", K::Socket, "", 0, "/run/mysqld/mysqld.sock"},
        {"db1", K::Host, "db1", 0, ""},
        {" db1.firma.no:3307 ", K::Host, "db1.firma.no", 3307, ""},
        {"db1:abc", K::Host, "db1:abc", 0, ""},
        {"db1:0", K::Host, "db1:0", 0, ""},
        {"db1:70000", K::Host, "db1:70000", 0, ""},
        {"[::1]:3307", K::Host, "::1", 3307, ""},
        {"fe80::1", K::Host, "fe80::1", 0, ""},
    };
    for (const Case& c : cases) {
        const ServerAddress a = ParseServerAddress(QString::fromUtf8(c.text));
        EXPECT_EQ(a.kind, c.kind) << c.text;
        EXPECT_EQ(a.host, QString::fromUtf8(c.host)) << c.text;
        EXPECT_EQ(a.port, c.port) << c.text;
        EXPECT_EQ(a.socket, QString::fromUtf8(c.socket)) << c.text;
    }
}

TEST(SavedLogon, RoundTripKeepsThePasswordScrambled) {
    AppContext ctx(std::make_unique<testsupport::ScriptedPrompter>());
    const SavedLogon written{"ola", "hemmelig æøå", "regnskap", "db1:3307", true};
    WriteSavedLogon(ctx.config(), written);
    const QString stored = ctx.config().ReadKey("VARLOKKEN_SQL", "Password");
    EXPECT_NE(stored, written.password);
    EXPECT_EQ(stored, ScramblePassword(written.password));
    EXPECT_EQ(ctx.config().ReadKey("VARLOKKEN_SQL", "Username"), "ola");
    EXPECT_EQ(ctx.config().ReadKey("VARLOKKEN_SQL", "Database"), "regnskap");
    EXPECT_EQ(ctx.config().ReadKey("VARLOKKEN_SQL", "Servername"), "db1:3307");
    EXPECT_EQ(ctx.config().ReadKey("VARLOKKEN_SQL", "LoadIniFileFromServer"), "1");

    const SavedLogon read = ReadSavedLogon(ctx.config());
    EXPECT_EQ(read.userName, written.userName);
    EXPECT_EQ(read.password, written.password);
    EXPECT_EQ(read.database, written.database);
    EXPECT_EQ(read.serverName, written.serverName);
    EXPECT_TRUE(read.loadIniFromServer);

    // An empty password is kept empty, not as a scrambled nothing.
    WriteSavedLogon(ctx.config(), {"ola", "", "", "", false});
    EXPECT_EQ(ReadSavedLogon(ctx.config()).password, "");
    EXPECT_FALSE(ReadSavedLogon(ctx.config()).loadIniFromServer);
}

TEST(SavedLogon, NothingSavedOffersTheSystemUserOnTheLocalServer) {
    AppContext ctx(std::make_unique<testsupport::ScriptedPrompter>());
    const LogonRequest r = SavedRequest(ctx.config());
    EXPECT_FALSE(r.userName.isEmpty());
    EXPECT_TRUE(r.serverName.isEmpty());
    EXPECT_FALSE(r.remember);
}

}  // namespace
