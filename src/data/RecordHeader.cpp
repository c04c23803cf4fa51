#include "data/RecordHeader.h"

#include "app/frame/AppContext.h"

std::vector<HeaderValue> NewRecordDefaults(const LogonValues& logon) {
    return {
        {"rwx_all", kRwxNone},
        {"user", logon.CurrentUserId},
        {"usergroup", logon.CurrentGroupId},
    };
}

std::vector<HeaderValue> NewRecordDefaults() { return NewRecordDefaults(Ctx().logon()); }

int PublishedValue(bool checked) { return checked ? kRwxPublished : kRwxNone; }

bool IsPublished(std::optional<int> rwxAll) { return rwxAll == kRwxPublished; }

int PrivateGroupValue(bool checked) { return checked ? kRwxNone : kRwxFull; }

bool IsPrivate(std::optional<int> rwxGroup) { return rwxGroup == kRwxNone; }
