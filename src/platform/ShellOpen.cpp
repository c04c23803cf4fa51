#include "platform/ShellOpen.h"

#include <QFileInfo>
#include <QProcess>
#include <QStringList>

namespace platform {
bool ShellOpen(const QString& file, const QString& parameters, const QString& folder) {
    if (file.isEmpty()) return false;
    const QFileInfo info(file);
    if (info.isFile() && info.isExecutable()) {
        return QProcess::startDetached(file, QProcess::splitCommand(parameters), folder);
    }
    QStringList arguments{file};
    return QProcess::startDetached(QStringLiteral("xdg-open"), arguments, folder);
}
}  // namespace platform
