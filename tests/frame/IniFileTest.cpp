// The ini model: names without regard to case, and every kind of damaged
// file loads, keeps its readable keys and is written back as it was read.
#include <gtest/gtest.h>

#include "TempHome.h"
#include "app/frame/IniFile.h"

namespace {

TEST(IniFile, SectionsAndKeysMatchWithoutRegardToCase) {
    IniFile ini;
    ini.Parse("[Standard]\nLogToFile=1\n");
    EXPECT_EQ(ini.Value("STANDARD", "logtofile"), "1");
    ini.SetValue("standard", "LOGTOFILE", "0");
    ini.SetValue("VINDU-MainForm6", "Left", "10");
    EXPECT_EQ(ini.ToBytes(), "[Standard]\nLogToFile=0\n\n[VINDU-MainForm6]\nLeft=10\n");
    EXPECT_EQ(ini.SectionNames(), (QStringList{"Standard", "VINDU-MainForm6"}));
    EXPECT_EQ(ini.Value("missing", "Left"), "");
    EXPECT_FALSE(ini.HasKey("VINDU-MainForm6", "Top"));
}

TEST(IniFile, NewKeysGoBeforeTheBlankLinesOfTheirSection) {
    IniFile ini;
    ini.Parse("[A]\nx=1\n\n[B]\ny=2\n");
    ini.SetValue("a", "z", "3");
    EXPECT_EQ(ini.ToBytes(), "[A]\nx=1\nz=3\n\n[B]\ny=2\n");
    EXPECT_TRUE(ini.Modified());
    ini.SetModified(false);
    ini.SetValue("A", "x", "1");  // same value: nothing changes
    EXPECT_FALSE(ini.Modified());
}

TEST(IniFile, ValuesStayOnOneLine) {
    IniFile ini;
    ini.SetValue("A", "text", "one\r\ntwo");
    IniFile again;
    again.Parse(ini.ToBytes());
    EXPECT_EQ(again.Value("A", "text"), "one  two");
    EXPECT_EQ(again.Keys("A"), QStringList{"text"});
}

struct BadInput {
    const char* name;
    QByteArray bytes;
    std::vector<std::array<const char*, 3>> keys;  // section, key, value
    bool sameBytes;  // written back byte for byte (else: the same text)
};

class IniFileBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(IniFileBadInput, LoadsKeepsEveryReadableKeyAndWritesBackWhatItRead) {
    const BadInput& input = GetParam();
    IniFile ini;
    ini.Parse(input.bytes);
    for (const auto& [section, key, value] : input.keys) {
        EXPECT_EQ(ini.Value(section, key), QString(value)) << section << "/" << key;
    }
    if (input.sameBytes) {
        EXPECT_EQ(ini.ToBytes(), input.bytes);
    } else {
        IniFile reread;
        reread.Parse(ini.ToBytes());
        EXPECT_EQ(reread.ToBytes(), ini.ToBytes());
        for (const auto& [section, key, value] : input.keys) {
            EXPECT_EQ(reread.Value(section, key), QString(value));
        }
    }
    // Changing one key leaves the rest alone.
    ini.SetValue("STANDARD", "Added", "yes");
    IniFile changed;
    changed.Parse(ini.ToBytes());
    EXPECT_EQ(changed.Value("STANDARD", "Added"), "yes");
    for (const auto& [section, key, value] : input.keys) {
        EXPECT_EQ(changed.Value(section, key), QString(value));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniFileBadInput,
    ::testing::Values(
        BadInput{"LinesWithoutEquals",
                 "; comment\n[STANDARD]\njust some words\nA=1\n=no key\nB = two words \n",
                 {{"STANDARD", "A", "1"}, {"STANDARD", "B", "two words"}},
                 true},
        BadInput{"DuplicateSectionsAndKeys",
                 "[STANDARD]\nA=first\nA=second\n[Other]\nX=1\n[standard]\nB=2\nA=third\n",
                 {{"STANDARD", "A", "first"}, {"STANDARD", "B", "2"}, {"Other", "X", "1"}},
                 false},
        BadInput{"CrLf",
                 "[STANDARD]\r\nA=1\r\n\r\n[B]\r\nC=3\r\n",
                 {{"STANDARD", "A", "1"}, {"B", "C", "3"}},
                 true},
        BadInput{"NoFinalLineBreak", "[STANDARD]\nA=1", {{"STANDARD", "A", "1"}}, false},
        BadInput{"Utf8Bom",
                 "\xEF\xBB\xBF[STANDARD]\nFirma=Bl\xC3\xA5"
                 "b\xC3\xA6r AS\n",
                 {{"STANDARD", "Firma", "Blåbær AS"}},
                 true},
        BadInput{"Windows1252",
                 "[STANDARD]\nFirma=Bl\xE5"
                 "b\xE6r AS\nPris=\x80 10\n",
                 {{"STANDARD", "Firma", "Blåbær AS"}, {"STANDARD", "Pris", "€ 10"}},
                 false},
        BadInput{"BinaryJunk",
                 QByteArray("[STANDARD]\nA=1\n\x00\x01\xFF\xFE garbage\x1B[0m\n[B]\nC=3\n", 40),
                 {{"STANDARD", "A", "1"}, {"B", "C", "3"}},
                 false},
        BadInput{"Empty", "", {}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IniFile, DuplicateSectionsMergeIntoTheFirstAndKeepTheirLines) {
    IniFile ini;
    ini.Parse("[STANDARD]\nA=first\n[Other]\nX=1\n[standard]\nB=2\n");
    EXPECT_EQ(ini.SectionNames(), (QStringList{"STANDARD", "Other"}));
    EXPECT_EQ(ini.Keys("STANDARD"), (QStringList{"A", "B"}));
}

TEST(IniFile, Windows1252FileIsWrittenBackAsUtf8WithTheSameText) {
    IniFile ini;
    ini.Parse(
        "[STANDARD]\r\nFirma=Bl\xE5"
        "b\xE6r\r\n");
    EXPECT_EQ(ini.ToBytes(),
              "[STANDARD]\r\nFirma=Bl\xC3\xA5"
              "b\xC3\xA6r\r\n");
}

TEST(IniFile, SaveReplacesTheFileAndLoadReadsItBack) {
    TempHome home;
    const QString path = home.Path("sevrante.ini");
    IniFile ini;
    EXPECT_FALSE(ini.Load(path));
    ini.SetValue("STANDARD", "A", "æøå");
    ASSERT_TRUE(ini.Save(path));
    IniFile loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.Value("standard", "a"), "æøå");
    EXPECT_FALSE(loaded.Modified());
    QString error;
    EXPECT_FALSE(ini.Save(home.Path("no/such/folder/x.ini"), &error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
