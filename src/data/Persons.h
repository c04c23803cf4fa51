#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The persons convention: a `persons` text holds the initials of the users
// involved, joined by a comma and a blank ("ABC, DEF").
//
// Membership is by whole entry, the same rule the record filter uses in SQL:
// blanks are ignored (texts written without them, or with stray ones, read
// the same) and case does not matter; "AB" is not a member of "ABC, DEF", and
// empty initials are a member of nothing.

// The entries of a persons text, each trimmed; empty entries are dropped.
QStringList ParsePersons(const QString& persons);

// The stored text for a list of initials: trimmed, empty ones and repeats
// (by the membership rule) left out, joined by ", ".
QString FormatPersons(const QStringList& initials);

// True when `initials` is one of the entries of `persons`.
bool PersonsContains(const QString& persons, const QString& initials);

// The logic of the person picker, which lists every active user with a check box.
struct PersonChoice {
    QString initials;
    QString realname;
};

// The picker line of a user: "<initials>, <realname>".
QString PersonChoiceText(const PersonChoice& person);

// Which users the picker shows checked for a persons text, one flag per user.
std::vector<bool> PersonsTicks(const std::vector<PersonChoice>& users, const QString& persons);

// The text "Hent" writes back: the checked users' initials in list order, in
// the stored format. Users without initials add nothing. Flags missing at the
// end read as unchecked.
QString PersonsFromTicks(const std::vector<PersonChoice>& users, const std::vector<bool>& ticked);
