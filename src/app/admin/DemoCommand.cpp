// varlokken-admin demo: a handful of companies, contacts and products in an existing
// database, so that a new user sees a living program. Rows that are there already (a
// company by name, a contact by name within its company, a product by code) are left
// alone, so running it again changes nothing. Users are not touched.
#include <QDate>
#include <QMap>
#include <QSet>

#include "app/admin/AdminDatabase.h"
#include "db/Connection.h"

namespace {

struct DemoCompany {
    const char* name;
    const char* orgnumber;
    const char* street;
    const char* postal;
    const char* code;
    const char* city;
    const char* phone;
    const char* email;
    const char* homepage;
    const char* branch;
    int customer, vendor, equipvendor, partner, blacklisted;
};

const DemoCompany kCompanies[] = {
    {"Fjellheim Rørleggerservice AS", "912345670", "Storgata 14", "Postboks 120 Sentrum", "0155",
     "OSLO", "22 33 44 55", "post@fjellheim-ror.example.no", "www.fjellheim-ror.example.no",
     "Rørlegger", 1, 0, 0, 0, 0},
    {"Bryggen Kontorutstyr AS", "923456781", "Strandkaien 3", "", "5013", "BERGEN", "55 66 77 88",
     "ordre@bryggen-kontor.example.no", "www.bryggen-kontor.example.no", "Kontorrekvisita", 0, 1, 0,
     0, 0},
    {"Nidaros Elektro AS", "934567892", "Kongens gate 22", "", "7011", "TRONDHEIM", "73 10 20 30",
     "salg@nidaros-elektro.example.no", "www.nidaros-elektro.example.no", "Elektro", 0, 1, 1, 0, 0},
    {"Sandnes Byggevarer AS", "945678903", "Langgata 40", "Postboks 77", "4306", "SANDNES",
     "51 60 70 80", "firmapost@sandnes-bygg.example.no", "www.sandnes-bygg.example.no",
     "Byggevarer", 1, 1, 0, 1, 0},
    {"Ishavskysten Sjømat AS", "956789014", "Storgata 88", "", "9008", "TROMSØ", "77 60 50 40",
     "post@ishavskysten.example.no", "", "Sjømat", 1, 0, 0, 0, 0},
    {"Bragernes Regnskapskontor DA", "967890125", "Bragernes torg 5", "", "3017", "DRAMMEN",
     "32 20 30 40", "regnskap@bragernes.example.no", "", "Regnskap", 1, 0, 0, 1, 0},
    {"Solberg & Sønn Maskin AS", "978901236", "Industriveien 7", "", "2317", "HAMAR", "62 50 60 70",
     "verksted@solberg-maskin.example.no", "", "Verksted", 1, 0, 0, 0, 1},
};

struct DemoContact {
    const char* company;  // by name; nullptr for none
    const char* name;
    const char* title;
    const char* mobile;
    const char* work;
    const char* email;
};

const DemoContact kContacts[] = {
    {"Fjellheim Rørleggerservice AS", "Kari Fjellheim", "Daglig leder", "900 11 222", "22 33 44 56",
     "kari@fjellheim-ror.example.no"},
    {"Fjellheim Rørleggerservice AS", "Anders Lunde", "Prosjektleder", "900 33 444", "",
     "anders@fjellheim-ror.example.no"},
    {"Bryggen Kontorutstyr AS", "Ingrid Vik", "Salgssjef", "911 22 333", "55 66 77 89",
     "ingrid@bryggen-kontor.example.no"},
    {"Nidaros Elektro AS", "Per Aune", "Selger", "922 33 444", "73 10 20 31",
     "per@nidaros-elektro.example.no"},
    {"Nidaros Elektro AS", "Silje Moen", "Innkjøper", "922 55 666", "",
     "silje@nidaros-elektro.example.no"},
    {"Sandnes Byggevarer AS", "Tor Eide", "Butikksjef", "933 44 555", "51 60 70 81",
     "tor@sandnes-bygg.example.no"},
    {"Ishavskysten Sjømat AS", "Marit Johansen", "Økonomiansvarlig", "944 55 666", "",
     "marit@ishavskysten.example.no"},
    {"Bragernes Regnskapskontor DA", "Hans Kristiansen", "Autorisert regnskapsfører", "955 66 777",
     "32 20 30 41", "hans@bragernes.example.no"},
    {"Solberg & Sønn Maskin AS", "Geir Solberg", "Daglig leder", "966 77 888", "",
     "geir@solberg-maskin.example.no"},
    {nullptr, "Lise Berg", "Konsulent", "977 88 999", "", "lise.berg@example.no"},
};

struct DemoProduct {
    const char* code;
    const char* text;
    const char* piece;
    const char* group;
    double cost;
    double addpercent;
    double instock;
    double minstock;
    double maxstock;
    const char* vendor;  // by name
    const char* vendorCode;
    const char* ean;
};

const DemoProduct kProducts[] = {
    {"KONT-A4-500", "Kopipapir A4 80 g, 500 ark", "pk", "KONTOR", 32.50, 60, 120, 40, 300,
     "Bryggen Kontorutstyr AS", "BK-1001", "7038010000010"},
    {"KONT-PERM-BL", "Ringperm A4, 4 ringer, blå", "stk", "KONTOR", 18.00, 80, 45, 20, 100,
     "Bryggen Kontorutstyr AS", "BK-2040", "7038010000027"},
    {"KONT-PENN-10", "Kulepenn blå, 10 stk", "pk", "KONTOR", 24.90, 70, 60, 20, 150,
     "Bryggen Kontorutstyr AS", "BK-3310", ""},
    {"EL-KAB-3G25", "Installasjonskabel 3G2,5, 100 m", "rull", "ELEKTRO", 1190.00, 35, 8, 3, 20,
     "Nidaros Elektro AS", "NE-44120", ""},
    {"EL-STIKK-2J", "Stikkontakt dobbel m/jord, hvit", "stk", "ELEKTRO", 64.00, 55, 75, 25, 200,
     "Nidaros Elektro AS", "NE-10020", "7038010000034"},
    {"EL-LED-E27-9", "LED-pære E27 9 W varmhvit", "stk", "ELEKTRO", 29.00, 90, 140, 50, 400,
     "Nidaros Elektro AS", "NE-88009", ""},
    {"BYGG-SKRUE-5X50", "Treskrue 5x50 mm, 200 stk", "eske", "BYGG", 89.00, 45, 30, 10, 80,
     "Sandnes Byggevarer AS", "SB-5050", ""},
    {"ARB-MONTOR", "Arbeid montør, per time", "time", "ARBEID", 450.00, 40, 0, 0, 0, nullptr, "",
     ""},
};

QString Text(const char* s) { return QString::fromUtf8(s ? s : ""); }
QString Number(double v) { return QString::number(v, 'f', 2); }

class DemoLoader {
  public:
    DemoLoader(Connection& db, AdminIo& io) : db_(db), io_(io) {}

