// The log: counters by the first word, the logging switch, clearing, and
// log files that are long, damaged or not text at all.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "TempHome.h"
#include "app/frame/Log.h"

namespace {

struct CountCase {
    const char* message;
    int errors, warnings, hints;
};

class LogCounters : public ::testing::TestWithParam<CountCase> {};

TEST_P(LogCounters, CountByTheFirstWord) {
    Log log;
    log.SetLoggingOn(true);
    EXPECT_EQ(log.WriteLog(GetParam().message), 0);
    EXPECT_EQ(log.ErrorCount(), GetParam().errors);
    EXPECT_EQ(log.WarningCount(), GetParam().warnings);
    EXPECT_EQ(log.HintCount(), GetParam().hints);
    EXPECT_TRUE(log.LastLine().endsWith(QString(" ") + GetParam().message));
}

INSTANTIATE_TEST_SUITE_P(Messages, LogCounters,
                         ::testing::Values(CountCase{"FEIL: kan ikke", 1, 0, 0},
                                           CountCase{"ERROR: cannot", 1, 0, 0},
                                           CountCase{" FEIL: kan ikke", 0, 0, 0},
                                           CountCase{"feil: liten", 0, 0, 0},
                                           CountCase{"SQL ERROR: syntax", 0, 0, 0},
                                           CountCase{"ADVARSEL: se opp", 0, 1, 0},
                                           CountCase{"WARNING: look out", 0, 1, 0},
                                           CountCase{"HINT: prøv igjen", 0, 0, 1},
                                           CountCase{"START: /usr/bin/varlokken", 0, 0, 0}));

TEST(Log, LinesCarryDateAndTimeAndNothingHappensWhenOff) {
    Log log;
    EXPECT_EQ(log.WriteLog("FEIL: ignored"), -1);
    EXPECT_TRUE(log.Lines().isEmpty());
    EXPECT_EQ(log.ErrorCount(), 0);

    log.SetLoggingOn(true);
    log.WriteLog("Oppretter mappen x");
    ASSERT_EQ(log.Lines().size(), 1);
    EXPECT_TRUE(QRegularExpression(R"(^\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d Oppretter mappen x$)")
                    .match(log.Lines().first())
                    .hasMatch())
        << log.Lines().first().toStdString();
    EXPECT_EQ(log.WriteDetail("SQL: select"), -1);
    log.SetVerbose(true);
    EXPECT_EQ(log.WriteDetail("SQL: select"), 0);
    EXPECT_EQ(log.Lines().size(), 2);
}

TEST(Log, ClearLogLeavesOneLineInListAndFile) {
    TempHome home;
    const QString path = home.Path("log/varlokken.log");
    TempHome::Write(path, "old line\n");
    Log log;
    log.Start(path);
    log.SetLoggingOn(true);
    log.LoadFile();
    log.WriteLog("FEIL: one");
    log.ClearLog();
    EXPECT_EQ(log.ErrorCount(), 0);
    ASSERT_EQ(log.Lines().size(), 1);
    EXPECT_TRUE(log.Lines().first().endsWith(" LOGGFIL TØMT (TextFile.ClearLog)."));
    EXPECT_EQ(TempHome::Read(path), log.Lines().first().toUtf8() + "\n");
}

TEST(Log, UnchangedFileIsWrittenBackUnchangedAndNewLinesAreAdded) {
    TempHome home;
    const QString path = home.Path("log/varlokken.log");
    const QByteArray old = "01.01.2024 10:00:00 START: a\r\n01.01.2024 10:00:01 blåbær\r\n";
    TempHome::Write(path, old);
    {
        Log log;
        log.Start(path);
        log.LoadFile();
        EXPECT_EQ(log.Lines().size(), 2);
        EXPECT_EQ(log.Lines().at(1), "01.01.2024 10:00:01 blåbær");
        EXPECT_EQ(log.WriteLog("not logged"), -1);
        ASSERT_TRUE(log.WriteFile());
        EXPECT_EQ(TempHome::Read(path), old);
    }
    Log log;
    log.Start(path);
    log.SetLoggingOn(true);
    log.WriteLog("before the file was read");
    log.LoadFile();
    ASSERT_TRUE(log.WriteFile());
    const QStringList lines =
        QString::fromUtf8(TempHome::Read(path)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines.at(0), "01.01.2024 10:00:00 START: a");
    EXPECT_TRUE(lines.at(2).endsWith("before the file was read"));
}

TEST(Log, HugeFileKeepsItsLastLines) {
    TempHome home;
    const QString path = home.Path("log/varlokken.log");
    QByteArray big;
    const QByteArray line(99, 'x');
    for (int i = 0; i < 60000; ++i) big += line + '\n';  // 6 MB
    big += "the last line\n";
    TempHome::Write(path, big);

    Log log;
    log.Start(path);
    log.SetLoggingOn(true);
    ASSERT_TRUE(log.LoadFile());
    EXPECT_EQ(log.Lines().last(), "the last line");
    EXPECT_LE(log.Lines().size() * 100, Log::MaxLoadBytes);
    EXPECT_EQ(log.Lines().first(), QString(99, 'x'));  // whole lines only
    log.WriteLog("START: again");
    ASSERT_TRUE(log.WriteFile());
    EXPECT_LE(QFileInfo(path).size(), Log::MaxLoadBytes + 100);
}

TEST(Log, FileThatIsNotTextLoadsWhatIsReadable) {
    TempHome home;
    const QString path = home.Path("log/varlokken.log");
    QByteArray junk;
    for (int i = 0; i < 5000; ++i) junk += char(i * 7 % 256);
    junk += "\n01.01.2024 10:00:00 readable\n";
    junk += QByteArray("\x00\x00\x00", 3);
    TempHome::Write(path, junk);
    Log log;
    log.Start(path);
    log.SetLoggingOn(true);
    ASSERT_TRUE(log.LoadFile());
    EXPECT_TRUE(log.Lines().contains("01.01.2024 10:00:00 readable"));
    for (const QString& l : log.Lines()) {
        for (QChar c : l) EXPECT_TRUE(c.unicode() >= 0x20 || c == '\t');
    }
    EXPECT_TRUE(log.WriteFile());
}

TEST(Log, DirectLoggingAppendsEachLineAtOnce) {
    TempHome home;
    const QString path = home.Path("log/varlokken.log");
    Log log;
    log.Start(path);
    log.SetLoggingOn(true);
    log.WriteLog("kept for the end");
    EXPECT_FALSE(QFile::exists(path));
    log.SetDirectLogging(true);
    log.WriteLog("FEIL: at once");
    EXPECT_TRUE(TempHome::Read(path).endsWith(" FEIL: at once\n"));
    // The end still writes the whole list.
    ASSERT_TRUE(log.WriteFile());
    EXPECT_EQ(QString::fromUtf8(TempHome::Read(path)).split('\n', Qt::SkipEmptyParts).size(), 2);
}

}  // namespace
