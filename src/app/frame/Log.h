#pragma once

#include <QString>
#include <QStringList>

// The program log: a list of lines "<date time> <message>" in memory, filled
// from the log file at start and written back whole at the end. Counts the
// errors ("ERROR:"/"FEIL:"), warnings ("WARNING:"/"ADVARSEL:") and hints
// ("HINT:") by the message's first word.
class Log {
  public:
    // At most this much of an existing log file is read at start: its last
    // lines up to this size. A longer file keeps only those lines when it is
    // written back.
    static constexpr qint64 MaxLoadBytes = 4 * 1024 * 1024;

    // Fixes the log file's path (the list stays as it is).
    void Start(const QString& filePath);
    QString FilePath() const { return path_; }

    // Puts the lines of the existing log file in front of the list. Lines
    // holding control characters (a binary file) are skipped. False when
    // there is no file to read.
    bool LoadFile();

    // Does nothing and returns -1 when logging is off; else appends the line,
    // counts it and returns 0. With direct logging the line also goes to the
    // file at once.
    int WriteLog(const QString& message);
    // WriteLog only when verbose is on.
    int WriteDetail(const QString& message);

    // Empties the list down to the line "LOGGFIL TØMT (TextFile.ClearLog).",
    // rewrites the file with it and sets the error counter to 0.
    void ClearLog();

    // The end: writes the whole list to the file (temporary file + rename).
    // Skipped when nothing changed since the file was read, so an unchanged
    // log (even a long one) stays exactly as it was.
    bool WriteFile();

    bool LoggingOn() const { return loggingOn_; }
    void SetLoggingOn(bool on) { loggingOn_ = on; }
    bool Verbose() const { return verbose_; }
    void SetVerbose(bool on) { verbose_ = on; }
    bool DirectLogging() const { return direct_; }
    void SetDirectLogging(bool on) { direct_ = on; }

    int ErrorCount() const { return errors_; }
    int WarningCount() const { return warnings_; }
    int HintCount() const { return hints_; }
    void AddError() { ++errors_; }  // a failure counted without a log line

    QString LastLine() const { return lastLine_; }
    const QStringList& Lines() const { return lines_; }

  private:
    void Append(const QString& line);

    QString path_;
    QStringList lines_;
    QString lastLine_;
    bool loggingOn_ = false;
    bool verbose_ = false;
    bool direct_ = false;
    bool changed_ = false;
    int errors_ = 0;
    int warnings_ = 0;
    int hints_ = 0;
};
