#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <optional>

// The logic of the record information window ("Postinformasjon"), which shows
// the header of the current record of whatever table a data window hands it.

// The header values the window reads; a NULL column is an empty optional.
struct RecordInfoValues {
    std::optional<QString> created;  // day.month.year text as stored
    QDateTime updated;               // invalid for NULL or the zero date
    std::optional<int> user;
    std::optional<int> usergroup;
    std::optional<int> rwxAll;
    std::optional<int> rwxGroup;
    std::optional<int> rwxUser;
    std::optional<int> usertag;
    std::optional<int> checked;
};

// What each field of the window shows.
struct RecordInfoTexts {
    QString created;   // "Opprettet:"
    QString updated;   // "Endret:", day.month.year hours:minutes:seconds
    QString owner;     // "Eier:", the owner's initials
    QString group;     // "Gruppe:", the group's name
    QString rwxAll;    // "Alle:"
    QString rwxGroup;  // the box after "Alle:"
    QString rwxUser;   // the last box
    QString usertag;   // "Tag:"
    bool marked;       // "Posten er merket"
};

// The lookups behind "Eier:" and "Gruppe:": users.id → initials,
// groups.group_id → group_name.
using InitialsByUserId = QHash<int, QString>;
using GroupNameByGroupId = QHash<int, QString>;

// The window's texts for one record. NULL shows empty; an owner or group that
// the lookup does not know shows empty, as a lookup field does.
RecordInfoTexts RecordInfoFor(const RecordInfoValues& values, const InitialsByUserId& users,
                              const GroupNameByGroupId& groups);

// The owner's initials and the group's name alone.
QString OwnerInitials(std::optional<int> user, const InitialsByUserId& users);
QString GroupName(std::optional<int> usergroup, const GroupNameByGroupId& groups);

// "Posten er merket" is checked for checked = 1 only; toggling writes 1 or 0.
bool IsMarked(std::optional<int> checked);
