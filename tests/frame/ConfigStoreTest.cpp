// The configuration store: the company-ini location, the file header, the
// switch to the per-user ini, key reads, window positions with the geometry
// stack, and folder look-ups.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <memory>

#include "ScriptedPrompter.h"
#include "TempHome.h"
#include "app/frame/AppContext.h"

namespace {

class ConfigStoreTest : public ::testing::Test {
  protected:
    ConfigStoreTest() : ctx_(std::make_unique<testsupport::ScriptedPrompter>()) {
        ctx_.log().SetLoggingOn(true);
        ctx_.config().SetCommandLineUser("kari");
    }
    ConfigStore& store() { return ctx_.config(); }
    IniFile OnDisk(const QString& path) {
        IniFile ini;
        ini.Load(path);
        return ini;
    }
    QString Etc() const { return home_.Base() + "etc/sevrante.ini"; }
    void OpenCompany() { store().OpenCompanyIni(store().FindCompanyIni(home_.WorkDir())); }

    TempHome home_;
    AppContext ctx_;
};

TEST_F(ConfigStoreTest, CompanyIniIsInTheWorkingDirectoryElseInEtc) {
    EXPECT_EQ(store().FindCompanyIni(home_.WorkDir()), Etc());
    EXPECT_TRUE(QFileInfo(home_.Base() + "etc").isDir());

    TempHome::Write(home_.WorkDir() + "/sevrante.ini", "[STANDARD]\nLogToFile=1\n");
    EXPECT_EQ(store().FindCompanyIni(home_.WorkDir()), home_.WorkDir() + "/sevrante.ini");
    store().OpenCompanyIni("sevrante.ini");  // made absolute
    EXPECT_EQ(store().CompanyIniPath(), home_.WorkDir() + "/sevrante.ini");
    EXPECT_EQ(store().IniFolder(), home_.WorkDir() + "/");
    EXPECT_TRUE(store().ReadIniBool("LogToFile"));
}

TEST_F(ConfigStoreTest, NewIniGetsCreatedAndModifiedHeaderReopeningOnlyModified) {
    OpenCompany();
    ASSERT_EQ(store().FlushConfigFile(), ConfigStore::FlushResult::Written);
    IniFile first = OnDisk(Etc());
    for (const char* key : {"TIME", "NAME", "PROGRAM", "USER", "INIVERSION", "BUILD", "LOGIN"}) {
        EXPECT_TRUE(first.HasKey("INI_SELF", QString("CREATED_") + key)) << key;
        EXPECT_TRUE(first.HasKey("INI_SELF", QString("MODIFIED_") + key)) << key;
    }
    EXPECT_EQ(first.Value("INI_SELF", "CREATED_NAME"), Etc());
    EXPECT_EQ(first.Value("INI_SELF", "CREATED_USER"), "kari");
    EXPECT_EQ(first.Value("INI_SELF", "CREATED_INIVERSION"), "5.54");
    EXPECT_EQ(first.Value("INI_SELF", "CREATED_BUILD"), "732");
    EXPECT_TRUE(first.Value("INI_SELF", "CREATED_LOGIN").startsWith("LOGIN: "));
    EXPECT_TRUE(first.Value("INI_SELF", "CREATED_LOGIN").contains("  node: "));
    EXPECT_EQ(store().CurrentSection(), "STANDARD");

    // Reopened by a later start: the CREATED_ keys stay as they were.
    TempHome::Write(Etc(),
                    QString(TempHome::Read(Etc()))
                        .replace(first.Value("INI_SELF", "CREATED_TIME"), "01.01.2000 00:00:00")
                        .toUtf8());
    AppContext later(std::make_unique<testsupport::ScriptedPrompter>());
    later.config().SetCommandLineUser("ola");
    later.config().OpenCompanyIni(Etc());
    later.config().FlushConfigFile();
    IniFile second = OnDisk(Etc());
    EXPECT_EQ(second.Value("INI_SELF", "CREATED_TIME"), "01.01.2000 00:00:00");
    EXPECT_EQ(second.Value("INI_SELF", "CREATED_USER"), "kari");
    EXPECT_EQ(second.Value("INI_SELF", "MODIFIED_USER"), "ola");
}

TEST_F(ConfigStoreTest, KeyReadsGiveEmptyZeroOrFalseWhenMissingOrMalformed) {
    TempHome::Write(Etc(),
                    "[STANDARD]\nN=42\nBad=4x\nHex=$1F\nF=2,5\nB=1\nT=True\nZ=0\n[Other]\nN=7\n");
    OpenCompany();
    EXPECT_EQ(store().ReadIniString("missing"), "");
    EXPECT_EQ(store().ReadIniInteger("missing"), 0);
    EXPECT_FALSE(store().ReadIniBool("missing"));
    EXPECT_EQ(store().ReadIniFloat("missing"), 0.0);
    EXPECT_EQ(store().ReadIniInteger("n"), 42);
    EXPECT_EQ(store().ReadIniInteger("Bad"), 0);
    EXPECT_EQ(store().ReadIniInteger("Hex"), 31);
    EXPECT_EQ(store().ReadIniFloat("F"), 2.5);
    EXPECT_TRUE(store().ReadIniBool("B"));
    EXPECT_TRUE(store().ReadIniBool("T"));
    EXPECT_FALSE(store().ReadIniBool("Z"));

    store().SelectSection("other");
    EXPECT_EQ(store().ReadIniInteger("N"), 7);
    store().WriteIniBool("Flag", true);
    store().WriteIniInteger("Count", -3);
    store().RestoreSection();
    EXPECT_EQ(store().CurrentSection(), "STANDARD");
    EXPECT_EQ(store().ReadKey("Other", "Flag"), "1");
    EXPECT_EQ(store().ReadKey("Other", "Count"), "-3");
    // Writes change memory only until the next flush.
    EXPECT_FALSE(OnDisk(Etc()).HasKey("Other", "Flag"));
    store().FlushConfigFile();
    EXPECT_EQ(OnDisk(Etc()).Value("Other", "Flag"), "1");
}

TEST_F(ConfigStoreTest, UserIniHoldsKeysBetweenOpenAndClose) {
    OpenCompany();
    store().WriteIniString("Company", "yes");
    store().OpenUserIni();
    EXPECT_EQ(store().ConfigFileName(), home_.Base() + "etc/kari.INI");
    EXPECT_EQ(store().ReadIniString("Company"), "");
    store().WriteIniString("LastInputStr", "Oslo");
    // A nested pair stays in the per-user ini.
    store().OpenUserIni();
    store().CloseUserIni();
    EXPECT_EQ(store().ReadIniString("LastInputStr"), "Oslo");
    store().CloseUserIni();
    EXPECT_EQ(store().ConfigFileName(), Etc());
    EXPECT_EQ(store().ReadIniString("Company"), "yes");
    EXPECT_EQ(store().ReadIniString("LastInputStr"), "");
    // Opening the per-user ini flushed the company ini; closing it wrote the per-user one.
    EXPECT_EQ(OnDisk(Etc()).Value("STANDARD", "Company"), "yes");
    IniFile user = OnDisk(home_.Base() + "etc/kari.INI");
    EXPECT_EQ(user.Value("STANDARD", "LastInputStr"), "Oslo");
    EXPECT_TRUE(user.HasKey("INI_SELF", "CREATED_TIME"));
}

TEST_F(ConfigStoreTest, UserNameRule) {
    LogonValues& logon = ctx_.logon();
    EXPECT_EQ(store().UserName(), "kari");  // "--user"
    EXPECT_EQ(logon.CurrentUserName, "kari");
    logon.CurrentUserName = "OLA";  // the log-on
    EXPECT_EQ(store().UserName(), "OLA");

    AppContext other(std::make_unique<testsupport::ScriptedPrompter>());
    home_.Set("USER", "systembruker");
    EXPECT_EQ(other.config().UserName(), "systembruker");
}

TEST_F(ConfigStoreTest, ReadOnlyCompanyIniIsNeverWrittenAndKeepsChangesInMemory) {
    TempHome::Write(Etc(), "[STANDARD]\nA=1\n");
    const QByteArray before = TempHome::Read(Etc());
    QFile::setPermissions(Etc(), QFile::ReadOwner | QFile::ReadGroup);
    OpenCompany();
    EXPECT_TRUE(store().CompanyIniReadOnly());
    store().WriteIniString("A", "2");
    EXPECT_EQ(store().sevrantepath("tmp"), home_.Base() + "tmp/");
    EXPECT_EQ(store().FlushConfigFile(), ConfigStore::FlushResult::ReadOnly);
    store().OpenUserIni();
    store().CloseUserIni();
    EXPECT_EQ(store().ReadIniString("A"), "2");
    EXPECT_EQ(store().ReadKey("FOLDERS", "tmp_folder"), home_.Base() + "tmp/");
    EXPECT_EQ(store().CloseCompanyIni(), ConfigStore::FlushResult::ReadOnly);
    EXPECT_EQ(TempHome::Read(Etc()), before);
}

TEST_F(ConfigStoreTest, UnwritableIniFolderKeepsEverythingInMemory) {
    OpenCompany();
    QDir(home_.Base() + "etc").removeRecursively();  // the folder is gone
    store().WriteIniString("A", "2");
    EXPECT_EQ(store().FlushConfigFile(), ConfigStore::FlushResult::Failed);
    EXPECT_EQ(store().FlushConfigFile(), ConfigStore::FlushResult::Failed);
    store().OpenUserIni();
    store().WriteIniString("Personal", "x");
    store().CloseUserIni();
    store().OpenUserIni();
    EXPECT_EQ(store().ReadIniString("Personal"), "x");
    store().CloseUserIni();
    EXPECT_EQ(store().ReadIniString("A"), "2");
    EXPECT_EQ(store().CloseCompanyIni(), ConfigStore::FlushResult::Failed);
    // The failure was logged once, not at every attempt.
    EXPECT_EQ(ctx_.log().Lines().filter("kan ikke lagre " + Etc()).size(), 1);
}

TEST_F(ConfigStoreTest, WithoutCompanyIniEverythingStaysInMemory) {
    store().WriteIniString("A", "1");
    store().OpenUserIni();
    store().WriteIniString("LastInputStr", "x");
    store().CloseUserIni();
    store().OpenUserIni();
    EXPECT_EQ(store().ReadIniString("LastInputStr"), "x");
    store().CloseUserIni();
    EXPECT_EQ(store().ReadIniString("A"), "1");
    EXPECT_EQ(store().FlushConfigFile(), ConfigStore::FlushResult::InMemory);
    EXPECT_TRUE(QDir(home_.Path("work")).isEmpty());
}

// ------------------------------------------------------------ window positions

struct PositionCase {
    const char* name;
    const char* record;  // the stored "VINDU-Test" section body, or "" for none
    QString option;
    WindowPlacement expected;
    QString diverse;
};

class RestoreWindowPos : public ConfigStoreTest,
                         public ::testing::WithParamInterface<PositionCase> {};

TEST_P(RestoreWindowPos, PlacesTheWindowOnTheDesktop) {
    const PositionCase& c = GetParam();
    if (*c.record)
        TempHome::Write(home_.Base() + "etc/kari.INI", QByteArray("[VINDU-Test]\n") + c.record);
    OpenCompany();
    const WindowPlacement designed{30, 40, 800, 600, false};
    QString option = c.option;
    const WindowPlacement placed =
        store().RestoreWindowPos(designed, DesktopSize{1920, 1080}, "Test", option);
    EXPECT_EQ(placed.left, c.expected.left);
    EXPECT_EQ(placed.top, c.expected.top);
    EXPECT_EQ(placed.width, c.expected.width);
    EXPECT_EQ(placed.height, c.expected.height);
    EXPECT_EQ(placed.maximized, c.expected.maximized);
    EXPECT_EQ(option, c.diverse);
    const Geometry last = store().LastGeometry();
    EXPECT_EQ(last.left, placed.left);
    EXPECT_EQ(last.width, placed.width);
    EXPECT_EQ(last.height, placed.height);
    EXPECT_EQ(last.top, placed.top);
}

INSTANTIATE_TEST_SUITE_P(
    Records, RestoreWindowPos,
    ::testing::Values(
        PositionCase{"FirstShow", "", "", {0, 0, 800, 600, false}, ""},
        PositionCase{"Stored",
                     "Left=100\nTop=50\nWidth=1000\nHeight=700\nMaximized=0\nDiverse=3\n",
                     "",
                     {100, 50, 1000, 700, false},
                     "3"},
        PositionCase{
            "BeyondTheDesktop", "Left=5000\nTop=3000\n", "", {1120, 480, 800, 600, false}, ""},
        PositionCase{
            "BeyondWithStoredSize", "Left=5000\nWidth=1000\n", "", {920, 0, 1000, 600, false}, ""},
        PositionCase{"OnlyPos",
                     "Left=10\nTop=20\nWidth=1000\nHeight=700\n",
                     "OnlyPos",
                     {10, 20, 800, 600, false},
                     ""},
        PositionCase{
            "ZeroSizeKeepsDesigned", "Width=0\nHeight=-5\n", "", {0, 0, 800, 600, false}, ""},
        PositionCase{"Maximized", "Maximized=1\nLeft=1\nTop=2\n", "", {1, 2, 800, 600, true}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigStoreTest, SaveWindowPosWritesTheRecordAndPopsTheGeometryStack) {
    OpenCompany();
    store().SelectSection("TFM");
    QString option;
    store().RestoreWindowPos(WindowPlacement{0, 0, 640, 480}, DesktopSize{1920, 1080}, "MainForm6",
                             option);
    const Geometry main = store().LastGeometry();
    QString dialogOption = "OnlyPos";
    store().RestoreWindowPos(WindowPlacement{0, 0, 260, 100}, DesktopSize{1920, 1080}, "Dialog",
                             dialogOption);
    EXPECT_EQ(store().LastGeometry().width, 260);
    EXPECT_EQ(store().PreviousGeometry().width, main.width);

    store().SaveWindowPos(WindowPlacement{11, 22, 300, 120, false}, "Dialog", "detalj=2");
    EXPECT_EQ(store().LastGeometry().width, main.width);  // back to the main window
    // The caller's section is untouched by the switch to the per-user ini and back.
    EXPECT_EQ(store().CurrentSection(), "TFM");
    EXPECT_EQ(store().ConfigFileName(), Etc());

    IniFile user = OnDisk(home_.Base() + "etc/kari.INI");
    EXPECT_EQ(user.Value("VINDU-Dialog", "Left"), "11");
    EXPECT_EQ(user.Value("VINDU-Dialog", "Top"), "22");
    EXPECT_EQ(user.Value("VINDU-Dialog", "Width"), "300");
    EXPECT_EQ(user.Value("VINDU-Dialog", "Height"), "120");
    EXPECT_EQ(user.Value("VINDU-Dialog", "Maximized"), "0");
    EXPECT_EQ(user.Value("VINDU-Dialog", "Diverse"), "detalj=2");

    QString again;
    const WindowPlacement placed = store().RestoreWindowPos(
        WindowPlacement{0, 0, 260, 100}, DesktopSize{1920, 1080}, "Dialog", again);
    EXPECT_EQ(placed.left, 11);
    EXPECT_EQ(again, "detalj=2");
}

// ------------------------------------------------------------------- folders

TEST_F(ConfigStoreTest, SevrantepathCreatesFoldersInsideTheBaseOnly) {
    OpenCompany();
    EXPECT_EQ(store().sevrantepath(""), home_.Base());

    EXPECT_EQ(store().sevrantepath("data\\docs"), home_.Base() + "data/docs/");
    EXPECT_TRUE(QFileInfo(home_.Base() + "data/docs").isDir());
    EXPECT_EQ(OnDisk(Etc()).Value("FOLDERS", "data\\docs_folder"), home_.Base() + "data/docs/");
    EXPECT_TRUE(ctx_.log().Lines().filter("kv_reg.sevrantepath(data\\docs): Lager mappen").size() ==
                1);

    EXPECT_EQ(store().sevrantepath("bin"), home_.Base() + "bin/");
    EXPECT_FALSE(QFileInfo(home_.Base() + "bin").exists());

    const QString outside = home_.Path("elsewhere/pdf");
    store().SetFolderPath("export\\pdf", outside);
    EXPECT_EQ(store().ReadKey("FOLDERS", "export\\pdf_folder"), outside + "/");
    EXPECT_EQ(store().sevrantepath("export\\pdf"), outside + "/");
    EXPECT_FALSE(QFileInfo(outside).exists());

    // A key set in a section of its own: SetFolderPath leaves the current section alone.
    store().SelectSection("Smtp");
    store().SetFolderPath("tmp", home_.Base() + "tmp");
    EXPECT_EQ(store().CurrentSection(), "Smtp");
}

TEST_F(ConfigStoreTest, FolderThatCannotBeCreatedIsLoggedAndTheLookUpGoesOn) {
    OpenCompany();
    TempHome::Write(home_.Base() + "archive", "a file where the folder should be");
    EXPECT_EQ(store().sevrantepath("archive\\old"), home_.Base() + "archive/old/");
    EXPECT_EQ(ctx_.log().Lines().filter("FEIL: [mkdirsafe:").size(), 1);
    EXPECT_EQ(ctx_.log().ErrorCount(), 1);
}

TEST_F(ConfigStoreTest, ProgramTextFilesLieBesideTheIniFiles) {
    OpenCompany();
    store().SetProgramPath("/opt/varlokken/bin/varlokken");
    EXPECT_EQ(store().ProgramTextFile(), home_.Base() + "etc/varlokken.txt");
    EXPECT_EQ(store().ProgramTextListFile(), home_.Base() + "etc/varlokken.txl");
}

}  // namespace

#include "app/frame/SetupKeys.h"

namespace {

TEST_F(ConfigStoreTest, SetupKeyReaders) {
    TempHome::Write(Etc(),
                    "[STANDARD]\nFirma_OrgNr=NO 987 654 321 MVA\nArbeid_ArbeidstidStart=7:30\n"
                    "Arbeid_ArbeidstidSlutt=sen\n");
    OpenCompany();
    EXPECT_EQ(OrganisationNumber(store()), "NO 987 654 321 MVA");
    EXPECT_EQ(OrganisationNumber(store(), true), "987654321");
    EXPECT_EQ(WorkStartToday(store()), QDateTime(QDate::currentDate(), QTime(7, 30)));
    EXPECT_LE(qAbs(WorkEndToday(store()).secsTo(QDateTime::currentDateTime())), 60);
}

}  // namespace
