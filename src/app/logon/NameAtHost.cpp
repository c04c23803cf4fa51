#include "app/logon/NameAtHost.h"

LogonFields ParseNameAtHost(const LogonFields& typed) {
    const QString& input = typed.userName;
    const qsizetype at = input.indexOf(QLatin1Char('@'));
    if (at < 0) return typed;
    LogonFields out;
    out.userName = input.left(at);
    out.serverName = input.mid(at + 1);
    const qsizetype dot = input.indexOf(QLatin1Char('.'));
    if (dot > at) out.database = input.mid(at + 1, dot - at - 1);
    return out;
}
