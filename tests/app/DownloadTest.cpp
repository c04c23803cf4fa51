// Downloads over HTTP from a local server: the file, the progress, the
// ".part" file, failures, the download window and the upgrade command.
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include "AppTestSupport.h"
#include "HttpTestServer.h"
#include "app/net/Download.h"
#include "ui/DownloadForm.h"
#include "app/ui/MainWindow.h"
#include "app/ui/MainWindowCommands.h"

namespace {

QByteArray RandomBytes(int size) {
    QByteArray bytes(size, '\0');
    auto* random = QRandomGenerator::global();
    for (char& c : bytes) c = static_cast<char>(random->bounded(256));
    return bytes;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class DownloadTest : public AppTest {
  protected:
    QString Target(const QString& name) const { return target_.filePath(name); }

    HttpTestServer server_;
    QTemporaryDir target_;
};

TEST_F(DownloadTest, FetchesTheFileWithProgressAndLeavesNoPartFile) {
    const QByteArray content = RandomBytes(3 * 1024 * 1024 + 17);
    server_.Put("big.bin", content);
    const QString target = Target("big.bin");
    {
        QFile old(target);  // an older copy is replaced
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    std::vector<std::pair<qint64, qint64>> progress;
    EXPECT_TRUE(DownloadToFile(
        server_.Url("big.bin"), target,
        [&](qint64 announced, qint64 received) { progress.emplace_back(announced, received); }));
    EXPECT_EQ(ReadAll(target), content);
    EXPECT_FALSE(QFileInfo::exists(target + ".part"));
    EXPECT_TRUE(Messages().empty());
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), std::make_pair(qint64(content.size()), qint64(content.size())));
    for (std::size_t i = 1; i < progress.size(); ++i) {
        EXPECT_GE(progress[i].second, progress[i - 1].second);  // bytes only grow
        if (progress[i].first >= 0) {
            EXPECT_EQ(progress[i].first, content.size());
        }
    }
}

TEST_F(DownloadTest, FailuresReportRemoveThePartFileAndKeepThePreviousTarget) {
    const struct {
        const char* name;
        QString address;
    } cases[] = {
        {"not found", server_.Url("missing.bin")},
        {"nobody listening", "http://127.0.0.1:1/x.bin"},
        {"not an address", "nonsense://"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter_->ClearEvents();
        const QString target = Target("keep.bin");
        {
            QFile old(target);
            ASSERT_TRUE(old.open(QIODevice::WriteOnly | QIODevice::Truncate));
            old.write("previous good copy");
        }
        EXPECT_FALSE(DownloadToFile(c.address, target));
        EXPECT_EQ(Messages(), std::vector<QString>{"FEIL: Feil i nedlasting av fil"});
        EXPECT_EQ(ReadAll(target), "previous good copy");
        EXPECT_FALSE(QFileInfo::exists(target + ".part"));
        EXPECT_TRUE(LogMentions("FEIL: nedlasting av"));
    }
    // Without a previous copy nothing is left at all.
    EXPECT_FALSE(DownloadToFile(server_.Url("missing.bin"), Target("new.bin")));
    EXPECT_EQ(QDir(target_.path()).entryList(QDir::Files), QStringList{"keep.bin"});
}

TEST_F(DownloadTest, ATargetFolderThatCannotBeWrittenIsAFailure) {
    server_.Put("a.bin", "abc");
    EXPECT_FALSE(DownloadToFile(server_.Url("a.bin"), Target("no/such/folder/a.bin")));
    EXPECT_EQ(Messages(), std::vector<QString>{"FEIL: Feil i nedlasting av fil"});
}

TEST_F(DownloadTest, BlanksInTheAddressAreSentEncoded) {
    EXPECT_EQ(EncodeBlanks("http://h/a b  c.txt"), "http://h/a%20b%20%20c.txt");
    server_.Put("my file.bin", "with blanks");
    EXPECT_TRUE(DownloadToFile(server_.Url("my file.bin"), Target("my file.bin")));
    EXPECT_EQ(ReadAll(Target("my file.bin")), "with blanks");
}

TEST_F(DownloadTest, HeaderRequestGivesTheSize) {
    server_.Put("sized.bin", RandomBytes(12345));
    server_.Put("empty.bin", QByteArray());
    qint64 size = 0;
    QString error;
    EXPECT_TRUE(RemoteFileSize(server_.Url("sized.bin"), size, &error)) << error.toStdString();
    EXPECT_EQ(size, 12345);
    EXPECT_TRUE(RemoteFileSize(server_.Url("empty.bin"), size, &error));
    EXPECT_EQ(size, 0);
    EXPECT_FALSE(RemoteFileSize(server_.Url("missing.bin"), size, &error));
    EXPECT_EQ(size, -1);
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DownloadTest, WindowShowsNameBarAndPercentage) {
    const QByteArray content = RandomBytes(800 * 1024);
    server_.Put("postnummer.txt", content);
    DownloadForm form;
    EXPECT_EQ(form.windowTitle(), "supdate 5.54 (732)");
    EXPECT_TRUE(form.Run(server_.Url("postnummer.txt"), Target("postnummer.txt")));
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.TargetText(), "postnummer.txt");
    EXPECT_EQ(form.PercentText(), "100%");
    EXPECT_EQ(form.Bar()->maximum(), content.size());
    EXPECT_EQ(form.Bar()->value(), content.size());
    EXPECT_EQ(ReadAll(Target("postnummer.txt")), content);

    EXPECT_FALSE(DownloadForm::Download(server_.Url("missing.txt"), Target("missing.txt")));
    EXPECT_EQ(Messages(), std::vector<QString>{"FEIL: Feil i nedlasting av fil"});
}

// --------------------------------------------------------------------- upgrade

class UpgradeTest : public DownloadTest {
  protected:
    UpgradeTest() {
        QDir().mkpath(Target("bin"));
        ctx_.config().SetProgramPath(Target("bin/varlokken"));
        server_.Put("supdate.sh", kUpdater);
        window_.SetQuitHandler([this] { ++quits_; });
    }
    void SetAddress(const QString& address) {
        ctx_.config().WriteKey("STANDARD", kUpgradeAddressKey, address);
    }
    void Upgrade() { window_.Action("Oppgrader programmet fra internett")->trigger(); }
    // What the started updater wrote (its parameter); waits for it to run.
    QString UpdaterSaw() const {
        const QString path = Target("bin/started.txt");
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(path) && waited.elapsed() < 20000) QThread::msleep(20);
        return QString::fromUtf8(ReadAll(path));
    }

