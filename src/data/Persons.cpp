#include "data/Persons.h"

namespace {

// The form two entries are compared in: without blanks, upper case.
QString Normalized(const QString& entry) {
    QString out;
    out.reserve(entry.size());
    for (QChar c : entry)
        if (!c.isSpace()) out.append(c.toUpper());
    return out;
}

}  // namespace

QStringList ParsePersons(const QString& persons) {
    QStringList entries;
    for (const QString& part : persons.split(u',')) {
        QString entry = part.trimmed();
        if (!entry.isEmpty()) entries.append(entry);
    }
    return entries;
}

QString FormatPersons(const QStringList& initials) {
    QStringList kept;
    QStringList seen;
    for (const QString& raw : initials) {
        QString entry = raw.trimmed();
        QString key = Normalized(entry);
        if (key.isEmpty() || seen.contains(key)) continue;
        seen.append(key);
        kept.append(entry);
    }
    return kept.join(QStringLiteral(", "));
}

bool PersonsContains(const QString& persons, const QString& initials) {
    const QString wanted = Normalized(initials);
    // Initials holding a comma can never be one entry of the list.
    if (wanted.isEmpty() || wanted.contains(u',')) return false;
    for (const QString& entry : ParsePersons(persons))
        if (Normalized(entry) == wanted) return true;
    return false;
}

QString PersonChoiceText(const PersonChoice& person) {
    return person.initials + QStringLiteral(", ") + person.realname;
}

std::vector<bool> PersonsTicks(const std::vector<PersonChoice>& users, const QString& persons) {
    std::vector<bool> ticks;
    ticks.reserve(users.size());
    for (const PersonChoice& user : users) ticks.push_back(PersonsContains(persons, user.initials));
    return ticks;
}

QString PersonsFromTicks(const std::vector<PersonChoice>& users, const std::vector<bool>& ticked) {
    QStringList chosen;
    for (size_t i = 0; i < users.size() && i < ticked.size(); ++i)
        if (ticked[i]) chosen.append(users[i].initials);
    return FormatPersons(chosen);
}
