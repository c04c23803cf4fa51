// "Oppgrader programmet fra internett": fetch the updater when the server has
// another one, hand over to it, and let the program end only when it started.
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "app/frame/AppContext.h"
#include "app/frame/FileOps.h"
#include "app/net/Download.h"
#include "ui/DownloadForm.h"
#include "app/ui/MainWindowCommands.h"

namespace {
QString ProgramFile() {
    const QString path = Ctx().config().ProgramPath();
    return path.isEmpty() ? QCoreApplication::applicationFilePath()
                          : QFileInfo(path).absoluteFilePath();
}

// The updater keeps the name the server gives it, in the program's folder.
QString UpdaterPath(const QString& address) {
    QString name = QUrl(EncodeBlanks(address)).fileName();
    if (name.isEmpty()) name = QStringLiteral("supdate");
    return QFileInfo(ProgramFile()).absolutePath() + QLatin1Char('/') + name;
}

QString Quoted(const QString& path) { return QLatin1Char('"') + path + QLatin1Char('"'); }
}  // namespace

bool UpgradeProgram(QWidget* parent) {
    AppContext& ctx = Ctx();
    ConfigStore& config = ctx.config();
    Log& log = ctx.log();
    config.SelectSection(ConfigStore::StandardSection);
    const QString address = config.ReadIniString(kUpgradeAddressKey).trimmed();
    config.RestoreSection();
    if (address.isEmpty()) {
        ShowMessage(QStringLiteral("Varlokken 6"),
                    QStringLiteral("Adressen for oppgradering er ikke satt opp (\"") +
                        kUpgradeAddressKey + QStringLiteral("\" i oppsettet)."));
        return false;
    }
    const QString updater = UpdaterPath(address);
    log.WriteLog(QStringLiteral("Oppgraderer programmet fra ") + address);

    qint64 remoteSize = -1;
    QString error;
    if (!RemoteFileSize(address, remoteSize, &error)) {
        log.WriteLog(QStringLiteral("FEIL: nedlasting av ") + EncodeBlanks(address) +
                     QStringLiteral(": ") + error);
        ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Feil i nedlasting av fil"));
        return false;
    }
    if (remoteSize < 0 || remoteSize != FileSizeOf(updater)) {
        if (!DownloadForm::Download(address, updater, parent)) return false;
    }
    // A downloaded program file has no execute permission yet.
    QFile::setPermissions(updater, QFile::permissions(updater) | QFileDevice::ExeOwner |
                                       QFileDevice::ExeGroup | QFileDevice::ExeOther);
    if (!ShellOpen(updater, Quoted(ProgramFile()))) {
        ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Kan ikke starte ") + updater);
        return false;
    }
    log.WriteLog(QStringLiteral("Startet ") + updater + QStringLiteral(", programmet avsluttes"));
    return true;
}
