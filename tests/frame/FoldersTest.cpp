// The folder tree, the temporary-file clean-up, the text-file operations
// with their messages, and the file helpers.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>

#include "ScriptedPrompter.h"
#include "TempHome.h"
#include "app/frame/AppContext.h"
#include "app/frame/FileOps.h"
#include "app/frame/Folders.h"
#include "app/frame/TextFile.h"

namespace {

class FrameFiles : public ::testing::Test {
  protected:
    FrameFiles()
        : script_(new testsupport::ScriptedPrompter), ctx_(std::unique_ptr<Prompter>(script_)) {
        ctx_.log().SetLoggingOn(true);
        ctx_.config().OpenCompanyIni(ctx_.config().FindCompanyIni(home_.WorkDir()));
    }
    ConfigStore& store() { return ctx_.config(); }
    Log& log() { return ctx_.log(); }
    static void MakeOld(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-2),
                                     QFileDevice::FileModificationTime));
    }
    static bool MakeSocket(const QString& path) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray native = QFile::encodeName(path);
        if (native.size() >= qsizetype(sizeof(address.sun_path))) return false;
        memcpy(address.sun_path, native.constData(), native.size());
        const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
        ::close(fd);
        return bound;
    }

    TempHome home_;
    testsupport::ScriptedPrompter* script_;
    AppContext ctx_;
};

TEST_F(FrameFiles, CreateFolderTreeMakesEveryFolderWithItsKey) {
    store().SetProgramPath(home_.Path("opt/varlokken/bin/varlokken"));
    CreateFolderTree(store());
    for (const QString& name : FolderTreeNames()) {
        const QString path = home_.Base() + QString(name).replace('\\', '/');
        EXPECT_TRUE(QFileInfo(path).isDir()) << name.toStdString();
        EXPECT_EQ(store().ReadKey("FOLDERS", name + "_folder"), path + "/");
    }
    EXPECT_TRUE(FolderTreeNames().contains(CompanionDataFolder));
    EXPECT_TRUE(FolderTreeNames().contains(CompanionTemplateFolder));
    EXPECT_EQ(FolderTreeNames().size(), 24);
    EXPECT_EQ(store().ReadKey("FOLDERS", "data\\docs_folder"), home_.Base() + "data/docs/");
    EXPECT_EQ(store().ReadKey("FOLDERS", "bin_folder"), home_.Path("opt/varlokken/bin/"));
    EXPECT_EQ(store().ReadKey("FOLDERS", "doc_folder"), home_.Path("opt/varlokken/doc/"));
    EXPECT_EQ(log().Lines().filter(" Oppretter mappen ").size(), 23);  // "etc" was there
    EXPECT_EQ(log().ErrorCount(), 0);

    // Again over the existing tree: nothing to create, nothing counted as an error.
    const qsizetype lines = log().Lines().size();
    CreateFolderTree(store());
    EXPECT_EQ(log().Lines().size(), lines);
    EXPECT_EQ(log().ErrorCount(), 0);
}

TEST_F(FrameFiles, MkdirsafeLogsSuccessAndFailure) {
    EXPECT_TRUE(mkdirsafe(log(), home_.Path("one")));
    EXPECT_TRUE(log().LastLine().endsWith(" Oppretter mappen " + home_.Path("one")));
    EXPECT_FALSE(mkdirsafe(log(), home_.Path("missing/two")));
    EXPECT_TRUE(log().LastLine().endsWith(" FEIL: [mkdirsafe:2] kan ikke opprette mappen " +
                                          home_.Path("missing/two")));
    EXPECT_EQ(log().ErrorCount(), 1);
}

TEST_F(FrameFiles, DeleteTempFilesEmptiesTheProgramsTmpFolder) {
    const QString tmp = store().sevrantepath("tmp");
    TempHome::Write(tmp + "Items.csv", "1;2");
    TempHome::Write(tmp + "sub/deeper/orders.txt", "x");
    TempHome::Write(tmp + "locked.txt", "x");
    QFile::setPermissions(tmp + "locked.txt", QFile::ReadOwner);
    TempHome::Write(home_.Path("keep/outside.txt"), "must stay");
    ASSERT_TRUE(QFile::link(home_.Path("keep/outside.txt"), tmp + "link.txt"));
    ASSERT_TRUE(QFile::link(home_.Path("keep"), tmp + "linkdir"));
    log().SetVerbose(true);

    DeleteTempFiles(store(), false);
    EXPECT_TRUE(QFileInfo(tmp).isDir());
    EXPECT_TRUE(
        QDir(tmp)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
            .isEmpty());
    EXPECT_EQ(TempHome::Read(home_.Path("keep/outside.txt")), "must stay");
    EXPECT_EQ(
        log().Lines().filter("Sletter midlertidige filer opprettet av Sevrante programmer").size(),
        1);
    EXPECT_EQ(log().Lines().filter(" Sletter " + tmp + "Items.csv").size(), 1);
    EXPECT_TRUE(std::any_of(log().Lines().begin(), log().Lines().end(), [&](const QString& l) {
        return l.endsWith(" Sletter mappen " + tmp + "sub/");
    }));
    EXPECT_EQ(log().ErrorCount(), 0);
}

