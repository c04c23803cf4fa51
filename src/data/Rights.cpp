#include "data/Rights.h"

#include <optional>

#include "app/frame/AppContext.h"

namespace {

// One entry found in a rights text.
struct Entry {
    QString letters;  // from after the "=" to the end of the entry
    QString raw;      // the entry as written, from its key up to and including its ";"
};

bool IsEntryEnd(QChar c) { return c == u';' || c == u'\r' || c == u'\n'; }

// The keys the program asks by that name another entry.
QString EntryKey(const QString& key) {
    if (key == u"user") return QStringLiteral("users");
    if (key == u"account") return QStringLiteral("accounts");
    return key;
}

std::optional<Entry> FindEntry(const QString& text, const QString& key) {
    const QString wanted = EntryKey(key.trimmed());
    if (wanted.isEmpty()) return std::nullopt;
    const qsizetype length = text.size();
    qsizetype start = 0;
    while (start < length) {
        qsizetype end = start;
        while (end < length && !IsEntryEnd(text[end])) ++end;
        const QString segment = text.mid(start, end - start);
        const qsizetype eq = segment.indexOf(u'=');
        if (eq >= 0 && segment.left(eq).trimmed().compare(wanted, Qt::CaseInsensitive) == 0) {
            qsizetype rawStart = start;
            while (rawStart < end && text[rawStart].isSpace()) ++rawStart;
            const qsizetype rawEnd = (end < length && text[end] == u';') ? end + 1 : end;
            return Entry{segment.mid(eq + 1), text.mid(rawStart, rawEnd - rawStart).trimmed()};
        }
        start = end + 1;
    }
    return std::nullopt;
}

bool EntryHasLetter(const Entry& entry, QChar letter) {
    return !letter.isSpace() && entry.letters.contains(letter.toUpper(), Qt::CaseSensitive);
}

const QString kEntryEnd = QStringLiteral(";\r\n");

}  // namespace

const std::array<RightsKey, 24>& RightsKeys() {
    static const std::array<RightsKey, 24> keys = {{
        {"offer", "Tilbud"},       {"orders", "Ordre"},         {"po", "Innkjøp"},
        {"invoice", "Faktura"},    {"items", "Varelinjer"},     {"calendar", "Kalender"},
        {"project", "Prosjekt"},   {"subproject", "System"},    {"document", "Dokumenter"},
        {"news", "Nyheter"},       {"asset", "Utstyr"},         {"jobs", "Jobber"},
        {"package", "Pakker"},     {"product", "Vareregister"}, {"productview", "Varegrupper"},
        {"accounts", "Kontoplan"}, {"entries", "Posteringer"},  {"groups", "Grupper"},
        {"users", "Personal"},     {"banner", "Reklame"},       {"company", "Firmaer"},
        {"contact", "Kontakter"},  {"task", "Oppgaver"},        {"participant", "Deltagere"},
    }};
    return keys;
}

const QStringList& WebPortalKeys() {
    static const QStringList keys = {"documentation", "album",      "file",  "mail", "today",
                                     "timeline",      "photoalbum", "files", "imap", "inifile"};
    return keys;
}

bool HasRight(const LogonValues& logon, const QString& key, QChar letter) {
    if (logon.AdminMode) return true;
    if (logon.UserRights.isEmpty()) return false;
    if (auto entry = FindEntry(logon.UserRights, key)) return EntryHasLetter(*entry, letter);
    // A table the text does not name is governed by the administrator right.
    auto users = FindEntry(logon.UserRights, QStringLiteral("users"));
    return users && EntryHasLetter(*users, u'A');
}

bool HasReadRight(const LogonValues& logon, const QString& key) {
    return HasRight(logon, key, u'R');
}
bool HasWriteRight(const LogonValues& logon, const QString& key) {
    return HasRight(logon, key, u'W');
}
bool HasAdminRight(const LogonValues& logon, const QString& key) {
    return HasRight(logon, key, u'A');
}

bool HasRight(const QString& key, QChar letter) { return HasRight(Ctx().logon(), key, letter); }
bool HasReadRight(const QString& key) { return HasReadRight(Ctx().logon(), key); }
bool HasWriteRight(const QString& key) { return HasWriteRight(Ctx().logon(), key); }
bool HasAdminRight(const QString& key) { return HasAdminRight(Ctx().logon(), key); }

bool ReadRightsString(const QString& text, const QString& key, QChar letter) {
    auto entry = FindEntry(text, key);
    return entry && EntryHasLetter(*entry, letter);
}

QString WriteRightsString(const QHash<QString, RightsChecks>& checks, const QString& previous) {
    QString text;
    for (const RightsKey& rightsKey : RightsKeys()) {
        const QString key = QString::fromUtf8(rightsKey.key);
        auto it = checks.constFind(key);
        if (it == checks.constEnd()) continue;
        QString letters;
        for (size_t i = 0; i < kRightsLetters.size(); ++i)
            if ((*it)[i]) letters.append(kRightsLetters[i]);
        if (letters.isEmpty()) continue;
        text += key + u'=' + letters + kEntryEnd;
    }
    for (const QString& key : WebPortalKeys()) {
        auto entry = FindEntry(previous, key);
        if (!entry) continue;
        text += entry->raw;
        text += entry->raw.endsWith(u';') ? QStringLiteral("\r\n") : kEntryEnd;
    }
    return text;
}
