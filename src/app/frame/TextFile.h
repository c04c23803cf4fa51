#pragma once

#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <memory>

class QFile;

// A text file read or written line by line (the import and export files).
// Every operation records the system's result as LastIoError (0 when it
// worked); a failure adds one to the log's error counter and, except for
// writing a line, shows its message captioned "FEIL" through the Prompter.
// Reading takes UTF-8 or, when the file is not valid UTF-8, Windows-1252.
// A created file replaces the old one only when Close succeeds.
class TextFile {
  public:
    enum class Encoding { Utf8, Windows1252 };

    TextFile() = default;
    ~TextFile();  // a created file not closed is dropped, the old one stays
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    void SetEncoding(Encoding encoding) { encoding_ = encoding; }  // for writing

    bool OpenForReading(const QString& path);
    bool OpenForAppending(const QString& path);
    bool Create(const QString& path);
    bool Close();

    bool AtEnd() const;
    // The next line, trimmed of blanks at both ends; "" and a failure past the end.
    QString ReadLine();
    bool WriteLine(const QString& line);

    int LastIoError() const { return lastIoError_; }
    QString FileName() const { return path_; }

  private:
    void Fail(int code, const QString& message);
    QByteArray Encode(const QString& line) const;

    enum class Mode { Closed, Reading, Appending, Creating };
    Mode mode_ = Mode::Closed;
    Encoding encoding_ = Encoding::Utf8;
    QString path_;
    QStringList lines_;
    qsizetype next_ = 0;
    std::unique_ptr<QFile> append_;
    std::unique_ptr<QSaveFile> create_;
    bool writeFailed_ = false;
    int lastIoError_ = 0;
};

// Appends one line to a file (created when missing): open, write, close,
// with the failure messages of the operations.
bool AppendLineToFile(const QString& path, const QString& line,
                      TextFile::Encoding encoding = TextFile::Encoding::Utf8);
