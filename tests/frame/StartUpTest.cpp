// The start of the program before any window and its end after the last
// one: folders, company ini, log lines, and the damaged or unwritable files
// it must survive. The last tests run the real program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <memory>

#include "ScriptedPrompter.h"
#include "TempHome.h"
#include "app/frame/AppContext.h"
#include "app/frame/Folders.h"
#include "app/frame/StartUp.h"

namespace {

class StartUpTest : public ::testing::Test {
  protected:
    QString Ini() const { return home_.Base() + "etc/sevrante.ini"; }
    QString LogFile() const {
        return home_.Base() + "log/" + QFileInfo(ProgramPath()).completeBaseName() + ".log";
    }
    static QString ProgramPath() { return QFileInfo("/proc/self/exe").canonicalFilePath(); }
    void WriteIni(const QByteArray& standard) { TempHome::Write(Ini(), "[STANDARD]\n" + standard); }

    // One whole run: start, then `during`, then the end. Returns the log lines in memory at the
    // end.
    template <class During>
    QStringList Run(const QStringList& arguments, During during) {
        AppContext ctx(std::make_unique<testsupport::ScriptedPrompter>());
        RunStart(ctx, arguments, home_.WorkDir());
        during(ctx);
        RunEnd(ctx);
        return ctx.log().Lines();
    }
    QStringList Run(const QStringList& arguments = {}) {
        return Run(arguments, [](AppContext&) {});
    }
    static int Count(const QStringList& lines, const QString& text) {
        return lines.filter(text).size();
    }

