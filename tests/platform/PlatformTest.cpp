// The platform layer: the folders the environment points to, text decoding,
// the atomic file write, file-system facts and the shell hand-over.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>

#include "../frame/TempHome.h"
#include "platform/AtomicFile.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/MachineFacts.h"
#include "platform/ShellOpen.h"
#include "platform/TextEncoding.h"

namespace {

TEST(BaseFolder, FollowsAppDataThenXdgThenHome) {
    TempHome home;
    EXPECT_EQ(platform::BaseFolder(), home.Path("appdata/Sevrante/"));
    home.Unset("APPDATA");
    EXPECT_EQ(platform::BaseFolder(), home.Path("home/.local/share/Sevrante/"));
    home.Set("XDG_DATA_HOME", home.Path("xdg"));
    EXPECT_EQ(platform::BaseFolder(), home.Path("xdg/Sevrante/"));
    home.Unset("XDG_DATA_HOME");
    home.Set("HOME", home.Path("other"));
    EXPECT_EQ(platform::BaseFolder(), home.Path("other/.local/share/Sevrante/"));
}

TEST(Environment, TempAndDesktopFolders) {
    TempHome home;
    EXPECT_EQ(platform::TempFolder(), home.Path("systmp"));
    home.Unset("TMPDIR");
    EXPECT_EQ(platform::TempFolder(), "/tmp");

    EXPECT_EQ(platform::DesktopFolder(), home.Path("home/Desktop"));
    TempHome::Write(home.Path("home/.config/user-dirs.dirs"),
                    "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Skrivebord\"\n");
    EXPECT_EQ(platform::DesktopFolder(), home.Path("home/Skrivebord"));
}

TEST(MachineFacts, AddressOverrideAndVersionText) {
    EXPECT_EQ(platform::LocalAddress("10.1.2.3"), "10.1.2.3");
    const QString address = platform::LocalAddress();
    EXPECT_NE(address, "127.0.0.1");
    EXPECT_TRUE(QRegularExpression(R"(^\d+\.\d+\.\d+\.\d+$)").match(address).hasMatch())
        << address.toStdString();
    EXPECT_TRUE(QRegularExpression(R"(^\S+ Version: \d+\.\d+ Build: \d+$)")
                    .match(platform::SystemVersionText())
                    .hasMatch())
        << platform::SystemVersionText().toStdString();
    EXPECT_FALSE(platform::ComputerName().contains('.'));
    EXPECT_TRUE(platform::SpoolFolder().endsWith('/'));
}

TEST(TextEncoding, Utf8WhenValidElseWindows1252) {
    bool bom = false;
    EXPECT_EQ(platform::DecodeText("bl\xC3\xA5"
                                   "b\xC3\xA6r \xE2\x82\xAC",
                                   &bom),
              QString("blåbær €"));
    EXPECT_FALSE(bom);
    EXPECT_EQ(platform::DecodeText("\xEF\xBB\xBF"
                                   "abc",
                                   &bom),
              QString("abc"));
    EXPECT_TRUE(bom);
    // The same letters as an older workstation wrote them.
    EXPECT_EQ(platform::DecodeText("bl\xE5"
                                   "b\xE6r \x80 \x8F"
                                   "\x9D"),
              QString("blåbær € \u008F\u009D"));

    const QString text = QString("ÆØÅ æøå é € ‚ › Ÿ");
    EXPECT_EQ(platform::DecodeWindows1252(platform::EncodeWindows1252(text)), text);
    EXPECT_EQ(platform::EncodeWindows1252(QString("a\u4E2Db")), QByteArray("a?b"));
}

TEST(AtomicFile, ReplacesOnlyWithACompleteFile) {
    TempHome home;
    const QString path = home.Path("file.ini");
    ASSERT_TRUE(platform::WriteFileAtomic(path, "one\n"));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    ASSERT_TRUE(platform::WriteFileAtomic(path, "two\n"));
    EXPECT_EQ(TempHome::Read(path), "two\n");
    // The permissions of the replaced file stay.
    EXPECT_EQ(QFile::permissions(path) & (QFile::ReadGroup | QFile::ReadOther), QFile::ReadGroup);
    // Nothing left beside it.
    EXPECT_EQ(QDir(home.Path()).entryList(QDir::Files), QStringList{"file.ini"});

    QString error;
    EXPECT_FALSE(platform::WriteFileAtomic(home.Path("missing/file.ini"), "x", &error));
    EXPECT_FALSE(error.isEmpty());

    ASSERT_TRUE(platform::AppendToFile(path, "three\n"));
    EXPECT_EQ(TempHome::Read(path), "two\nthree\n");
}

TEST(FileSystem, FoldersOwnersAndReadOnly) {
    TempHome home;
    EXPECT_EQ(platform::MakeFolder(home.Path("a")), 0);
    EXPECT_NE(platform::MakeFolder(home.Path("a")), 0);      // exists
    EXPECT_NE(platform::MakeFolder(home.Path("x/y/z")), 0);  // no parent
    EXPECT_EQ(platform::MakePath(home.Path("x/y/z")), 0);
    EXPECT_EQ(platform::MakePath(home.Path("x/y/z")), 0);
    TempHome::Write(home.Path("blocker"), "file");
    EXPECT_NE(platform::MakePath(home.Path("blocker/sub")), 0);

    const QString file = home.Path("plain.txt");
    TempHome::Write(file, "x");
    EXPECT_TRUE(platform::IsOwnRegularFile(file));
    EXPECT_FALSE(platform::IsReadOnlyFile(file));
    QFile::setPermissions(file, QFile::ReadOwner);
    EXPECT_TRUE(platform::IsReadOnlyFile(file));
    EXPECT_FALSE(platform::IsReadOnlyFile(home.Path("missing.txt")));

    ASSERT_TRUE(QFile::link(file, home.Path("link.txt")));
    EXPECT_FALSE(platform::IsOwnRegularFile(home.Path("link.txt")));
    EXPECT_FALSE(platform::IsOwnRegularFile(home.Path("a")));

    EXPECT_TRUE(platform::IsInsideFolder(home.Path("a/new/deeper"), home.Path()));
    EXPECT_TRUE(platform::IsInsideFolder(home.Path("a"), home.Path("a")));
    EXPECT_FALSE(platform::IsInsideFolder(home.Path("a/../../elsewhere"), home.Path()));
    EXPECT_FALSE(platform::IsInsideFolder(home.Path() + "-twin/a", home.Path()));
}

TEST(ShellOpen, HandsDocumentsToTheDesktopAndStartsPrograms) {
    TempHome home;
    // A stand-in for the desktop's handler that records what it was given.
    const QString bin = home.Path("bin");
    const QString record = home.Path("opened.txt");
    TempHome::Write(
        bin + "/xdg-open",
        QString("#!/bin/sh\npwd > '%1.tmp'; echo \"$@\" >> '%1.tmp'; mv '%1.tmp' '%1'\n")
            .arg(record)
            .toUtf8());
    QFile::setPermissions(bin + "/xdg-open",
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", bin.toLocal8Bit() + ":" + oldPath);

    QDir().mkpath(home.Path("docs"));
    EXPECT_TRUE(platform::ShellOpen("faktura 12.pdf", "", home.Path("docs")));
    for (int i = 0; i < 200 && !QFile::exists(record); ++i) QThread::msleep(25);
    EXPECT_EQ(TempHome::Read(record), (home.Path("docs") + "\nfaktura 12.pdf\n").toUtf8());
    qputenv("PATH", oldPath);

    // A program gets its parameters, split like a command line.
    const QString program = home.Path("prog.sh");
    const QString args = home.Path("args.txt");
    TempHome::Write(program,
                    QString("#!/bin/sh\nprintf '%s|' \"$@\" > '%1.tmp'; mv '%1.tmp' '%1'\n")
                        .arg(args)
                        .toUtf8());
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_TRUE(platform::ShellOpen(program, "-a \"b c\"", home.Path()));
    for (int i = 0; i < 200 && !QFile::exists(args); ++i) QThread::msleep(25);
    EXPECT_EQ(TempHome::Read(args), "-a|b c|");
}

}  // namespace
