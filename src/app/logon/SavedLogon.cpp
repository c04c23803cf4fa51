#include "app/logon/SavedLogon.h"

#include "app/frame/ConfigStore.h"
#include "app/frame/TextHelpers.h"

namespace {
const QString kSection = QStringLiteral("VARLOKKEN_SQL");

bool BoolText(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const int value = t.toInt(&ok);
    if (ok) return value != 0;
    return t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}
}  // namespace

SavedLogon ReadSavedLogon(ConfigStore& config) {
    SavedLogon s;
    s.userName = config.ReadKey(kSection, QStringLiteral("Username"));
    const QString stored = config.ReadKey(kSection, QStringLiteral("Password"));
    s.password = stored.isEmpty() ? QString() : UnscramblePassword(stored);
    s.database = config.ReadKey(kSection, QStringLiteral("Database"));
    s.serverName = config.ReadKey(kSection, QStringLiteral("Servername"));
    s.loadIniFromServer = BoolText(config.ReadKey(kSection, QStringLiteral("LoadIniFileFromServer")));
    return s;
}

void WriteSavedLogon(ConfigStore& config, const SavedLogon& s) {
    config.WriteKey(kSection, QStringLiteral("Username"), s.userName);
    config.WriteKey(kSection, QStringLiteral("Password"),
                    s.password.isEmpty() ? QString() : ScramblePassword(s.password));
    config.WriteKey(kSection, QStringLiteral("Database"), s.database);
    config.WriteKey(kSection, QStringLiteral("Servername"), s.serverName);
    config.WriteKey(kSection, QStringLiteral("LoadIniFileFromServer"),
                    s.loadIniFromServer ? QStringLiteral("1") : QStringLiteral("0"));
}
