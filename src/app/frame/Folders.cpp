#include "app/frame/Folders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "app/frame/ConfigStore.h"
#include "app/frame/Log.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"

const QString CompanionDataFolder = QStringLiteral("data\\companion");
const QString CompanionTemplateFolder = QStringLiteral("maler\\companion");

namespace {
QString WithSlash(const QString& path) {
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

QString NativeName(const QString& shortName) {
    return QString(shortName).replace(QLatin1Char('\\'), QLatin1Char('/'));
}

constexpr QDir::Filters kEverything =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

void DeleteFile(Log& log, const QFileInfo& entry, const QString& folder) {
    log.WriteDetail(QStringLiteral("Sletter ") + folder + entry.fileName());
    const QString path = entry.absoluteFilePath();
    if (!entry.isSymLink() && !entry.isWritable()) {
        QFile::setPermissions(path, entry.permissions() | QFileDevice::WriteOwner);
    }
    if (!QFile::remove(path)) {
        log.WriteLog(QStringLiteral("FEIL: kan ikke slette filen ") + folder + entry.fileName());
    }
}

// The shared system folder: only this user's own old regular files, nothing else.
void DeleteOwnOldFiles(Log& log, const QString& folder) {
    const QString path = WithSlash(folder);
    if (path.size() <= 6 || !QFileInfo(path).isDir()) return;
    BusyCursor busy;
    log.WriteDetail(QStringLiteral("Sletter mappen ") + path);
    const QDateTime dayAgo = QDateTime::currentDateTime().addDays(-1);
    for (const QFileInfo& entry : QDir(path).entryInfoList(QDir::Files | QDir::Hidden |
                                                           QDir::System | QDir::NoDotAndDotDot)) {
        if (!platform::IsOwnRegularFile(entry.absoluteFilePath())) continue;
        if (entry.lastModified() >= dayAgo) continue;
        DeleteFile(log, entry, path);
    }
}

bool SameFolder(const QString& a, const QString& b) {
    return platform::CanonicalFolder(a) == platform::CanonicalFolder(b);
}
}  // namespace

const QStringList& FolderTreeNames() {
    static const QStringList names = {
        QStringLiteral("archive"),
        QStringLiteral("backup"),
        QStringLiteral("data"),
        QStringLiteral("data\\tavlepunkt"),
        QStringLiteral("data\\pcalc"),
        CompanionDataFolder,
        QStringLiteral("data\\docs"),
        QStringLiteral("data\\tfm"),
        QStringLiteral("etc"),
        QStringLiteral("export"),
        QStringLiteral("export\\xml"),
        QStringLiteral("export\\pdf"),
        QStringLiteral("export\\csv"),
        QStringLiteral("export\\html"),
        QStringLiteral("export\\html\\varer"),
        QStringLiteral("import"),
        QStringLiteral("images"),
        QStringLiteral("spool"),
        QStringLiteral("tmp"),
        QStringLiteral("xml"),
        QStringLiteral("log"),
        QStringLiteral("maler"),
        QStringLiteral("maler\\docs"),
        CompanionTemplateFolder,
    };
    return names;
}

bool mkdirsafe(Log& log, const QString& path) {
    if (const int code = platform::MakeFolder(path)) {
        log.WriteLog(
            QStringLiteral("FEIL: [mkdirsafe:%1] kan ikke opprette mappen %2").arg(code).arg(path));
        return false;
    }
    log.WriteLog(QStringLiteral("Oppretter mappen ") + path);
    return true;
}

bool MakeFolderPath(Log& log, const QString& path) {
    if (const int code = platform::MakePath(path)) {
        log.WriteLog(
            QStringLiteral("FEIL: [mkdirsafe:%1] kan ikke opprette mappen %2").arg(code).arg(path));
        return false;
    }
    return true;
}

void CreateFolderTree(ConfigStore& store) {
    Log& log = store.log();
    const QFileInfo program(store.ProgramPath());
    const QString programFolder = program.absolutePath();
    store.SetFolderPath(QStringLiteral("bin"), programFolder);
    store.SetFolderPath(
        QStringLiteral("doc"),
        QDir::cleanPath(QFileInfo(programFolder).absolutePath() + QStringLiteral("/doc")));

    const QString base = platform::BaseFolder();
    if (!QFileInfo(base).isDir()) MakeFolderPath(log, base);
    for (const QString& name : FolderTreeNames()) {
        const QString path = base + NativeName(name);
        // An existing folder is what we want: no failure line, no error counted.
        if (!QFileInfo(path).isDir()) mkdirsafe(log, path);
        store.SetFolderPath(name, path);
    }
}

void EmptyFolder(Log& log, const QString& folder) {
    const QString path = WithSlash(folder);
    if (path.size() <= 6 || !QFileInfo(path).isDir()) return;
    BusyCursor busy;
    log.WriteDetail(QStringLiteral("Sletter mappen ") + path);
    for (const QFileInfo& entry : QDir(path).entryInfoList(kEverything)) {
        if (entry.isDir() && !entry.isSymLink()) {
            const QString sub = WithSlash(entry.absoluteFilePath());
            EmptyFolder(log, sub);
            if (!QDir().rmdir(sub))
                log.WriteLog(QStringLiteral("FEIL: kan ikke slette mappen ") + sub);
        } else {
            DeleteFile(log, entry, path);
        }
    }
}

void DeleteTempFiles(ConfigStore& store, bool includeSystem) {
    Log& log = store.log();
    log.WriteLog(QStringLiteral("Sletter midlertidige filer opprettet av Sevrante programmer"));
    const QString systemTemp = WithSlash(platform::TempFolder());

    const QString tmp = store.sevrantepath(QStringLiteral("tmp"));
    if (tmp.size() > 3 && tmp.toUpper().contains(QLatin1String("TMP"))) {
        if (SameFolder(tmp, systemTemp)) {
            DeleteOwnOldFiles(log, tmp);  // the key points at the shared folder
        } else if (platform::IsInsideFolder(platform::HomeFolder(), tmp) ||
                   platform::IsInsideFolder(platform::BaseFolder(), tmp)) {
            // Emptying it would take the user's own files or the program's tree with it.
            log.WriteLog(QStringLiteral("ADVARSEL: tømmer ikke mappen ") + tmp);
        } else {
            EmptyFolder(log, tmp);
        }
    }

    if (includeSystem && systemTemp.size() > 3) {
        const QString upper = systemTemp.toUpper();
        if (upper.contains(QLatin1String("TEMP")) || upper.contains(QLatin1String("TMP"))) {
            log.WriteLog(QStringLiteral("Sletter midlertidige filer i Windows"));
            DeleteOwnOldFiles(log, systemTemp);
        }
    }
    // The printer spool belongs to the print system and is never emptied here.
}

QString sevrantepath(const QString& shortName) { return Ctx().config().sevrantepath(shortName); }
