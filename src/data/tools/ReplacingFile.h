#pragma once

#include <QFile>
#include <QString>

namespace sqltools {

// A file written in pieces that replaces `path` only when it is complete: the bytes go to
// "<path>.tmp" beside it, which is flushed to disk and renamed over `path` by Commit.
// Until then (and whenever writing fails) the old file stays exactly as it was; a temporary
// file that was not committed is removed.
class ReplacingFile {
  public:
    explicit ReplacingFile(const QString& path);
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    bool Open();
    QIODevice& Device() { return temp_; }
    bool Commit();
    // Drops what was written; the old file stays.
    void Abandon();

    QString Path() const { return path_; }
    QString TempPath() const { return temp_.fileName(); }
    QString Error() const { return error_; }

  private:
    QString path_;
    QFile temp_;
    QString error_;
    bool committed_ = false;
};

}  // namespace sqltools
