#include "app/logon/ServerAddress.h"

namespace {
bool PortOf(const QString& text, unsigned* port) {
    bool ok = false;
    const uint value = text.toUInt(&ok);
    if (!ok || value == 0 || value > 65535) return false;
    *port = value;
    return true;
}
}  // namespace

ServerAddress ParseServerAddress(const QString& serverName) {
    ServerAddress a;
    const QString text = serverName.trimmed();
    if (text.isEmpty()) return a;
    if (text.startsWith(QLatin1Char('/'))) {
        a.kind = ServerAddress::Kind::Socket;
        a.socket = text;
        return a;
    }
    a.kind = ServerAddress::Kind::Host;
    a.host = text;
    if (text.startsWith(QLatin1Char('['))) {  // [IPv6]:port
        const qsizetype close = text.indexOf(QLatin1Char(']'));
        if (close > 0) {
            a.host = text.mid(1, close - 1);
            const QString rest = text.mid(close + 1);
            unsigned port = 0;
            if (rest.startsWith(QLatin1Char(':')) && PortOf(rest.mid(1), &port)) a.port = port;
        }
        return a;
    }
    // One ":" separates a port; several are a bare IPv6 address.
    if (text.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = text.indexOf(QLatin1Char(':'));
        unsigned port = 0;
        if (colon > 0 && PortOf(text.mid(colon + 1), &port)) {
            a.host = text.left(colon);
            a.port = port;
        }
    }
    return a;
}
