#include "app/frame/ConfigStore.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include "app/frame/Log.h"
#include "app/frame/LogonValues.h"
#include "app/frame/TextHelpers.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/MachineFacts.h"

const QString ConfigStore::StandardSection = QStringLiteral("STANDARD");

namespace {
const QString kHeader = QStringLiteral("INI_SELF");
const QString kFolders = QStringLiteral("FOLDERS");

int IntegerOf(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    int value = t.startsWith(QLatin1Char('$')) ? t.mid(1).toInt(&ok, 16) : t.toInt(&ok, 10);
    if (!ok && t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toInt(&ok, 16);
    return ok ? value : 0;
}

bool BoolOf(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const int value = t.toInt(&ok);
    if (ok) return value != 0;
    return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

QString WithSlash(const QString& path) {
    return path.isEmpty() || path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}
}  // namespace

ConfigStore::ConfigStore(Log& log)
    : log_(log), section_(StandardSection), previousSection_(StandardSection) {}

// ---------------------------------------------------------------- identity

void ConfigStore::UseLogonValues(LogonValues& logon) { logon_ = &logon; }
void ConfigStore::SetCommandLineUser(const QString& user) { commandLineUser_ = user; }
void ConfigStore::SetLocalAddress(const QString& address) {
    localAddress_ = address;
    loginText_.clear();
}
void ConfigStore::SetProgramPath(const QString& path) { programPath_ = path; }

QString ConfigStore::ProgramPath() const {
    return programPath_.isEmpty() ? platform::ProgramPath() : programPath_;
}

QString ConfigStore::ProgramBaseName() const { return QFileInfo(ProgramPath()).completeBaseName(); }

QString ConfigStore::UserName() {
    QString& remembered = logon_ ? logon_->CurrentUserName : ownUserName_;
    if (!remembered.isEmpty()) return remembered;
    QString name = commandLineUser_;
    if (name.isEmpty()) name = platform::OsUserName();
    if (name.isEmpty()) name = QStringLiteral("anonymous");
    remembered = name;
    return name;
}

QString ConfigStore::LoginText() const {
    if (loginText_.isEmpty()) {
        loginText_ = QStringLiteral("LOGIN: ") + platform::OsUserName() +
                     QStringLiteral("  node: ") + platform::ComputerName() + QLatin1Char('.') +
                     platform::NetworkDomain() + QStringLiteral(" IP:") +
                     platform::LocalAddress(localAddress_);
    }
    return loginText_;
}

// ------------------------------------------------------------------- files

QString ConfigStore::FindCompanyIni(const QString& workingDir) {
    const QFileInfo here(QDir(workingDir).filePath(QStringLiteral("sevrante.ini")));
    if (here.isFile()) return here.absoluteFilePath();
    const QString etc = platform::BaseFolder() + QStringLiteral("etc/");
    if (!QFileInfo(etc).isDir()) {
        if (const int code = platform::MakePath(etc)) {
            log_.WriteLog(QStringLiteral("FEIL: [mkdirsafe:%1] kan ikke opprette mappen %2")
                              .arg(code)
                              .arg(etc));
        }
    }
    return etc + QStringLiteral("sevrante.ini");
}

void ConfigStore::OpenCompanyIni(const QString& path) {
    companyPath_ = QFileInfo(path).absoluteFilePath();
    companyClosed_ = false;
    companyFlushFailed_ = false;
    OpenFile(company_, companyPath_, false);
    if (userDepth_ == 0) current_ = &company_;
}

QString ConfigStore::IniFolder() const {
    return companyPath_.isEmpty() ? QString()
                                  : QFileInfo(companyPath_).absolutePath() + QLatin1Char('/');
}

QString ConfigStore::UserIniPath() {
    const QString folder = IniFolder();
    if (folder.isEmpty()) return QString();
    QString name = UserName();
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return folder + name + QStringLiteral(".INI");
}

bool ConfigStore::CompanyIniReadOnly() const {
    return !companyPath_.isEmpty() && platform::IsReadOnlyFile(companyPath_);
}

QString ConfigStore::ConfigFileName() const {
    return current_ == &company_ ? (companyClosed_ ? QString() : companyPath_) : userPath_;
}

void ConfigStore::OpenFile(IniFile& ini, const QString& path, bool keepMemory) {
    bool existed = false;
    if (path.isEmpty()) {
        existed = ini.HasKey(kHeader, QStringLiteral("CREATED_TIME"));
    } else {
        existed = QFileInfo::exists(path) ||
                  (keepMemory && ini.HasKey(kHeader, QStringLiteral("CREATED_TIME")));
        if (!keepMemory) ini.Load(path);
    }
    WriteHeader(ini, path, existed);
    section_ = StandardSection;
}

void ConfigStore::WriteHeader(IniFile& ini, const QString& path, bool existedBefore) {
    const QString values[][2] = {
        {QStringLiteral("TIME"), DateTimeText(QDateTime::currentDateTime())},
        {QStringLiteral("NAME"), path},
        {QStringLiteral("PROGRAM"), ProgramPath()},
        {QStringLiteral("USER"), UserName()},
        {QStringLiteral("INIVERSION"), QStringLiteral("5.54")},
        {QStringLiteral("BUILD"), QStringLiteral("732")},
        {QStringLiteral("LOGIN"), LoginText()},
    };
    for (const QString* pair : values) {
        if (!existedBefore) ini.SetValue(kHeader, QStringLiteral("CREATED_") + pair[0], pair[1]);
    }
    for (const QString* pair : values) {
        ini.SetValue(kHeader, QStringLiteral("MODIFIED_") + pair[0], pair[1]);
    }
}

ConfigStore::FlushResult ConfigStore::Flush(IniFile& ini, const QString& path, bool* failedBefore) {
    if (path.isEmpty()) return FlushResult::InMemory;
    if (platform::IsReadOnlyFile(path)) return FlushResult::ReadOnly;
    if (!ini.Modified() && QFileInfo::exists(path)) return FlushResult::Written;
    QString error;
    if (!ini.Save(path, &error)) {
        // Logged once until a flush succeeds again, so folder look-ups do not flood the log.
        if (failedBefore && !*failedBefore) {
            log_.WriteLog(QStringLiteral("FEIL: kan ikke lagre %1 (%2)").arg(path, error));
        }
        if (failedBefore) *failedBefore = true;
        return FlushResult::Failed;
    }
    ini.SetModified(false);
    if (failedBefore) *failedBefore = false;
    return FlushResult::Written;
}

ConfigStore::FlushResult ConfigStore::FlushConfigFile() {
    if (current_ == &user_) return Flush(user_, userPath_, &userFlushFailed_);
    return Flush(company_, companyClosed_ ? QString() : companyPath_, &companyFlushFailed_);
}

ConfigStore::FlushResult ConfigStore::CloseCompanyIni() {
    if (userDepth_ > 0) {
        userDepth_ = 1;
        CloseUserIni();
    }
    if (companyClosed_) return FlushResult::InMemory;
    const FlushResult result = Flush(company_, companyPath_, nullptr);
    companyClosed_ = true;
    return result;
}

void ConfigStore::OpenUserIni() {
    if (userDepth_++ > 0) return;
    Flush(company_, companyClosed_ ? QString() : companyPath_, &companyFlushFailed_);
    const QString path = UserIniPath();
    // Changes that never reached the disk stay; otherwise the file is read again.
    const bool keep = path.isEmpty() || (userKeptInMemory_ && path == userPath_);
    if (!keep) user_.Clear();
    if (path.isEmpty() && !userPath_.isEmpty()) user_.Clear();
    userPath_ = path;
    OpenFile(user_, path, keep);
    current_ = &user_;
}

void ConfigStore::CloseUserIni() {
    if (userDepth_ == 0) return;
    if (--userDepth_ > 0) return;
    const FlushResult result = Flush(user_, userPath_, &userFlushFailed_);
    userKeptInMemory_ = result != FlushResult::Written;
    current_ = &company_;
    OpenFile(company_, companyClosed_ ? QString() : companyPath_, true);
}

// ------------------------------------------------------- sections and keys

void ConfigStore::SelectSection(const QString& section) {
    previousSection_ = section_;
    section_ = section;
}

void ConfigStore::RestoreSection() { section_ = previousSection_; }

void ConfigStore::ResetSection() { section_ = StandardSection; }

QString ConfigStore::ReadIniString(const QString& key) { return current_->Value(section_, key); }
int ConfigStore::ReadIniInteger(const QString& key) { return IntegerOf(ReadIniString(key)); }
bool ConfigStore::ReadIniBool(const QString& key) { return BoolOf(ReadIniString(key)); }

double ConfigStore::ReadIniFloat(const QString& key) {
    QString text = ReadIniString(key).trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok ? value : 0.0;
}

void ConfigStore::WriteIniString(const QString& key, const QString& value) {
    current_->SetValue(section_, key, value);
}
void ConfigStore::WriteIniInteger(const QString& key, int value) {
    WriteIniString(key, QString::number(value));
}
void ConfigStore::WriteIniBool(const QString& key, bool value) {
    WriteIniString(key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
void ConfigStore::WriteIniFloat(const QString& key, double value) {
    WriteIniString(key, QString::number(value, 'g', 15));
}

QString ConfigStore::ReadKey(const QString& section, const QString& key) const {
    return current_->Value(section, key);
}
void ConfigStore::WriteKey(const QString& section, const QString& key, const QString& value) {
    current_->SetValue(section, key, value);
}

// ---------------------------------------------------------------- geometry

void ConfigStore::PushGeometry(const Geometry& geometry) {
    previous_ = last_;
    last_ = geometry;
}

void ConfigStore::PopGeometry() { last_ = previous_; }

WindowPlacement ConfigStore::RestoreWindowPos(const WindowPlacement& window,
                                              const DesktopSize& desktop, const QString& windowName,
                                              QString& option) {
    const QString keptSection = section_;
    const QString keptPrevious = previousSection_;
    OpenUserIni();
    const QString section = QStringLiteral("VINDU-") + windowName;
    WindowPlacement placed = window;
    if (option.compare(QLatin1String("OnlyPos"), Qt::CaseInsensitive) != 0) {
        const int height = IntegerOf(ReadKey(section, QStringLiteral("Height")));
        const int width = IntegerOf(ReadKey(section, QStringLiteral("Width")));
        if (height > 0) placed.height = height;
        if (width > 0) placed.width = width;
    }
    // A position beyond the desktop (a screen that is gone) brings the window back onto it.
    placed.left = IntegerOf(ReadKey(section, QStringLiteral("Left")));
    if (desktop.width > 0 && placed.left > desktop.width)
        placed.left = desktop.width - placed.width;
    placed.top = IntegerOf(ReadKey(section, QStringLiteral("Top")));
    if (desktop.height > 0 && placed.top > desktop.height)
        placed.top = desktop.height - placed.height;
    if (BoolOf(ReadKey(section, QStringLiteral("Maximized")))) placed.maximized = true;
    option = ReadKey(section, QStringLiteral("Diverse"));
    CloseUserIni();
    section_ = keptSection;
    previousSection_ = keptPrevious;
    PushGeometry(Geometry{placed.left, placed.width, placed.height, placed.top});
    return placed;
}

void ConfigStore::SaveWindowPos(const WindowPlacement& window, const QString& windowName,
                                const QString& extra) {
    const QString keptSection = section_;
    const QString keptPrevious = previousSection_;
    OpenUserIni();
    const QString section = QStringLiteral("VINDU-") + windowName;
    WriteKey(section, QStringLiteral("Maximized"),
             window.maximized ? QStringLiteral("1") : QStringLiteral("0"));
    WriteKey(section, QStringLiteral("Left"), QString::number(window.left));
    WriteKey(section, QStringLiteral("Top"), QString::number(window.top));
    WriteKey(section, QStringLiteral("Height"), QString::number(window.height));
    WriteKey(section, QStringLiteral("Width"), QString::number(window.width));
    WriteKey(section, QStringLiteral("Diverse"), extra);
    CloseUserIni();
    section_ = keptSection;
    previousSection_ = keptPrevious;
    PopGeometry();
}

// ----------------------------------------------------------------- folders

QString ConfigStore::sevrantepath(const QString& shortName) {
    const QString base = platform::BaseFolder();
    if (shortName.isEmpty()) return base;
    // Folder keys live in the company ini, even while the per-user ini is open.
    QString path = company_.Value(kFolders, shortName + QStringLiteral("_folder"));
    if (path.isEmpty())
        path = base + QString(shortName).replace(QLatin1Char('\\'), QLatin1Char('/')) +
               QLatin1Char('/');
    if (!QFileInfo(path).isDir() &&
        shortName.compare(QLatin1String("bin"), Qt::CaseInsensitive) != 0 &&
        platform::IsInsideFolder(path, base)) {
        log_.WriteLog(
            QStringLiteral("kv_reg.sevrantepath(%1): Lager mappen %2").arg(shortName, path));
        if (const int code = platform::MakePath(path)) {
            log_.WriteLog(QStringLiteral("FEIL: [mkdirsafe:%1] kan ikke opprette mappen %2")
                              .arg(code)
                              .arg(path));
        }
    }
    path = WithSlash(path);
    SetFolderPath(shortName, path);
    Flush(company_, companyClosed_ ? QString() : companyPath_, &companyFlushFailed_);
    return path;
}

void ConfigStore::SetFolderPath(const QString& shortName, const QString& path) {
    company_.SetValue(kFolders, shortName + QStringLiteral("_folder"), WithSlash(path));
}

QString ConfigStore::ProgramTextFile() const {
    return IniFolder() + ProgramBaseName() + QStringLiteral(".txt");
}

QString ConfigStore::ProgramTextListFile() const {
    return IniFolder() + ProgramBaseName() + QStringLiteral(".txl");
}
