#include "data/Catalogue.h"

namespace {

using H = CatalogueHolder;
using F = CatalogueFilterSource;

std::array<CatalogueEntry, kCatalogueSize> BuildCatalogue() {
    return {{
        {"users", "Brukere", H::Table, "", "realname", "", F::Logon, "", ""},
        {"document", "Dokumenter", H::Query, "", "", "", F::Owner, "", ""},
        {"invoice", "Faktura", H::Table, "", "id",
         "status<>'Betalt' AND status<>'Kreditert' AND status<>'Kreditnota'", F::Fixed, "", ""},
        {"company", "Firmaer", H::Table, "", "companyname", "", F::Fixed, "", ""},
        {"groups", "Grupper", H::Table, "", "group_id", "", F::Fixed, "", ""},
        {"po", "Innkjøp", H::Table, "", "id",
         "status<>'Alt mottatt' AND status<>'Faktura inn' AND status<>'Betalt' AND "
         "status<>'Kansellert'",
         F::Fixed, "", ""},
        {"jobs", "Jobber", H::Query, "select * from jobs", "", "", F::Fixed, "", ""},
        // The calendar module replaces this filter with its own.
        {"calendar", "Kalender", H::Table, "", "time_from", "status<20", F::Fixed, "", ""},
        // Contacts joined with their company's name; the contact module gives the SQL.
        {"contact", "Kontakter", H::Query, "", "realname", "", F::Fixed, "", ""},
        {"accounts", "Kontoer", H::Table, "", "account", "", F::Fixed, "", ""},
        {"news", "Nyheter", H::Table, "", "newsdate", "status=1", F::Fixed, "", ""},
        {"orders", "Ordrer", H::Table, "", "id",
         "status<>'Ferdig' AND status<>'Faktura' AND status<>'Balanse' AND status<>'Kontant'",
         F::Fixed, "", ""},
        {"entries", "Posteringer", H::Table, "", "entryno", "", F::Logon, "", ""},
        {"project", "Prosjekt", H::Table, "", "startdate, projectnumber", "projectstatus=10",
         F::Fixed, "", ""},
        {"subproject", "System", H::Table, "", "systemnumber", "", F::Fixed, "project", "project"},
        {"banner", "Reklame", H::Table, "", "time_from", "", F::Fixed, "", ""},
        {"offer", "Tilbud", H::Table, "", "id", "status='Ikke utsendt' OR status='Utsendt'",
         F::Fixed, "", ""},
        {"asset", "Utstyr", H::Table, "", "assetnumber", "status<5", F::Fixed, "", ""},
        {"product", "Varer", H::Table, "", "productcode", "web=1 OR sale=1 OR rwx_all=5", F::Fixed,
         "", ""},
        // Line items stay empty until a module sets the SQL it needs.
        {"items", "Varetransaksjoner", H::Query, "select * from items where id=1", "", "", F::Fixed,
         "", ""},
        {"productview", "Varegrupper", H::Table, "", "productname", "", F::Fixed, "", ""},
        {"package", "Pakker", H::Table, "", "", "", F::Fixed, "", ""},
        {"deviations", "Avvik", H::Table, "", "", "", F::Fixed, "", ""},
        {"certificate", "Sertifikat", H::Table, "", "date_expire", "", F::Fixed, "", ""},
        {"unknown", "Ukjent", H::None, "", "", "", F::Fixed, "", ""},
    }};
}

}  // namespace

const std::array<CatalogueEntry, kCatalogueSize>& CatalogueEntries() {
    static const std::array<CatalogueEntry, kCatalogueSize> catalogue = BuildCatalogue();
    return catalogue;
}

int CatalogueIndex(const QString& key) {
    const auto& entries = CatalogueEntries();
    for (int i = 0; i < kCatalogueUnknown; ++i)
        if (entries[i].key == key) return i;
    return kCatalogueUnknown;
}

const CatalogueEntry& CatalogueAt(int index) {
    if (index < 0 || index >= kCatalogueSize) index = kCatalogueUnknown;
    return CatalogueEntries()[index];
}

QString CatalogueName(int index) { return CatalogueAt(index).displayName; }
