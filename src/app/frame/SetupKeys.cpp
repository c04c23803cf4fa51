#include "app/frame/SetupKeys.h"

#include <QTime>

#include "app/frame/ConfigStore.h"

namespace {
QDateTime TodayAt(const ConfigStore& store, const QString& key) {
    const QString text = store.ReadKey(ConfigStore::StandardSection, key).trimmed();
    for (const char* format : {"h:mm:ss", "h:mm", "hh:mm:ss", "hh:mm"}) {
        const QTime time = QTime::fromString(text, QLatin1String(format));
        if (time.isValid()) return QDateTime(QDate::currentDate(), time);
    }
    return QDateTime::currentDateTime();
}
}  // namespace

QString OrganisationNumber(const ConfigStore& store, bool digitsOnly) {
    const QString number =
        store.ReadKey(ConfigStore::StandardSection, QStringLiteral("Firma_OrgNr"));
    if (!digitsOnly) return number;
    QString digits;
    for (QChar c : number) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) digits += c;
    }
    return digits;
}

QDateTime WorkStartToday(const ConfigStore& store) {
    return TodayAt(store, QStringLiteral("Arbeid_ArbeidstidStart"));
}

QDateTime WorkEndToday(const ConfigStore& store) {
    return TodayAt(store, QStringLiteral("Arbeid_ArbeidstidSlutt"));
}
