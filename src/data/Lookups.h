#pragma once

#include <QString>
#include <array>

// The ten read-only lookup queries that feed the drop-down lists of every window.
enum class Lookup {
    Companies,
    Contacts,
    Users,
    Projects,
    Subprojects,
    Orders,
    Offers,
    Invoices,
    Purchases,
    Assets,
};

inline constexpr std::size_t kLookupCount = 10;

// The lookup's SQL text.
QString LookupSql(Lookup which);
// The catalogue key of the table it reads ("company", "contact", ...): a refresh of that
// table's dataset refreshes the lookup.
QString LookupTableKey(Lookup which);
// The log-on's progress text while it opens the lookup ("Henter firmaer for oppslag...").
QString LookupProgressText(Lookup which);
// The order in which the log-on opens them.
const std::array<Lookup, kLookupCount>& LookupLogonOrder();
