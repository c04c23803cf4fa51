#include "data/Lookups.h"

namespace {

struct LookupDef {
    const char* sql;
    const char* tableKey;
    const char* progress;
};

// In the order of the enum.
const std::array<LookupDef, kLookupCount> kLookups = {{
    {"select id,companyname from company order by companyname", "company",
     "Henter firmaer for oppslag..."},
    {"select id, realname from contact order by realname", "contact",
     "Henter kontakter for oppslag..."},
    {"select id,realname,initials from users order by initials", "users",
     "Henter brukerer for oppslag..."},
    {"select id,projectnumber,projectname from project order by projectnumber", "project",
     "Henter prosjekt for oppslag..."},
    {"select id,systemnumber,systemname from subproject order by systemnumber", "subproject",
     "Henter system for oppslag..."},
    {"select id,ordernumber from orders order by ordernumber", "orders",
     "Henter ordre for oppslag..."},
    {"select id,ordernumber from offer order by ordernumber", "offer",
     "Henter tilbud for oppslag..."},
    {"select id,ordernumber from invoice order by ordernumber", "invoice",
     "Henter faktura for oppslag..."},
    {"select id,ordernumber from po order by ordernumber", "po", "Henter innkjøp for oppslag..."},
    {"select id,assetnumber,assetname from asset order by assetnumber", "asset",
     "Henter utstyr for oppslag..."},
}};

const LookupDef& Def(Lookup which) { return kLookups[static_cast<std::size_t>(which)]; }

}  // namespace

QString LookupSql(Lookup which) { return QString::fromUtf8(Def(which).sql); }

QString LookupTableKey(Lookup which) { return QString::fromUtf8(Def(which).tableKey); }

QString LookupProgressText(Lookup which) { return QString::fromUtf8(Def(which).progress); }

const std::array<Lookup, kLookupCount>& LookupLogonOrder() {
    static const std::array<Lookup, kLookupCount> order = {
        Lookup::Companies, Lookup::Contacts,  Lookup::Users,     Lookup::Projects,
        Lookup::Subprojects, Lookup::Offers,  Lookup::Orders,    Lookup::Purchases,
        Lookup::Invoices,  Lookup::Assets,
    };
    return order;
}