    bool Run() {
        for (const char* table : {"company", "contact", "product"}) {
            const QueryResult r = db_.Query(
                "SELECT COUNT(*) FROM information_schema.TABLES WHERE TABLE_SCHEMA = DATABASE() "
                "AND TABLE_NAME = " +
                db_.Quote(QString::fromLatin1(table)));
            if (!r.ok()) return Fail(r.Error());
            if (r.Scalar() != "1")
                return Fail("tabellen " + QString::fromLatin1(table) +
                            " finnes ikke (kjør varlokken-admin init først)");
        }
        if (!db_.Begin()) return Fail(db_.LastError());
        if (!Companies() || !Contacts() || !DefaultContacts() || !Products()) {
            db_.Rollback();
            return false;
        }
        if (!db_.Commit()) return Fail(db_.LastError());
        return true;
    }

    int added = 0;
    int existed = 0;

  private:
    bool Fail(const QString& error) {
        error_ = error;
        AdminFail(io_, "demo: " + error);
        return false;
    }

    // The id of the first row matching the condition; 0 when none, -1 on failure.
    int FindId(const QString& table, const QString& condition) {
        const QueryResult r =
            db_.Query("SELECT id FROM " + table + " WHERE " + condition + " ORDER BY id LIMIT 1");
        if (!r.ok()) {
            Fail(r.Error());
            return -1;
        }
        return r.IsEmpty() ? 0 : r.Scalar().toInt();
    }

    // Inserts the row unless `condition` finds one; the row's id, -1 on failure.
    int Ensure(const QString& table, const QString& condition, const QMap<QString, QString>& values,
               bool* inserted = nullptr) {
        if (inserted) *inserted = false;
        const int found = FindId(table, condition);
        if (found != 0) {
            if (found > 0) ++existed;
            return found;
        }
        if (inserted) *inserted = true;
        QStringList columns, literals;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            columns << Connection::QuoteIdentifier(it.key());
            literals << db_.Quote(it.value());
        }
        if (!db_.Exec("INSERT INTO " + table + " (" + columns.join(',') + ") VALUES (" +
                      literals.join(',') + ")")) {
            Fail(db_.LastError());
            return -1;
        }
        ++added;
        return static_cast<int>(db_.InsertId());
    }

    QMap<QString, QString> Header() const {
        return {{"created", QDate::currentDate().toString("dd.MM.yyyy")}, {"rwx_all", "0"}};
    }

