#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>

// The postal code register: the tab-separated text file "postnummer.txt" in the "import"
// folder, one postal code per line (code, place, municipality number, municipality name,
// category code).
//
// The file is read once into a table by code and read again when it changes (another
// size or modification time), so a lookup costs a file status check. Lines shorter than
// four characters are skipped; a missing field reads as empty; the first line of a code
// wins. The file may be UTF-8 or Windows-1252.

// One line of the register.
struct PostalEntry {
    QString code;
    QString place;               // "Poststed"
    QString municipalityNumber;  // "Kommunenr."
    QString municipality;        // "Kommune"
    QString category;            // the category code ("B", "F", "G", "K", "P", "S")
};

// What a lookup found.
enum class PostalStatus {
    Found,
    NotFound,        // the register holds no line for the code
    RegisterMissing  // the file cannot be read
};

class PostalRegister {
  public:
    // The register at `path` (read on first use).
    explicit PostalRegister(const QString& path = QString());

    const QString& Path() const { return path_; }
    void SetPath(const QString& path);

    // The line of a code (compared exactly with the line's first four characters).
    PostalStatus Find(const QString& code, PostalEntry* entry = nullptr);
    // Whether the file can be read now.
    bool Available();
    // Lines held (after the last successful read).
    int Size() const { return static_cast<int>(entries_.size()); }

  private:
    // Reads the file again when it changed; false when it cannot be read.
    bool Refresh();
    void Parse(const QString& text);

    QString path_;
    QHash<QString, PostalEntry> entries_;
    bool loaded_ = false;
    bool missingLogged_ = false;
    qint64 loadedSize_ = -1;
    QDateTime loadedTime_;
};

// The register file's place: <import folder>postnummer.txt.
QString PostalRegisterPath();

// The county of a municipality number: by its first two digits, 01 "ØSTFOLD" to 23
// "KONTINENTALSOKKELEN"; empty for 00, 13, anything beyond 23 and non-digits.
QString CountyName(const QString& municipalityNumber);

// The text of a category code ("K" -> "Kunde med eget postnummer"); empty for others.
QString PostalCategoryText(const QString& category);

// The company ini key (section "STANDARD") naming the download server of the register,
// e.g. "http://nedlasting.example.no"; empty disables "Last ned postfil".
inline const QString kPostalDownloadServerKey = QStringLiteral("PostfilServer");
// The path of the register on that server.
inline const QString kPostalDownloadPath = QStringLiteral("/ftp/textfiles/postnummer.txt");
// The address "Last ned postfil" fetches: the server + the path; empty when no server is set.
QString PostalDownloadAddress();
