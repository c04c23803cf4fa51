#include "app/frame/FileOps.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "app/frame/AppContext.h"
#include "app/frame/BusyCursor.h"
#include "app/frame/ConfigStore.h"
#include "app/frame/Log.h"
#include "platform/AtomicFile.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/ShellOpen.h"

qint64 FileSizeOf(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? info.size() : -1;
}

QDateTime FileDateOf(const QString& path) {
    const QFileInfo info(path);
    return info.exists() ? info.lastModified() : QDateTime::currentDateTime();
}

bool CopyFileKeepDate(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) return false;
    QSaveFile out(target);
    out.setDirectWriteFallback(false);
    if (!out.open(QIODevice::WriteOnly)) return false;
    constexpr qint64 kBlock = 64 * 1024;
    while (!in.atEnd()) {
        const QByteArray block = in.read(kBlock);
        if (block.isEmpty() && in.error() != QFileDevice::NoError) {
            out.cancelWriting();
            out.commit();
            return false;
        }
        if (out.write(block) != block.size()) {
            out.cancelWriting();
            out.commit();
            return false;
        }
    }
    if (!out.commit()) return false;
    QFile copy(target);
    if (!copy.open(QIODevice::ReadWrite)) return false;
    return copy.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
}

bool ShellOpen(const QString& file, const QString& parameters, const QString& folder) {
    BusyCursor busy;
    const bool started = platform::ShellOpen(file, parameters, folder);
    if (!started && AppContext::HasCurrent()) {
        Ctx().log().WriteLog(QStringLiteral("FEIL: kan ikke åpne ") + file);
    }
    return started;
}

namespace {
// A value of a desktop entry's Exec key: quoted, with the reserved characters escaped.
QString ExecValue(const QString& program) {
    QString quoted;
    for (QChar c : program) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\')) {
            quoted += QLatin1Char('\\');
        }
        quoted += c;
    }
    quoted = QLatin1Char('"') + quoted + QLatin1Char('"');
    return quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
}
}  // namespace

bool CreateDesktopShortcut(ConfigStore& store) {
    Log& log = store.log();
    const QString program = store.ProgramPath();
    const QFileInfo info(program);
    const QString folder = platform::DesktopFolder();
    const QString path =
        folder + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".desktop");
    if (platform::MakePath(folder) != 0) {
        log.WriteLog(QStringLiteral("FEIL: kan ikke opprette mappen ") + folder);
        return false;
    }
    const QString text = QStringLiteral(
                             "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Varlokken SQL\n"
                             "Exec=%1\n"
                             "Path=%2\n"
                             "Terminal=false\n")
                             .arg(ExecValue(program), info.absolutePath());
    QString error;
    if (!platform::WriteFileAtomic(path, text.toUtf8(), &error)) {
        log.WriteLog(QStringLiteral("FEIL: kan ikke lagre %1 (%2)").arg(path, error));
        return false;
    }
    // Desktops start only launchers marked executable.
    QFile::setPermissions(path,
                          QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser);
    return true;
}

QString ProgramTextFile() { return Ctx().config().ProgramTextFile(); }
QString ProgramTextListFile() { return Ctx().config().ProgramTextListFile(); }
