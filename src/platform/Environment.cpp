#include "platform/Environment.h"

#include <pwd.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtGlobal>

namespace platform {
QString EnvValue(const char* name) { return qEnvironmentVariable(name); }

QString HomeFolder() {
    const QString home = EnvValue("HOME");
    if (!home.isEmpty()) return QDir::cleanPath(home);
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
        return QDir::cleanPath(QFile::decodeName(pw->pw_dir));
    }
    return QDir::homePath();
}

QString BaseFolder() {
    QString root = EnvValue("APPDATA");
    if (root.isEmpty()) root = EnvValue("XDG_DATA_HOME");
    if (root.isEmpty()) root = HomeFolder() + QStringLiteral("/.local/share");
    return QDir::cleanPath(QDir(root).absolutePath()) + QStringLiteral("/Sevrante/");
}

QString TempFolder() {
    const QString tmp = EnvValue("TMPDIR");
    return tmp.isEmpty() ? QStringLiteral("/tmp") : QDir::cleanPath(tmp);
}

QString OsUserName() {
    for (const char* name : {"USER", "LOGNAME"}) {
        const QString value = EnvValue(name);
        if (!value.isEmpty()) return value;
    }
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_name) {
        return QString::fromLocal8Bit(pw->pw_name);
    }
    return QString();
}

QString ProgramPath() {
    if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

QString DesktopFolder() {
    QString config = EnvValue("XDG_CONFIG_HOME");
    if (config.isEmpty()) config = HomeFolder() + QStringLiteral("/.config");
    QFile dirs(config + QStringLiteral("/user-dirs.dirs"));
    if (dirs.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression line(
            QStringLiteral(R"(^\s*XDG_DESKTOP_DIR\s*=\s*"(.*)\"\s*$)"));
        while (!dirs.atEnd()) {
            const auto match = line.match(QString::fromUtf8(dirs.readLine()).trimmed());
            if (!match.hasMatch()) continue;
            QString value = match.captured(1);
            value.replace(QStringLiteral("$HOME"), HomeFolder());
            if (!value.isEmpty() && value != HomeFolder()) return QDir::cleanPath(value);
        }
    }
    return HomeFolder() + QStringLiteral("/Desktop");
}
}  // namespace platform
