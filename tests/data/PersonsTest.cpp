// The persons convention: reading and writing "ABC, DEF", membership by
// whole entry, and the person picker's ticks and "Hent".
#include <gtest/gtest.h>

#include "data/Persons.h"

namespace {

TEST(Persons, ParseToleratesMissingBlanksAndStraySpaces) {
    const struct {
        QString text;
        QStringList entries;
    } cases[] = {
        {"ABC, DEF", {"ABC", "DEF"}},
        {"ABC,DEF", {"ABC", "DEF"}},
        {"  ABC ,  DEF  ", {"ABC", "DEF"}},
        {"ABC,, ,DEF,", {"ABC", "DEF"}},
        {"ABC", {"ABC"}},
        {"", {}},
        {" , ", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(ParsePersons(c.text), c.entries) << c.text.toStdString();
}

TEST(Persons, FormatWritesTheStoredForm) {
    const struct {
        QStringList initials;
        QString text;
    } cases[] = {
        {{"ABC", "DEF"}, "ABC, DEF"},
        {{" ABC ", "", "DEF", "  "}, "ABC, DEF"},
        {{"ABC", "abc", "A BC", "DEF"}, "ABC, DEF"},  // repeats by the membership rule
        {{}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatPersons(c.initials), c.text) << c.initials.join('|').toStdString();
}

TEST(Persons, MembershipIsByWholeEntry) {
    const struct {
        QString persons, initials;
        bool member;
    } cases[] = {
        {"ABC, DEF", "ABC", true},   {"ABC, DEF", "DEF", true},
        {"ABC, DEF", "AB", false},   {"ABC, DEF", "BC", false},
        {"ABC, DEF", "C, D", false}, {"ABC, DEF", "ABC, DEF", false},
        {"ABC,DEF", "DEF", true},    {" ABC ,DEF ", "ABC", true},
        {"AB", "AB", true},          {"AB", "ABC", false},
        {"ABC", "AB", false},        {"abc, def", "ABC", true},
        {"ABC, DEF", " DEF ", true}, {"O'B, DEF", "O'B", true},
        {"ABC, DEF", "", false},     {"", "", false},
        {"ABC, , DEF", " ", false},  {"", "AB", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PersonsContains(c.persons, c.initials), c.member)
            << "'" << c.persons.toStdString() << "' / '" << c.initials.toStdString() << "'";
}

TEST(Persons, PickerTicksWholeEntriesAndHentWritesTheStoredForm) {
    const std::vector<PersonChoice> users = {
        {"AB", "Anne Berg"}, {"ABC", "Arne B. Coll"}, {"", "Uten Initialer"}, {"DEF", "Dag Fosse"}};
    EXPECT_EQ(PersonChoiceText(users[1]), "ABC, Arne B. Coll");

    EXPECT_EQ(PersonsTicks(users, "AB"), (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(PersonsTicks(users, "ABC,DEF"), (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(PersonsTicks(users, ""), (std::vector<bool>{false, false, false, false}));

    EXPECT_EQ(PersonsFromTicks(users, {true, false, true, true}), "AB, DEF");
    EXPECT_EQ(PersonsFromTicks(users, {false, true}), "ABC");  // missing flags: unchecked
    EXPECT_EQ(PersonsFromTicks(users, {}), "");
    // Ticks read back from "Hent" give the same ticks.
    const std::vector<bool> ticks = {false, true, false, true};
    EXPECT_EQ(PersonsTicks(users, PersonsFromTicks(users, ticks)), ticks);
}

}  // namespace
