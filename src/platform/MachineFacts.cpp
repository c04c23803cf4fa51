#include "platform/MachineFacts.h"

#include <QHostAddress>
#include <QHostInfo>
#include <QNetworkInterface>
#include <QStringList>
#include <QSysInfo>

namespace platform {
QString ComputerName() {
    const QString host = QSysInfo::machineHostName();
    return host.section(QLatin1Char('.'), 0, 0);
}

QString NetworkDomain() {
    QString domain = QHostInfo::localDomainName();
    if (domain.isEmpty()) {
        const QString host = QSysInfo::machineHostName();
        if (host.contains(QLatin1Char('.'))) domain = host.section(QLatin1Char('.'), 1);
    }
    return domain;
}

QString LocalAddress(const QString& override) {
    if (!override.isEmpty()) return override;
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        if (!(flags & QNetworkInterface::IsUp) || (flags & QNetworkInterface::IsLoopBack)) continue;
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            const QHostAddress ip = entry.ip();
            if (ip.protocol() == QAbstractSocket::IPv4Protocol && !ip.isLoopback()) {
                return ip.toString();
            }
        }
    }
    return QStringLiteral("0.0.0.0");
}

QString SpoolFolder() { return QStringLiteral("/var/spool/cups/"); }

QString HostsFolder() { return QStringLiteral("/etc"); }

QString SystemVersionText() {
    // Kernel versions read "6.1.0-18-amd64": major, minor, then the build.
    const QStringList parts = QSysInfo::kernelVersion().split(QLatin1Char('.'));
    const QString major = parts.value(0, QStringLiteral("0"));
    const QString minor = parts.value(1, QStringLiteral("0"));
    QString build = parts.value(2, QStringLiteral("0"));
    qsizetype digits = 0;
    while (digits < build.size() && build.at(digits).isDigit()) ++digits;
    build = digits ? build.left(digits) : QStringLiteral("0");
    QString name = QSysInfo::kernelType();
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    return name + QStringLiteral(" Version: ") + major + QLatin1Char('.') + minor +
           QStringLiteral(" Build: ") + build;
}
}  // namespace platform