    bool Companies() {
        for (const DemoCompany& c : kCompanies) {
            QMap<QString, QString> v = Header();
            v.insert({{"companyname", Text(c.name)},
                      {"orgnumber", Text(c.orgnumber)},
                      {"streetaddress", Text(c.street)},
                      {"postaladdress", Text(c.postal)},
                      {"postalcode", Text(c.code)},
                      {"city", Text(c.city)},
                      {"phone", Text(c.phone)},
                      {"email", Text(c.email)},
                      {"homepage", Text(c.homepage)},
                      {"branch", Text(c.branch)},
                      {"customer", QString::number(c.customer)},
                      {"vendor", QString::number(c.vendor)},
                      {"equipvendor", QString::number(c.equipvendor)},
                      {"partner", QString::number(c.partner)},
                      {"blacklisted", QString::number(c.blacklisted)},
                      {"country", "47"},
                      {"tax", "1"}});
            bool inserted = false;
            const int id =
                Ensure("company", "companyname=" + db_.Quote(Text(c.name)), v, &inserted);
            if (id < 0) return false;
            companyIds_.insert(Text(c.name), id);
            if (inserted) newCompanies_.insert(id);
        }
        return true;
    }

    bool Contacts() {
        for (const DemoContact& c : kContacts) {
            const int companyId = c.company ? companyIds_.value(Text(c.company)) : 0;
            const QString sameCompany = c.company
                                            ? "companyid=" + db_.Quote(QString::number(companyId))
                                            : QString("(companyid=0 OR companyid IS NULL)");
            QMap<QString, QString> v = Header();
            v.insert({{"realname", Text(c.name)},
                      {"title", Text(c.title)},
                      {"mobilephone", Text(c.mobile)},
                      {"internalphone", Text(c.work)},
                      {"email", Text(c.email)},
                      {"companyid", QString::number(companyId)},
                      {"activ", "1"}});
            const int id =
                Ensure("contact", "realname=" + db_.Quote(Text(c.name)) + " AND " + sameCompany, v);
            if (id < 0) return false;
            if (newCompanies_.contains(companyId) && !firstContact_.contains(companyId))
                firstContact_.insert(companyId, id);
        }
        return true;
    }

    // A company the demo added gets its first contact as default contact.
    bool DefaultContacts() {
        for (auto it = firstContact_.cbegin(); it != firstContact_.cend(); ++it) {
            if (!db_.Exec(
                    "UPDATE company SET defaultcontact=" + db_.Quote(QString::number(it.value())) +
                    " WHERE id=" + db_.Quote(QString::number(it.key())) +
                    " AND (defaultcontact IS NULL OR defaultcontact=0)"))
                return Fail(db_.LastError());
        }
        return true;
    }

    bool Products() {
        for (const DemoProduct& p : kProducts) {
            const double price = p.cost + p.cost / 100 * p.addpercent;
            QMap<QString, QString> v = Header();
            v.insert({{"productcode", Text(p.code)},
                      {"producttext", Text(p.text)},
                      {"piece", Text(p.piece)},
                      {"productgroup", Text(p.group)},
                      {"cost", Number(p.cost)},
                      {"real_cost", Number(p.cost)},
                      {"addpercent", Number(p.addpercent)},
                      {"price", Number(price)},
                      {"vatcode", "0"},
                      {"instock", Number(p.instock)},
                      {"minstock", Number(p.minstock)},
                      {"maxstock", Number(p.maxstock)},
                      {"vendorid", Text(p.vendorCode)},
                      {"EAN", Text(p.ean)},
                      {"value", "100"},
                      {"lastpriceupdate", QDate::currentDate().toString("yyyy-MM-dd")},
                      {"recalc_id", "0"}});
            if (p.vendor) v.insert("vendor", QString::number(companyIds_.value(Text(p.vendor))));
            if (Ensure("product", "productcode=" + db_.Quote(Text(p.code)), v) < 0) return false;
        }
        return true;
    }

    Connection& db_;
    AdminIo& io_;
    QString error_;
    QMap<QString, int> companyIds_;
    QMap<int, int> firstContact_;
    QSet<int> newCompanies_;
};

}  // namespace

int RunDemo(const AdminOptions& options, AdminIo& io) {
    if (RefuseArguments(options, io)) return kAdminUsage;
    Connection db;
    QString error;
    if (!ConnectAdminDatabase(options, false, db, &error)) return AdminFail(io, error);
    DemoLoader loader(db, io);
    if (!loader.Run()) return kAdminFailed;
    io.out << "Demodata i " << options.database << ": " << loader.added << " rader lagt inn, "
           << loader.existed << " fantes fra før.\n";
    return kAdminOk;
}
