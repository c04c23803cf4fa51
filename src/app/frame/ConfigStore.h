#pragma once

#include <QString>

#include "app/frame/IniFile.h"

class Log;
struct LogonValues;

// Left, width, height and top of a shown window (the geometry stack's record).
struct Geometry {
    int left = 0;
    int width = 0;
    int height = 0;
    int top = 0;
};

// A window's placement as the window base hands it in and gets it back:
// no widgets here, just numbers.
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool maximized = false;
};

struct DesktopSize {
    int width = 0;
    int height = 0;
};

// The configuration store: exactly one ini file open at a time (the
// ConfigFile: the company ini, or the per-user ini between OpenUserIni and
// CloseUserIni), one CurrentSection, the folder keys and the geometry stack
// of the last shown windows.
//
// Before a company ini is opened the store works in memory only (nothing is
// ever written), so a fresh context in a test needs no files.
class ConfigStore {
  public:
    explicit ConfigStore(Log& log);
    ConfigStore(const ConfigStore&) = delete;
    ConfigStore& operator=(const ConfigStore&) = delete;

    static const QString StandardSection;  // "STANDARD"

    // --- identity used by the file header and the user-name rule ---
    // The user-name rule reads and remembers CurrentUserName there.
    void UseLogonValues(LogonValues& logon);
    void SetCommandLineUser(const QString& user);  // the "--user" value
    void SetLocalAddress(const QString& address);  // the "-ip" value
    QString LocalAddressOverride() const { return localAddress_; }
    void SetProgramPath(const QString& path);
    QString ProgramPath() const;
    // CurrentUserName once set; else "--user"; else the system log-on name;
    // else "anonymous". The first result is remembered in CurrentUserName.
    QString UserName();
    // "LOGIN: <user>  node: <computer>.<domain> IP:<address>".
    QString LoginText() const;

    // --- files ---
    // The company-ini location rule: `workingDir`/sevrante.ini when it exists,
    // else <base>/etc/sevrante.ini (the folder is created when missing).
    QString FindCompanyIni(const QString& workingDir);
    // Opens the company ini as ConfigFile and writes its header.
    void OpenCompanyIni(const QString& path);
    QString CompanyIniPath() const { return companyPath_; }
    QString IniFolder() const;  // ends in "/"; empty before a company ini is opened
    QString UserIniPath();      // <ini folder><user name>.INI
    bool CompanyIniReadOnly() const;
    bool UserIniOpen() const { return userDepth_ > 0; }
    QString ConfigFileName() const;  // path of the open ini ("" when in memory only)

    enum class FlushResult { Written, InMemory, ReadOnly, Failed };
    // Writes ConfigFile to disk (temp file + rename), never over a read-only file.
    FlushResult FlushConfigFile();
    // The end of the program: flushes the company ini unless it is read-only
    // and closes it (the model stays readable in memory; nothing is written
    // any more). Failed means the file could not be written.
    FlushResult CloseCompanyIni();

    // Flushes the company ini, makes the per-user ini ConfigFile (header
    // written). Pairs nest: only the outermost pair switches files.
    void OpenUserIni();
    // Flushes the per-user ini and makes the company ini ConfigFile again
    // (header written).
    void CloseUserIni();

    // --- sections and keys (on ConfigFile and CurrentSection) ---
    void SelectSection(const QString& section);  // remembers the one that was current
    void RestoreSection();                       // back to the remembered one
    void ResetSection();                         // "STANDARD"
    QString CurrentSection() const { return section_; }

    QString ReadIniString(const QString& key);
    int ReadIniInteger(const QString& key);
    bool ReadIniBool(const QString& key);
    double ReadIniFloat(const QString& key);
    void WriteIniString(const QString& key, const QString& value);
    void WriteIniInteger(const QString& key, int value);
    void WriteIniBool(const QString& key, bool value);
    void WriteIniFloat(const QString& key, double value);

    // Direct access to a named section of ConfigFile, leaving CurrentSection alone.
    QString ReadKey(const QString& section, const QString& key) const;
    void WriteKey(const QString& section, const QString& key, const QString& value);
    // The open ini's model (for the setup dialog and for tests).
    const IniFile& ConfigFile() const { return *current_; }
    IniFile& ConfigFile() { return *current_; }

    // --- geometry of the last shown windows ---
    Geometry LastGeometry() const { return last_; }
    Geometry PreviousGeometry() const { return previous_; }
    void PushGeometry(const Geometry& geometry);  // previous := last, last := geometry
    void PopGeometry();                           // last := previous

    // --- window positions (section "VINDU-<name>" of the per-user ini) ---
    // Applies the stored record to `window` (its designed placement), keeps
    // it on `desktop`, pushes the geometry stack. `option` "OnlyPos" keeps the
    // designed size; on return `option` holds the stored "Diverse" text.
    WindowPlacement RestoreWindowPos(const WindowPlacement& window, const DesktopSize& desktop,
                                     const QString& windowName, QString& option);
    // Stores the record with "Diverse" = `extra`, pops the geometry stack.
    void SaveWindowPos(const WindowPlacement& window, const QString& windowName,
                       const QString& extra);

    // --- folders ---
    // The folder of a short name ("log", "tmp", "data\docs"), ending in "/".
    // An empty name gives the base folder.
    QString sevrantepath(const QString& shortName);
    // "FOLDERS" key <short name>_folder := path (a trailing "/" added).
    void SetFolderPath(const QString& shortName, const QString& path);

    // Text files kept beside the ini files: <ini folder><program name>.txt / .txl.
    QString ProgramTextFile() const;
    QString ProgramTextListFile() const;

    Log& log() { return log_; }

  private:
    void OpenFile(IniFile& ini, const QString& path, bool keepMemory);
    void WriteHeader(IniFile& ini, const QString& path, bool existedBefore);
    // `failedBefore` (null: silent) logs a failure only when the last flush worked.
    FlushResult Flush(IniFile& ini, const QString& path, bool* failedBefore);
    QString ProgramBaseName() const;

    Log& log_;
    LogonValues* logon_ = nullptr;
    QString ownUserName_;  // remembered name when no log-on values are attached
    QString commandLineUser_;
    QString localAddress_;
    QString programPath_;
    mutable QString loginText_;

    IniFile company_;
    IniFile user_;
    IniFile* current_ = &company_;
    QString companyPath_;
    QString userPath_;
    bool companyClosed_ = false;
    bool userKeptInMemory_ = false;  // last flush of user_ did not reach the disk
    bool companyFlushFailed_ = false;
    bool userFlushFailed_ = false;
    int userDepth_ = 0;

    QString section_;
    QString previousSection_;
    Geometry last_;
    Geometry previous_;
};
