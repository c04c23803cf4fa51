#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// An ini file held in memory: "[section]" lines and "key=value" lines.
// Section and key names match without regard to case. Everything read is
// kept and written back as it was: lines without "=", comments, blank lines,
// duplicate keys (the first one is the one read and written), and duplicate
// sections (merged into the first). Text is read as UTF-8 or, when it is not
// valid UTF-8, as Windows-1252, and written as UTF-8 with the line ending
// the file had.
class IniFile {
  public:
    // Replaces the content with the file's; false (and empty) when it cannot be read.
    bool Load(const QString& path);
    void Parse(const QByteArray& bytes);
    QByteArray ToBytes() const;
    // Writes the whole file through a temporary file beside it.
    bool Save(const QString& path, QString* error = nullptr) const;
    void Clear();

    // Changed since it was read or saved.
    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    bool HasKey(const QString& section, const QString& key) const;
    QString Value(const QString& section, const QString& key) const;  // "" when missing
    void SetValue(const QString& section, const QString& key, const QString& value);
    bool RemoveKey(const QString& section, const QString& key);

    bool HasSection(const QString& section) const;
    QStringList SectionNames() const;                // as first written, in file order
    QStringList Keys(const QString& section) const;  // each key once, in file order

  private:
    struct Line {
        QString key;  // empty for a line that holds no key
        QString value;
        QString raw;  // the line as read; rebuilt when the value changes
    };
    struct Section {
        QString name;
        bool hasHeader = true;  // false for the lines before the first section
        QString headerRaw;
        std::vector<Line> lines;
    };

    Section* FindSection(const QString& name);
    const Section* FindSection(const QString& name) const;
    static const Line* FindLine(const Section& section, const QString& key);

    std::vector<Section> sections_;
    bool crlf_ = false;
    bool bom_ = false;
    bool modified_ = false;
};