    static constexpr const char* kUpdater =
        "#!/bin/sh\nprintf '%s' \"$1\" > \"$(dirname \"$0\")/started.tmp\" && "
        "mv \"$(dirname \"$0\")/started.tmp\" \"$(dirname \"$0\")/started.txt\"\n";
    MainWindow window_;
    int quits_ = 0;
};

TEST_F(UpgradeTest, DownloadsTheUpdaterStartsItAndThenEnds) {
    SetAddress(server_.Url("supdate.sh"));
    Upgrade();
    EXPECT_EQ(ReadAll(Target("bin/supdate.sh")), kUpdater);
    EXPECT_EQ(UpdaterSaw(), Target("bin/varlokken"));
    EXPECT_EQ(quits_, 1);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(LogMentions("Laster ned"));
}

TEST_F(UpgradeTest, AnUpdaterOfTheSameSizeIsNotFetchedAgain) {
    SetAddress(server_.Url("supdate.sh"));
    QFile local(Target("bin/supdate.sh"));
    ASSERT_TRUE(local.open(QIODevice::WriteOnly));
    local.write(kUpdater);
    local.close();
    Upgrade();
    EXPECT_EQ(UpdaterSaw(), Target("bin/varlokken"));
    EXPECT_EQ(quits_, 1);
    EXPECT_FALSE(LogMentions("Laster ned"));
}

TEST_F(UpgradeTest, TheProgramGoesOnWhenTheUpdaterCannotBeHad) {
    const struct {
        const char* name;
        QString address;
        QString message;
    } cases[] = {
        {"no address set up", "",
         "Varlokken 6: Adressen for oppgradering er ikke satt opp (\"UpgradeAddress\" i "
         "oppsettet)."},
        {"not on the server", server_.Url("missing.sh"), "FEIL: Feil i nedlasting av fil"},
        {"server not reachable", "http://127.0.0.1:1/supdate.sh", "FEIL: Feil i nedlasting av fil"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompter_->ClearEvents();
        SetAddress(c.address);
        Upgrade();
        EXPECT_EQ(Messages(), std::vector<QString>{c.message});
        EXPECT_EQ(quits_, 0);
    }
    EXPECT_FALSE(QFileInfo::exists(Target("bin/started.txt")));
}

TEST_F(UpgradeTest, AnUpdaterThatCannotStartKeepsTheProgramRunning) {
    server_.Put("broken", "not a program");
    SetAddress(server_.Url("broken"));
    Upgrade();
    EXPECT_EQ(ReadAll(Target("bin/broken")), "not a program");
    EXPECT_EQ(quits_, 0);
    EXPECT_EQ(Messages(), std::vector<QString>{"FEIL: Kan ikke starte " + Target("bin/broken")});
}

TEST_F(UpgradeTest, AFailedDownloadNeverStartsTheOldUpdater) {
    SetAddress(server_.Url("supdate.sh"));
    // An old updater of another size, and a folder where the new one would be renamed to.
    ASSERT_TRUE(QDir().mkpath(Target("bin/supdate.sh")));
    Upgrade();
    EXPECT_EQ(quits_, 0);
    EXPECT_EQ(Messages(), std::vector<QString>{"FEIL: Feil i nedlasting av fil"});
    EXPECT_FALSE(QFileInfo::exists(Target("bin/started.txt")));
}

}  // namespace