    TempHome home_;
};

TEST_F(StartUpTest, FirstRunCreatesTheTreeTheCompanyIniAndTheLog) {
    Run();
    for (const QString& name : FolderTreeNames()) {
        EXPECT_TRUE(QFileInfo(home_.Base() + QString(name).replace('\\', '/')).isDir())
            << name.toStdString();
    }
    IniFile ini;
    ASSERT_TRUE(ini.Load(Ini()));
    EXPECT_EQ(ini.Value("FOLDERS", "etc_folder"), home_.Base() + "etc/");
    EXPECT_EQ(ini.Value("FOLDERS", "data\\docs_folder"), home_.Base() + "data/docs/");
    EXPECT_TRUE(ini.HasKey("INI_SELF", "CREATED_TIME"));
    EXPECT_TRUE(QFileInfo(LogFile()).isFile());
}

TEST_F(StartUpTest, LoggingAndVerboseFromTheIniGiveTheStartAndEndLines) {
    WriteIni("LogToFile=1\nVerboseLogging=1\nKroneAvrunding=1\n");
    bool rounding = false, rounding4 = true;
    const QStringList lines =
        Run({"--user", "kari", "-ip", "10.0.0.9", "--caption", "Nettleser"}, [&](AppContext& ctx) {
            rounding = ctx.settings().KroneAvrunding;
            rounding4 = ctx.settings().Krone4Avrunding;
            EXPECT_EQ(ctx.commandLine().caption, "Nettleser");
            EXPECT_TRUE(ctx.log().Verbose());
            ctx.log().WriteLog("HINT: husk backup");
        });
    EXPECT_TRUE(rounding);
    EXPECT_FALSE(rounding4);
    EXPECT_EQ(Count(lines, " START: " + ProgramPath()), 1);
    EXPECT_EQ(Count(lines, " INIFIL: " + Ini()), 1);
    EXPECT_EQ(Count(lines, " BRUKER: kari"), 1);
    EXPECT_EQ(Count(lines, " LOGIN: "), 1);
    EXPECT_TRUE(lines.filter(" LOGIN: ").first().endsWith(" IP:10.0.0.9"));
    EXPECT_EQ(Count(lines, " Oppdaterer " + Ini()), 1);
    EXPECT_EQ(Count(lines, " AVSLUTTER PROGRAM. 0 feilmeldinger og 0 advarsler"), 1);
    EXPECT_EQ(Count(lines, " Det ble gitt 1 hint i programmet"), 1);
    // What the end wrote is what the list held.
    EXPECT_EQ(QString::fromUtf8(TempHome::Read(LogFile())).split('\n', Qt::SkipEmptyParts), lines);
}

TEST_F(StartUpTest, DebugLogsOnlyUntilTheIniDecides) {
    const QStringList lines = Run({"--debug"});
    EXPECT_GT(Count(lines, " Oppretter mappen "), 0);  // the first start made the tree
    EXPECT_EQ(Count(lines, " START: "), 0);            // "LogToFile" is not set
    EXPECT_EQ(Count(lines, " FEIL:"), 0);
}

TEST_F(StartUpTest, InstallOverAnExistingTreeCountsNoErrors) {
    Run();
    WriteIni("LogToFile=1\n");
    const QStringList lines = Run({"-install"});
    EXPECT_EQ(Count(lines, " FEIL:"), 0);
    EXPECT_EQ(Count(lines, " AVSLUTTER PROGRAM. 0 feilmeldinger og 0 advarsler"), 1);
}

TEST_F(StartUpTest, CompanyIniInTheWorkingDirectoryWins) {
    TempHome::Write(home_.WorkDir() + "/sevrante.ini", "[STANDARD]\nLogToFile=1\n");
    const QStringList lines = Run();
    EXPECT_EQ(Count(lines, " INIFIL: " + home_.WorkDir() + "/sevrante.ini"), 1);
    IniFile ini;
    ASSERT_TRUE(ini.Load(home_.WorkDir() + "/sevrante.ini"));
    EXPECT_EQ(ini.Value("FOLDERS", "etc_folder"), home_.WorkDir() + "/");
    EXPECT_FALSE(QFileInfo::exists(Ini()));
}

TEST_F(StartUpTest, ReadOnlyCompanyIniIsLeftAsItWasWithItsWarning) {
    Run();
    WriteIni("LogToFile=1\nVerboseLogging=1\n");
    const QByteArray before = TempHome::Read(Ini());
    QFile::setPermissions(Ini(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QString kept;
    const QStringList lines = Run({}, [&](AppContext& ctx) {
        ctx.config().WriteIniString("Changed", "yes");
        ctx.config().sevrantepath("tmp");
        kept = ctx.config().ReadIniString("Changed");
    });
    EXPECT_EQ(kept, "yes");
    EXPECT_EQ(TempHome::Read(Ini()), before);
    EXPECT_EQ(Count(lines, " ADVARSEL: " + Ini() + " er skrivebeskyttet og vil ikke bli lagret."),
              1);
    EXPECT_EQ(Count(lines, " AVSLUTTER PROGRAM. 0 feilmeldinger og 1 advarsler"), 1);
    EXPECT_EQ(Count(lines, "INI-CRASH"), 0);
}

TEST_F(StartUpTest, UnwritableCompanyIniIsReportedAtTheEnd) {
    Run();
    WriteIni("LogToFile=1\n");
    const QStringList lines = Run({}, [&](AppContext& ctx) {
        QDir(home_.Base() + "etc").removeRecursively();  // e.g. a network folder that went away
        ctx.config().WriteIniString("Changed", "yes");
        EXPECT_EQ(ctx.config().ReadIniString("Changed"), "yes");
    });
    EXPECT_EQ(Count(lines, " INI-CRASH i KV_REG: " + Ini()), 1);
}

TEST_F(StartUpTest, HugeOrBinaryLogFileDoesNotStopTheStart) {
    Run();
    WriteIni("LogToFile=1\n");
    QByteArray huge;
    for (int i = 0; i < 70000; ++i) huge += QByteArray(99, char('a' + i % 26)) + '\n';
    TempHome::Write(LogFile(), huge);
    EXPECT_EQ(Count(Run(), " START: "), 1);

    QByteArray binary;
    for (int i = 0; i < 100000; ++i) binary += char((i * 131) % 256);
    TempHome::Write(LogFile(), binary);
    EXPECT_EQ(Count(Run(), " START: "), 1);
    EXPECT_TRUE(QString::fromUtf8(TempHome::Read(LogFile())).contains(" START: "));
}

TEST_F(StartUpTest, WithLoggingOffAnExistingLogIsWrittenBackUnchanged) {
    Run();
    const QByteArray old = "01.01.2024 10:00:00 START: old\n\xFF\xFE odd bytes stay\n";
    TempHome::Write(LogFile(), old);
    Run();
    EXPECT_EQ(TempHome::Read(LogFile()), old);
}

TEST_F(StartUpTest, ClearLogAndDirectLogging) {
    Run();
    TempHome::Write(LogFile(), "01.01.2024 10:00:00 START: old\n");
    WriteIni("LogToFile=1\nClearLogFileOnStartup=1\nDirectLogging=1\n");
    const QStringList lines = Run({}, [&](AppContext& ctx) {
        ctx.log().WriteLog("during the run");
        EXPECT_TRUE(TempHome::Read(LogFile()).endsWith(" during the run\n"));
    });
    EXPECT_EQ(Count(lines, "START: old"), 0);
    EXPECT_TRUE(lines.first().endsWith(" LOGGFIL TØMT (TextFile.ClearLog)."));
}

TEST_F(StartUpTest, DeleteTemporaryFilesAtStart) {
    Run();
    TempHome::Write(home_.Base() + "tmp/Items.csv", "1;2");
    WriteIni("DeleteTemporaryFiles=1\n");
    Run();
    EXPECT_FALSE(QFile::exists(home_.Base() + "tmp/Items.csv"));
    EXPECT_TRUE(QFileInfo(home_.Base() + "tmp").isDir());
}

TEST_F(StartUpTest, BaseFolderThatCannotBeCreatedIsLoggedAndTheProgramGoesOn) {
    TempHome::Write(home_.Path("appdata/Sevrante"), "a file in the way");
    const QStringList lines = Run({"--debug"});
    EXPECT_GT(Count(lines, " FEIL: [mkdirsafe:"), 0);
}

// ---------------------------------------------------------- the real program

int RunProgram(const QStringList& arguments, const QString& workDir) {
    QProcess program;
    program.setWorkingDirectory(workDir);
    program.start(VARLOKKEN_EXE, arguments);
    if (!program.waitForFinished(120000)) {
        program.kill();
        program.waitForFinished();
        return -1;
    }
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -2;
}

TEST_F(StartUpTest, RealRunCreatesTheTreeTheIniAndTheLog) {
    ASSERT_EQ(RunProgram({"--quit-after-start", "--user", "kari"}, home_.WorkDir()), 0);
    EXPECT_TRUE(QFileInfo(home_.Base() + "data/docs").isDir());
    EXPECT_TRUE(QFileInfo(home_.Base() + "maler/companion").isDir());
    IniFile ini;
    ASSERT_TRUE(ini.Load(Ini()));
    EXPECT_EQ(ini.Value("INI_SELF", "CREATED_USER"), "kari");
    EXPECT_TRUE(ini.Value("INI_SELF", "CREATED_PROGRAM").endsWith("/varlokken"));
    EXPECT_TRUE(QFileInfo(home_.Base() + "log/varlokken.log").isFile());

    // A second run with logging on, headless without the option: it still ends by itself.
    WriteIni("LogToFile=1\nVerboseLogging=1\n");
    ASSERT_EQ(RunProgram({}, home_.WorkDir()), 0);
    const QString log = QString::fromUtf8(TempHome::Read(home_.Base() + "log/varlokken.log"));
    EXPECT_TRUE(log.contains(" START: ")) << log.toStdString();
    EXPECT_TRUE(log.contains(" AVSLUTTER PROGRAM. 0 feilmeldinger og 0 advarsler"))
        << log.toStdString();
}

}  // namespace
