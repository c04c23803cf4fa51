#pragma once

#include <QString>
#include <optional>
#include <vector>

#include "app/frame/LogonValues.h"

// What the program gives the common record header that begins every table.

// Access levels written into rwx_user, rwx_group and rwx_all (Unix-like digits:
// 4 read, 2 write, 1 execute; a level above 3 grants reading).
inline constexpr int kRwxFull = 7;       // column default of rwx_user and rwx_group
inline constexpr int kRwxPublished = 5;  // "Publisert" checked (rwx_all)
inline constexpr int kRwxNone = 0;       // new records (rwx_all), "Publisert" off, "Privat" on

// One column and the value a rule gives it.
struct HeaderValue {
    QString column;
    int value;
    bool operator==(const HeaderValue&) const = default;
};

// The header defaults of every new record: rwx_all 0, user = CurrentUserId,
// usergroup = CurrentGroupId. All other columns keep their column defaults
// (rwx_user and rwx_group 7).
std::vector<HeaderValue> NewRecordDefaults(const LogonValues& logon);
// The same with the current context's log-on values.
std::vector<HeaderValue> NewRecordDefaults();

// Sets the new-record defaults on anything with SetInteger(column, value),
// such as a dataset in insert state.
template <class Record>
void ApplyNewRecordDefaults(Record& record, const LogonValues& logon) {
    for (const HeaderValue& v : NewRecordDefaults(logon)) record.SetInteger(v.column, v.value);
}

// The check boxes over header levels write fixed values and show checked only
// for the value they write; NULL and other levels (written by other software)
// show unchecked.

// "Publisert" over rwx_all: checked writes 5, unchecked 0 (never NULL).
int PublishedValue(bool checked);
bool IsPublished(std::optional<int> rwxAll);

// The document note's "Privat" over rwx_group: checked writes 0, unchecked 7.
int PrivateGroupValue(bool checked);
bool IsPrivate(std::optional<int> rwxGroup);

// "Posten er merket" over checked: 1 marked, 0 not.
inline int CheckedValue(bool marked) { return marked ? 1 : 0; }
