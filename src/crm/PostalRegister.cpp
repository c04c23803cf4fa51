// The postal code register file, held in memory by code.
#include "crm/PostalRegister.h"

#include <QFile>
#include <QFileInfo>

#include "app/frame/AppContext.h"
#include "app/frame/Folders.h"
#include "platform/TextEncoding.h"

PostalRegister::PostalRegister(const QString& path) : path_(path) {}

void PostalRegister::SetPath(const QString& path) {
    if (path == path_) return;
    path_ = path;
    entries_.clear();
    loaded_ = false;
    loadedSize_ = -1;
    loadedTime_ = QDateTime();
    missingLogged_ = false;
}

bool PostalRegister::Refresh() {
    const QFileInfo info(path_);
    if (path_.isEmpty() || !info.isFile()) {
        entries_.clear();
        loaded_ = false;
        if (!missingLogged_ && AppContext::HasCurrent())
            Ctx().log().WriteLog(QStringLiteral("FEIL: finner ikke postnummerregisteret ") + path_);
        missingLogged_ = true;
        return false;
    }
    if (loaded_ && info.size() == loadedSize_ && info.lastModified() == loadedTime_) return true;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        entries_.clear();
        loaded_ = false;
        if (!missingLogged_ && AppContext::HasCurrent())
            Ctx().log().WriteLog(QStringLiteral("FEIL: kan ikke lese postnummerregisteret ") +
                                 path_ + QStringLiteral(": ") + file.errorString());
        missingLogged_ = true;
        return false;
    }
    Parse(platform::DecodeText(file.readAll()));
    loaded_ = true;
    missingLogged_ = false;
    loadedSize_ = info.size();
    loadedTime_ = info.lastModified();
    return true;
}

void PostalRegister::Parse(const QString& text) {
    entries_.clear();
    entries_.reserve(text.size() / 40 + 16);
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) end = n;
        QStringView line = QStringView(text).mid(start, end - start);
        start = end + 1;
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.size() < 4) continue;
        const QString code = line.left(4).toString();
        if (entries_.contains(code)) continue;  // the first line of a code wins
        PostalEntry e;
        e.code = code;
        // Fields after the first tab; a line without one has no place.
        const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        if (tab >= 0) {
            const QList<QStringView> fields = line.mid(tab + 1).split(QLatin1Char('\t'));
            if (fields.size() > 0) e.place = fields[0].trimmed().toString();
            if (fields.size() > 1) e.municipalityNumber = fields[1].trimmed().toString();
            if (fields.size() > 2) e.municipality = fields[2].trimmed().toString();
            // The category is the rest of the line after the fourth tab.
            if (fields.size() > 3) {
                QString rest;
                for (qsizetype i = 3; i < fields.size(); ++i) {
                    if (i > 3) rest += QLatin1Char('\t');
                    rest += fields[i];
                }
                e.category = rest.trimmed();
            }
        }
        entries_.insert(code, e);
    }
}

PostalStatus PostalRegister::Find(const QString& code, PostalEntry* entry) {
    if (!Refresh()) return PostalStatus::RegisterMissing;
    const auto it = entries_.constFind(code);
    if (code.size() != 4 || it == entries_.cend()) return PostalStatus::NotFound;
    if (entry) *entry = *it;
    return PostalStatus::Found;
}

bool PostalRegister::Available() { return Refresh(); }

QString PostalRegisterPath() {
    return sevrantepath(QStringLiteral("import")) + QStringLiteral("postnummer.txt");
}

QString CountyName(const QString& municipalityNumber) {
    static const char* const kCounties[] = {
        "",
        "ØSTFOLD",
        "AKERSHUS",
        "OSLO",
        "HEDMARK",
        "OPPLAND",
        "BUSKERUD",
        "VESTFOLD",
        "TELEMARK",
        "AUST-AGDER",
        "VEST-AGDER",
        "ROGALAND",
        "HORDALAND",
        "",
        "SOGN OG FJORDANE",
        "MØRE OG ROMSDAL",
        "SØR-TRØNDELAG",
        "NORD-TRØNDELAG",
        "NORDLAND",
        "TROMS",
        "FINNMARK",
        "SVALBARD",
        "JAN MAYEN",
        "KONTINENTALSOKKELEN",
    };
    if (municipalityNumber.size() < 2) return QString();
    const QChar a = municipalityNumber[0], b = municipalityNumber[1];
    if (a < QLatin1Char('0') || a > QLatin1Char('9') || b < QLatin1Char('0') ||
        b > QLatin1Char('9'))
        return QString();
    const int county = (a.unicode() - '0') * 10 + (b.unicode() - '0');
    if (county < 1 || county > 23) return QString();
    return QString::fromUtf8(kCounties[county]);
}

QString PostalCategoryText(const QString& category) {
    if (category == QLatin1String("B")) return QStringLiteral("Både gateadresse og postboks");
    if (category == QLatin1String("F")) return QStringLiteral("Flere bruksområder (felles)");
    if (category == QLatin1String("G")) return QStringLiteral("Gateadresse");
    if (category == QLatin1String("K")) return QStringLiteral("Kunde med eget postnummer");
    if (category == QLatin1String("P")) return QStringLiteral("Postboksadresse");
    if (category == QLatin1String("S")) return QStringLiteral("Serviceboks");
    return QString();
}

QString PostalDownloadAddress() {
    QString server =
        Ctx().config().ReadKey(ConfigStore::StandardSection, kPostalDownloadServerKey).trimmed();
    while (server.endsWith(QLatin1Char('/'))) server.chop(1);
    if (server.isEmpty()) return QString();
    return server + kPostalDownloadPath;
}
