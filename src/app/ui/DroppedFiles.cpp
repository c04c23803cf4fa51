#include "app/ui/DroppedFiles.h"

#include <QFile>
#include <QFileInfo>

#include "app/frame/AppContext.h"
#include "app/frame/TextHelpers.h"

bool ImportDroppedFile(const QString& path, const QString& name, qint64 size,
                       const QDateTime& time) {
    Log& log = Ctx().log();
    log.WriteLog(QStringLiteral("Fil sluppet på hovedvinduet: ") + path + QStringLiteral(" (") +
                 name + QStringLiteral(", ") + QString::number(size) + QStringLiteral(" byte, ") +
                 DateTimeText(time) + QLatin1Char(')'));
    QFile file(path);
    const bool readable = !QFileInfo(path).isDir() && file.open(QIODevice::ReadOnly);
    if (!readable) {
        const QString reason =
            QFileInfo(path).isDir() ? QStringLiteral("det er en mappe") : file.errorString();
        log.WriteLog(QStringLiteral("FEIL: kan ikke lese filen ") + path + QStringLiteral(": ") +
                     reason);
        ShowMessage(QStringLiteral("FEIL"), QStringLiteral("Kan ikke lese filen ") + path);
        return false;
    }
    return true;
}