TEST_F(FrameFiles, DeleteTempFilesLeavesAFolderWithoutTmpInItsName) {
    const QString scratch = home_.Path("scratch/");
    TempHome::Write(scratch + "Items.csv", "1;2");
    store().SetFolderPath("tmp", scratch);
    DeleteTempFiles(store(), false);
    EXPECT_TRUE(QFile::exists(scratch + "Items.csv"));
}

TEST_F(FrameFiles, SystemTempLosesOnlyThisUsersOldRegularFiles) {
    const QString sys = home_.Path("systmp/");
    TempHome::Write(sys + "old.txt", "x");
    MakeOld(sys + "old.txt");
    TempHome::Write(sys + "new.txt", "x");
    TempHome::Write(sys + "folder/old.txt", "x");
    MakeOld(sys + "folder/old.txt");
    TempHome::Write(home_.Path("target.txt"), "x");
    ASSERT_TRUE(QFile::link(home_.Path("target.txt"), sys + "old-link"));
    const bool socket = MakeSocket(sys + "s");
    if (geteuid() == 0) {  // as root a file of another user can be made
        TempHome::Write(sys + "theirs.txt", "x");
        MakeOld(sys + "theirs.txt");
        ASSERT_EQ(::chown(QFile::encodeName(sys + "theirs.txt").constData(), 65534, 65534), 0);
    }
    // The spool folder is never touched: it is not even looked at.
    DeleteTempFiles(store(), true);

    EXPECT_FALSE(QFile::exists(sys + "old.txt"));
    EXPECT_TRUE(QFile::exists(sys + "new.txt"));
    EXPECT_TRUE(QFile::exists(sys + "folder/old.txt"));
    EXPECT_TRUE(QFileInfo(sys + "old-link").isSymLink());
    EXPECT_TRUE(QFile::exists(home_.Path("target.txt")));
    if (socket) {
        EXPECT_TRUE(QFileInfo::exists(sys + "s"));
    }
    if (geteuid() == 0) {
        EXPECT_TRUE(QFile::exists(sys + "theirs.txt"));
    }
    EXPECT_EQ(log().Lines().filter("Sletter midlertidige filer i Windows").size(), 1);
    EXPECT_EQ(log().Lines().filter("Sletter skriverkøer").size(), 0);

    // A "tmp" key pointing at the shared folder gets the same care.
    TempHome::Write(sys + "old2.txt", "x");
    MakeOld(sys + "old2.txt");
    store().SetFolderPath("tmp", sys);
    DeleteTempFiles(store(), false);
    EXPECT_FALSE(QFile::exists(sys + "old2.txt"));
    EXPECT_TRUE(QFile::exists(sys + "new.txt"));
    EXPECT_TRUE(QFile::exists(sys + "folder/old.txt"));
}

TEST_F(FrameFiles, TmpKeyHoldingTheUsersFilesIsNeverEmptied) {
    TempHome::Write(home_.Path("home/tmpnotes.txt"), "x");
    home_.Set("HOME", home_.Path("home/TMP"));  // the home folder itself lies below the key
    TempHome::Write(home_.Path("home/TMP/letter.txt"), "x");
    store().SetFolderPath("tmp", home_.Path("home/TMP"));
    DeleteTempFiles(store(), false);
    EXPECT_TRUE(QFile::exists(home_.Path("home/TMP/letter.txt")));
}

// ---------------------------------------------------------------- text files

TEST_F(FrameFiles, TextFileReadsLinesTrimmedInEitherEncoding) {
    const QString path = home_.Path("in.txt");
    TempHome::Write(path,
                    "  first \r\nBl\xE5"
                    "b\xE6r\r\n\r\nlast");
    TextFile file;
    ASSERT_TRUE(file.OpenForReading(path));
    QStringList lines;
    while (!file.AtEnd()) lines << file.ReadLine();
    EXPECT_EQ(lines, (QStringList{"first", "Blåbær", "", "last"}));
    EXPECT_EQ(file.LastIoError(), 0);
    EXPECT_TRUE(file.Close());
    EXPECT_TRUE(script_->events().empty());
}

