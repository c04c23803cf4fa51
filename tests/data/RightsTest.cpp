// Table rights: the rights string as the program writes it and as other
// software may have written it, the fallback to the administrator right,
// administrator mode, and the access window's reading and writing.
#include <gtest/gtest.h>

#include <memory>

#include "ScriptedPrompter.h"
#include "app/frame/AppContext.h"
#include "data/Rights.h"

namespace {

LogonValues Logon(const QString& rights, bool admin = false) {
    LogonValues l;
    l.UserRights = rights;
    l.AdminMode = admin;
    return l;
}

const QString kStandard =
    "offer=RW;\r\norders=RWDIAF;\r\nproject=R;\r\nsubproject=RW;\r\ndocument=R;\r\n"
    "product=RA;\r\nproductview=RW;\r\naccounts=RW;\r\nusers=R;\r\n"
    "documentation=RWDA;\r\n";

TEST(Rights, LettersOfEntriesWrittenByTheProgram) {
    const struct {
        QString key;
        QChar letter;
        bool expected;
    } cases[] = {
        {"offer", 'R', true},
        {"offer", 'W', true},
        {"offer", 'D', false},
        {"orders", 'F', true},
        {"orders", 'I', true},
        {"project", 'W', false},
        {"subproject", 'W', true},
        {"product", 'A', true},
        {"productview", 'A', false},
        {"document", 'W', false},
        {"document", 'A', false},
        {"offer", 'r', true},
        // The program asks by "account" and "user".
        {"account", 'W', true},
        {"accounts", 'W', true},
        {"user", 'R', true},
        {"user", 'A', false},
        // No entry and no A on "users": refused.
        {"invoice", 'R', false},
        {"po", 'R', false},
        {"", 'R', false},
        {"offer", ' ', false},
    };
    const LogonValues l = Logon(kStandard);
    for (const auto& c : cases)
        EXPECT_EQ(HasRight(l, c.key, c.letter), c.expected)
            << c.key.toStdString() << " " << QString(c.letter).toStdString();
}

TEST(Rights, KeysAreFoundOnlyAsWholeEntries) {
    // Each text lacks the asked key but holds a longer key containing it.
    const struct {
        QString rights, key;
        QChar letter;
    } cases[] = {
        {"subproject=RWDIAF;\r\n", "project", 'R'},
        {"productview=RWDIAF;\r\n", "product", 'W'},
        {"documentation=RWDIAF;\r\n", "document", 'R'},
        {"photoalbum=RW;\r\n", "album", 'R'},
        {"xoffer=RW;\r\n", "offer", 'R'},
        {"offer2=RW;\r\n", "offer", 'R'},
        {"comment: offer=RW;\r\n", "offer", 'R'},
        {"users=R;\r\n", "user", 'W'},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(HasRight(Logon(c.rights), c.key, c.letter)) << c.rights.toStdString();
        EXPECT_FALSE(ReadRightsString(c.rights, c.key, c.letter)) << c.rights.toStdString();
    }
}

TEST(Rights, TextsFromOtherSoftwareReadSensibly) {
    const struct {
        QString rights, key;
        QChar letter;
        bool expected;
    } cases[] = {
        // Another order: the sub-entry first.
        {"subproject=W;\r\nproject=R;\r\n", "project", 'R', true},
        {"subproject=W;\r\nproject=R;\r\n", "project", 'W', false},
        {"productview=A;\r\nproduct=R;\r\n", "product", 'A', false},
        // Unix or old Mac line ends, no line ends, missing final ";".
        {"offer=R;\norders=W;\n", "orders", 'W', true},
        {"offer=R;\rorders=W;\r", "orders", 'W', true},
        {"offer=R;orders=W;", "orders", 'W', true},
        {"offer=R;orders=W;", "offer", 'W', false},
        {"offer=R\r\norders=W", "orders", 'W', true},
        {"offer=R\r\norders=W", "offer", 'W', false},
        // Blanks around key and "=", lower- or mixed-case keys.
        {"  offer = RW ;\r\n", "offer", 'W', true},
        {"Offer=RW;\r\n", "offer", 'R', true},
        // Stray lines and text after the entry's end do not count.
        {"# rights\r\n\r\noffer=R; W\r\n", "offer", 'R', true},
        {"# rights\r\n\r\noffer=R; W\r\n", "offer", 'W', false},
        {"offer=R;\r\ngarbage\r\norders=W;\r\n", "orders", 'W', true},
        // The first entry of a key counts.
        {"offer=R;\r\noffer=RW;\r\n", "offer", 'W', false},
        // An entry without letters is there: no fallback.
        {"offer=;\r\nusers=A;\r\n", "offer", 'R', false},
        // Lower-case letters are not the stored letters.
        {"offer=rw;\r\n", "offer", 'R', false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HasRight(Logon(c.rights), c.key, c.letter), c.expected)
            << c.rights.toStdString() << " / " << c.key.toStdString();
        EXPECT_EQ(ReadRightsString(c.rights, c.key, c.letter), c.expected)
            << c.rights.toStdString() << " / " << c.key.toStdString();
    }
}

TEST(Rights, MissingKeysFollowTheAdministratorRight) {
    const QString admin = "offer=R;\r\nusers=RWDIA;\r\n";
    for (const char* key : {"orders", "invoice", "project", "task", "participant", "nosuchtable"})
        for (QChar letter : kRightsLetters) {
            EXPECT_TRUE(HasRight(Logon(admin), key, letter)) << key;
            EXPECT_FALSE(ReadRightsString(admin, key, letter)) << key;  // the window shows none
        }
    EXPECT_FALSE(HasWriteRight(Logon(admin), "offer"));  // a present entry is not widened

    // The fallback reads the "users" entry only at an entry's start.
    EXPECT_FALSE(HasReadRight(Logon("offer=R;\r\nxusers=A;\r\n"), "orders"));
    EXPECT_FALSE(HasReadRight(Logon("offer=R;\r\nusers=RW;\r\n"), "orders"));
}

TEST(Rights, EmptyTextAndAdministratorMode) {
    for (const char* key : {"offer", "users", "user", "nosuchtable"})
        for (QChar letter : kRightsLetters) {
            EXPECT_FALSE(HasRight(Logon(""), key, letter)) << key;
            EXPECT_TRUE(HasRight(Logon("", true), key, letter)) << key;
            EXPECT_TRUE(HasRight(Logon("offer=R;\r\n", true), key, letter)) << key;
        }
}

TEST(Rights, ConvenienceFormsReadTheCurrentLogon) {
    AppContext ctx(std::make_unique<testsupport::ScriptedPrompter>());
    ctx.logon().UserRights = "offer=RWA;\r\n";
    EXPECT_TRUE(HasReadRight("offer"));
    EXPECT_TRUE(HasWriteRight("offer"));
    EXPECT_TRUE(HasAdminRight("offer"));
    EXPECT_FALSE(HasRight("offer", 'D'));
    EXPECT_FALSE(HasReadRight("orders"));
    ctx.logon().AdminMode = true;
    EXPECT_TRUE(HasRight("orders", 'D'));
    // Administrator mode does not change what another user's text holds.
    EXPECT_FALSE(ReadRightsString("offer=R;\r\n", "offer", 'W'));
    EXPECT_FALSE(ReadRightsString("", "offer", 'R'));
}

QHash<QString, RightsChecks> ChecksOf(const QString& text) {
    QHash<QString, RightsChecks> checks;
    for (const RightsKey& k : RightsKeys()) {
        RightsChecks row{};
        for (size_t i = 0; i < kRightsLetters.size(); ++i)
            row[i] = ReadRightsString(text, k.key, kRightsLetters[i]);
        checks.insert(k.key, row);
    }
    return checks;
}

TEST(Rights, WriteUsesTheFixedOrderAndDropsEmptyEntries) {
    QHash<QString, RightsChecks> checks;
    checks.insert("participant", {true, false, false, false, false, true});
    checks.insert("offer", {true, true, true, true, true, true});
    checks.insert("users", {false, false, false, false, true, false});
    checks.insert("orders", {});  // no box checked: no entry
    checks.insert("deviations", {true, true, false, false, false, false});  // not in the grid
    EXPECT_EQ(WriteRightsString(checks, ""), "offer=RWDIAF;\r\nusers=A;\r\nparticipant=RF;\r\n");
    EXPECT_EQ(WriteRightsString({}, ""), "");
}

TEST(Rights, WriteCarriesWebPortalEntriesOverUnchangedInTheirOrder) {
    // Written by the web portal: another order, one entry without ";", the
    // keys "file" and "album" only inside longer keys before their own entries.
    const QString previous =
        "inifile=base64==;\r\nfiles=RW;\r\nphotoalbum=R;\r\noffer=RW;\r\n"
        "documentation=RWDA;\r\nfile=R;\r\nmail=x=1\r\nunknownkey=RW;\r\n";
    EXPECT_EQ(WriteRightsString({}, previous),
              "documentation=RWDA;\r\nfile=R;\r\nmail=x=1;\r\nphotoalbum=R;\r\nfiles=RW;\r\n"
              "inifile=base64==;\r\n");
}

TEST(Rights, AccessWindowSavesWhatItReadEvenInAdministratorMode) {
    AppContext ctx(std::make_unique<testsupport::ScriptedPrompter>());
    ctx.logon().AdminMode = true;
    const QString stored =
        "offer=RW;\r\nsubproject=R;\r\nproductview=RWDIAF;\r\nusers=R;\r\nalbum=R;\r\n";
    EXPECT_EQ(WriteRightsString(ChecksOf(stored), stored), stored);
    // A text from other software comes back in the program's order and form.
    EXPECT_EQ(WriteRightsString(ChecksOf("users = R;project=W\nalbum=R;offer=RW;"), ""),
              "offer=RW;\r\nproject=W;\r\nusers=R;\r\n");
}

}  // namespace
