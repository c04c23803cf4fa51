#pragma once

#include <QString>
#include <array>

// The fixed list of the program's tables. The list order is used by the
// table setup window and the log-on progress text; the keys are also the
// keys of the rights string.

// Index of each table in the catalogue; `unknown` is what an unlisted key yields.
enum class CatalogueTable : int {
    users = 0,
    document,
    invoice,
    company,
    groups,
    po,
    jobs,
    calendar,
    contact,
    accounts,
    news,
    orders,
    entries,
    project,
    subproject,
    banner,
    offer,
    asset,
    product,
    items,
    productview,
    package,
    deviations,
    certificate,
    unknown,
};

// How the data module holds a table's dataset.
enum class CatalogueHolder {
    Table,  // a table dataset on the table itself
    Query,  // a query dataset (`querySql`, or built by the owning module when empty)
    None,   // only for "unknown"
};

// Who sets the filter when the catalogue gives none.
enum class CatalogueFilterSource {
    Fixed,  // `defaultFilter` as it stands (empty: no filter)
    Logon,  // set at log-on (users: by group; entries: the current calendar year)
    Owner,  // built by the owning module (the document query)
};

struct CatalogueEntry {
    QString key;          // table name and rights key
    QString displayName;  // Norwegian name shown to the user
    CatalogueHolder holder;
    QString querySql;       // the query's starting SQL, when fixed
    QString defaultOrder;   // column list, empty for none
    QString defaultFilter;  // SQL condition, empty for none
    CatalogueFilterSource filterSource;
    QString masterKey;     // the master table of a detail table, empty when none
    QString detailColumn;  // the detail's column that holds the master's `id`
};

inline constexpr int kCatalogueSize = 25;  // 24 tables and "unknown"
inline constexpr int kCatalogueUnknown = 24;

// The whole catalogue, in list order; entry 24 is "unknown".
const std::array<CatalogueEntry, kCatalogueSize>& CatalogueEntries();

// The catalogue index of a table key: 0..23, or 24 when the key is not one of
// the 24 tables. Keys are compared exactly (table names are lower case).
int CatalogueIndex(const QString& key);

// The display name of a catalogue index; an index outside 0..24 reads as "Ukjent".
QString CatalogueName(int index);

// The entry of an index; an index outside 0..24 gives the "unknown" entry.
const CatalogueEntry& CatalogueAt(int index);
inline const CatalogueEntry& CatalogueAt(CatalogueTable table) {
    return CatalogueAt(static_cast<int>(table));
}