TEST_F(FrameFiles, TextFileFailuresShowTheirMessagesAndCount) {
    const QString missing = home_.Path("nowhere/file.txt");
    TextFile file;
    EXPECT_FALSE(file.OpenForReading(missing));
    EXPECT_EQ(file.LastIoError(), 2);
    EXPECT_FALSE(file.OpenForAppending(missing));
    EXPECT_FALSE(file.Create(missing));
    EXPECT_FALSE(file.Close());

    const QString path = home_.Path("one.txt");
    TempHome::Write(path, "only\n");
    ASSERT_TRUE(file.OpenForReading(path));
    EXPECT_EQ(file.ReadLine(), "only");
    EXPECT_EQ(file.ReadLine(), "");
    EXPECT_NE(file.LastIoError(), 0);

    EXPECT_EQ(script_->messages(),
              (std::vector<QString>{
                  "FEIL: Feil under åpning av " + missing + "  (FEILNR.: 2)",
                  "FEIL: Feil under åpning av " + missing + "  (2)",
                  "FEIL: Feil under oppretting av ny fil: " + missing + "  (2)",
                  "FEIL: Feil under lukking av fil",
                  "FEIL: Lesefeil i tekstfil ",
              }));
    EXPECT_EQ(log().ErrorCount(), 5);
    EXPECT_TRUE(log().LastLine().endsWith(" Lesefeil i tekstfil."));
}

TEST_F(FrameFiles, CreatedFileReplacesTheOldOneOnlyWhenClosed) {
    const QString path = home_.Path("orders.txt");
    TempHome::Write(path, "old\n");
    {
        TextFile file;
        ASSERT_TRUE(file.Create(path));
        EXPECT_TRUE(file.WriteLine("half"));
        EXPECT_EQ(TempHome::Read(path), "old\n");
    }  // never closed: the old file stays
    EXPECT_EQ(TempHome::Read(path), "old\n");
    EXPECT_EQ(QDir(home_.Path()).entryList(QStringList{"orders*"}, QDir::Files),
              QStringList{"orders.txt"});

    TextFile file;
    file.SetEncoding(TextFile::Encoding::Windows1252);
    ASSERT_TRUE(file.Create(path));
    file.WriteLine("Blåbær;1");
    ASSERT_TRUE(file.Close());
    EXPECT_EQ(TempHome::Read(path),
              "Bl\xE5"
              "b\xE6r;1\n");

    EXPECT_TRUE(AppendLineToFile(home_.Path("new.txt"), "one"));
    EXPECT_TRUE(AppendLineToFile(home_.Path("new.txt"), "two"));
    EXPECT_EQ(TempHome::Read(home_.Path("new.txt")), "one\ntwo\n");
    EXPECT_FALSE(AppendLineToFile(home_.Path("nowhere/new.txt"), "x"));
    EXPECT_EQ(script_->messages().size(), 1u);
}

// ----------------------------------------------------------------- file helpers

TEST_F(FrameFiles, FileHelpers) {
    const QString source = home_.Path("a.bin");
    QByteArray data;
    for (int i = 0; i < 300000; ++i) data += char(i % 251);
    TempHome::Write(source, data);
    MakeOld(source);
    EXPECT_EQ(FileSizeOf(source), data.size());
    EXPECT_EQ(FileSizeOf(home_.Path("missing")), -1);
    EXPECT_LT(FileDateOf(source), QDateTime::currentDateTime().addDays(-1));
    EXPECT_GT(FileDateOf(home_.Path("missing")), QDateTime::currentDateTime().addSecs(-60));

    const QString target = home_.Path("copy/b.bin");
    QDir().mkpath(home_.Path("copy"));
    ASSERT_TRUE(CopyFileKeepDate(source, target));
    EXPECT_EQ(TempHome::Read(target), data);
    EXPECT_EQ(QFileInfo(target).lastModified().toSecsSinceEpoch(),
              QFileInfo(source).lastModified().toSecsSinceEpoch());
    EXPECT_FALSE(CopyFileKeepDate(home_.Path("missing"), target));
    EXPECT_EQ(TempHome::Read(target), data);
}

TEST_F(FrameFiles, DesktopShortcutIsALauncherOnTheUsersDesktop) {
    store().SetProgramPath("/opt/var lokken/varlokken");
    TempHome::Write(home_.Path("home/.config/user-dirs.dirs"),
                    "XDG_DESKTOP_DIR=\"$HOME/Skrivebord\"\n");
    ASSERT_TRUE(CreateDesktopShortcut(store()));
    const QString path = home_.Path("home/Skrivebord/varlokken.desktop");
    IniFile launcher;
    ASSERT_TRUE(launcher.Load(path));
    EXPECT_EQ(launcher.Value("Desktop Entry", "Type"), "Application");
    EXPECT_EQ(launcher.Value("Desktop Entry", "Exec"), "\"/opt/var lokken/varlokken\"");
    EXPECT_TRUE(QFileInfo(path).isExecutable());
}

}  // namespace
