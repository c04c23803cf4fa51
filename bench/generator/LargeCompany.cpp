#include "LargeCompany.h"

#include <QDate>
#include <QElapsedTimer>

#include <algorithm>
#include <vector>

#include "BulkInsert.h"
#include "NorwegianWords.h"
#include "data/schema/Schema.h"
#include "db/Connection.h"

using words::Random;

namespace {

QByteArray B(const char* s) { return QByteArray(s); }

QByteArray PersonName(Random& r) {
    return B(r.Pick(words::kFirstNames, words::kFirstNameCount)) + ' ' +
           B(r.Pick(words::kSurnames, words::kSurnameCount));
}

QByteArray Digits(Random& r, int n) {
    QByteArray s;
    for (int i = 0; i < n; ++i) s += char('0' + r.Below(10));
    return s;
}

QByteArray DateText(const QDate& d) { return d.toString("yyyy-MM-dd").toLatin1(); }

// Document amounts summed from their lines while the lines are made.
struct Totals {
    std::vector<double> sum, cost;
    explicit Totals(int n) : sum(n + 1, 0.0), cost(n + 1, 0.0) {}
};

class Generator {
public:
    Generator(Connection& db, const CompanySize& size,
              const std::function<void(const QString&)>& progress)
        : db_(db), n_(size), progress_(progress), orders_(size.orders), invoices_(size.invoices),
          offers_(size.offers), pos_(size.pos) {}

    bool Run(QString* error) {
        if (!Step("users", [this](BulkInsert& b) { Users(b); }, "users",
                  "activ,username,realname,initials,email,defaultgroup,parameter,department,"
                  "mobilephone,rwx_all,`user`,usergroup") ||
            !Step("groups", [this](BulkInsert& b) { Groups(b); }, "groups",
                  "group_id,group_name,group_members,rwx_all") ||
            !Step("firmaer", [this](BulkInsert& b) { Companies(b); }, "company",
                  "orgnumber,companyname,email,streetaddress,postaladdress,postalcode,city,"
                  "country,phone,customer,vendor,custno,persons,rwx_all,`user`,usergroup") ||
            !Step("kontakter", [this](BulkInsert& b) { Contacts(b); }, "contact",
                  "activ,realname,email,mobilephone,companyid,title,initials,rwx_all,`user`,"
                  "usergroup") ||
            !Step("varer", [this](BulkInsert& b) { Products(b); }, "product",
                  "productcode,EAN,producttext,piece,productgroup,cost,price,vatcode,freight,"
                  "addpercent,instock,insale,inorder,vendorid,maxstock,minstock,sale,web,"
                  "location") ||
            !Step("varelinjer", [this](BulkInsert& b) { Items(b); }, "items",
                  "orderid,invoiceid,offerid,poid,customerid,vendorid,original_productid,"
                  "productcode,producttext,price,itemcount,itemdelivered,discount,sum,cost,"
                  "sumcost,VATcode,piece,date,usertag,rwx_all,`user`,usergroup") ||
            !Documents("ordrer", "orders", orders_, n_.orders, 0) ||
            !Documents("faktura", "invoice", invoices_, n_.invoices, 1) ||
            !Documents("tilbud", "offer", offers_, n_.offers, 2) ||
            !Documents("innkjøp", "po", pos_, n_.pos, 3) ||
            !Step("kalender", [this](BulkInsert& b) { Calendar(b); }, "calendar",
                  "created,user_created,time_from,time_to,subject,location,userid,hours,status,"
                  "event_type,persons,rwx_all,`user`,usergroup")) {
            *error = error_;
            return false;
        }
        return true;
    }

private:
    template <typename Fill>
    bool Step(const char* caption, Fill fill, const QString& table, const QString& columns) {
        QElapsedTimer t;
        t.start();
        BulkInsert b(db_, table, columns);
        if (!db_.Begin()) return Fail();
        fill(b);
        if (!b.Finish() || !db_.Commit()) {
            bool failed = Fail();
            db_.Rollback();
            return failed;
        }
        if (progress_)
            progress_(QString("%1: %2 rader (%3 ms)")
                          .arg(QString::fromUtf8(caption))
                          .arg(b.Rows())
                          .arg(t.elapsed()));
        return true;
    }

    bool Fail() {
        error_ = db_.LastError();
        return false;
    }

    void Users(BulkInsert& b) {
        Random r(1);
        for (int i = 1; i <= n_.users; ++i) {
            QByteArray name = i == 1 ? B("Ola Administrator") : PersonName(r);
            QByteArray initials = i == 1 ? B("ADM") : "U" + QByteArray::number(i);
            b.BeginRow();
            b.Int(1);
            b.Text(i == 1 ? B("admin") : "bruker" + QByteArray::number(i));
            b.Text(name);
            b.Text(initials);
            b.Text(initials.toLower() + "@firma.no");
            b.Int(i % 2 + 1);
            b.Text(i == 1 ? AllRights() : B("company=RW;\r\ncontact=RW;\r\norders=RWDI;\r\n"
                                            "product=R;\r\ncalendar=RWDI;\r\ntask=RW;\r\n"));
            b.Text(i % 2 ? B("Service") : B("Salg"));
            b.Text("9" + Digits(r, 7));
            b.Int(0);
            b.Int(1);
            b.Int(1);
        }
    }

    static QByteArray AllRights() {
        static const char* const keys[] = {
            "offer",   "orders",  "po",      "invoice",  "items",    "calendar",    "project",
            "subproject", "document", "news", "asset",   "jobs",     "package",     "product",
            "productview", "accounts", "entries", "groups", "users",  "banner",      "company",
            "contact", "task",    "participant"};
        QByteArray s;
        for (const char* k : keys) s += B(k) + "=RWDIAF;\r\n";
        return s;
    }

    void Groups(BulkInsert& b) {
        static const char* const names[] = {"Service", "Salg", "Ledelse"};
        for (int i = 0; i < 3; ++i) {
            b.BeginRow();
            b.Int(i + 1);
            b.Text(B(names[i]));
            b.Text(B("ADM, U2, U3"));
            b.Int(0);
        }
    }

    void Companies(BulkInsert& b) {
        Random r(2);
        for (int i = 1; i <= n_.companies; ++i) {
            const auto& place = words::kPlaces[r.Below(words::kPlaceCount)];
            QByteArray name = r.Below(3) == 0
                                  ? B(r.Pick(words::kSurnames, words::kSurnameCount)) + ' ' +
                                        B(r.Pick(words::kCompanyWords, words::kCompanyWordCount))
                                  : B(r.Pick(words::kCompanyWords, words::kCompanyWordCount)) +
                                        ' ' + B(r.Pick(words::kPlaces, words::kPlaceCount).city)
                                                  .toLower();
            name += ' ' + B(r.Pick(words::kCompanyForms, words::kCompanyFormCount));
            bool vendor = i % 20 == 0;
            b.BeginRow();
            b.Text("9" + Digits(r, 8));
            b.Text(name);
            b.Text("post@firma" + QByteArray::number(i) + ".no");
            b.Text(B(r.Pick(words::kStreets, words::kStreetCount)) + ' ' +
                   QByteArray::number(r.Between(1, 120)));
            b.Text(B(place.code) + ' ' + place.city);
            b.Text(B(place.code));
            b.Text(B(place.city));
            b.Int(47);
            b.Text(Digits(r, 8));
            b.Int(vendor ? 0 : 1);
            b.Int(vendor ? 1 : 0);
            b.Text(QByteArray::number(10000 + i));
            b.Text(r.Below(4) == 0 ? B("U2, U3") : B(""));
            b.Int(0);
            b.Int(r.Between(1, n_.users));
            b.Int(r.Between(1, 3));
        }
    }

    void Contacts(BulkInsert& b) {
        Random r(3);
        static const char* const titles[] = {"Daglig leder", "Innkjøper", "Prosjektleder",
                                             "Økonomi", "Driftsleder", "Selger"};
        for (int i = 1; i <= n_.contacts; ++i) {
            QByteArray name = PersonName(r);
            b.BeginRow();
            b.Int(1);
            b.Text(name);
            b.Text(name.toLower().replace(' ', '.') + "@firma" +
                   QByteArray::number((i - 1) % n_.companies + 1) + ".no");
            b.Text("9" + Digits(r, 7));
            b.Int((i - 1) % n_.companies + 1);
            b.Text(B(titles[r.Below(6)]));
            const QString n = QString::fromUtf8(name);
            b.Text((n.left(1) + n.mid(n.indexOf(' ') + 1, 1)).toUtf8());
            b.Int(0);
            b.Int(r.Between(1, n_.users));
            b.Int(r.Between(1, 3));
        }
    }

    void Products(BulkInsert& b) {
        Random r(4);
        cost_.assign(n_.products + 1, 0.0);
        price_.assign(n_.products + 1, 0.0);
        text_.assign(n_.products + 1, QByteArray());
        for (int i = 1; i <= n_.products; ++i) {
            double cost = r.Between(50, 500000) / 100.0;
            double add = r.Between(10, 80);
            double price = std::round(cost * (1 + add / 100.0) * 100.0) / 100.0;
            QByteArray text = B(r.Pick(words::kProductWords, words::kProductWordCount)) + ' ' +
                              B(r.Pick(words::kProductMaterials, words::kProductMaterialCount));
            cost_[i] = cost;
            price_[i] = price;
            text_[i] = text;
            int stock = r.Between(-5, 400);
            b.BeginRow();
            b.Text(ProductCode(i));
            b.Text("70" + Digits(r, 11));
            b.Text(text);
            b.Text(r.Below(5) == 0 ? B("m") : B("stk"));
            b.Text(QByteArray::number(r.Between(10, 99)));
            b.Num(cost);
            b.Num(price);
            b.Int(0);
            b.Num(0);
            b.Num(add);
            b.Int(stock);
            b.Int(r.Between(0, 20));
            b.Int(r.Between(0, 20));
            b.Int(20 * (r.Between(1, n_.companies / 20 + 1)));
            b.Int(stock + r.Between(50, 500));
            b.Int(r.Between(0, 20));
            b.Int(r.Below(10) != 0);
            b.Int(r.Below(3) == 0);
            b.Text("Hylle " + QByteArray::number(r.Between(1, 60)));
        }
    }

    static QByteArray ProductCode(int i) {
        return QByteArray::number(100000 + i);
    }

    // Lines: 60 % on orders, 20 % on invoices, 15 % on offers, 5 % on purchase orders.
    void Items(BulkInsert& b) {
        Random r(5);
        QDate start(2024, 1, 1);
        for (int i = 0; i < n_.items; ++i) {
            int bucket = i % 20;
            int kind = bucket < 12 ? 0 : bucket < 16 ? 1 : bucket < 19 ? 2 : 3;
            int docCount = kind == 0 ? n_.orders : kind == 1 ? n_.invoices : kind == 2 ? n_.offers
                                                                                     : n_.pos;
            int doc = r.Between(1, docCount);
            int product = r.Between(1, n_.products);
            double count = r.Between(1, 40);
            double discount = r.Below(5) == 0 ? 10 : 0;
            double price = kind == 3 ? cost_[product] : price_[product];
            double sum = std::round(price * count * (100 - discount)) / 100.0;
            double sumcost = std::round(cost_[product] * count * 100.0) / 100.0;
            Totals& t = kind == 0 ? orders_ : kind == 1 ? invoices_ : kind == 2 ? offers_ : pos_;
            t.sum[doc] += sum;
            t.cost[doc] += sumcost;
            b.BeginRow();
            for (int k = 0; k < 4; ++k) {
                if (k == kind) b.Int(doc);
                else b.Raw("0");
            }
            b.Int(kind == 3 ? 0 : (doc - 1) % n_.companies + 1);
            b.Int(kind == 3 ? 20 : 0);
            b.Int(product);
            b.Text(ProductCode(product));
            b.Text(text_[product]);
            b.Num(price);
            b.Num(count, 0);
            b.Num(kind == 0 && r.Below(2) ? count : 0, 0);
            b.Num(discount, 0);
            b.Num(sum);
            b.Num(cost_[product]);
            b.Num(sumcost);
            b.Int(0);
            b.Text(B("stk"));
            b.Text(DateText(start.addDays(r.Below(1000))) + " 12:00:00");
            b.Int(kind == 0 ? 1 : kind == 1 ? 2 : kind == 2 ? 3 : 4);
            b.Int(0);
            b.Int(r.Between(1, n_.users));
            b.Int(r.Between(1, 3));
        }
    }

    bool Documents(const char* caption, const QString& table, const Totals& t, int count,
                   int kind) {
        static const char* const statuses[4][4] = {
            {"Ikke startet", "Startet", "Ferdig", "Faktura"},
            {"Ikke godkjent", "Fakturert", "Betalt", "Betalt"},
            {"Ikke utsendt", "Utsendt", "Akseptert", "Avslått"},
            {"Ikke bestilt", "Bestilt", "Alt mottatt", "Betalt"}};
        QString columns =
            "regnumber,companyid,userid,subject,ordertotal,ordercost,orderVAT,sum,profit,"
            "orderdate,deliverydate,status,currency,vatcode,rwx_all,`user`,usergroup";
        if (kind == 1) columns += ",paymentdate";
        return Step(caption, [&](BulkInsert& b) {
            Random r(10 + kind);
            QDate start(2024, 1, 1);
            for (int i = 1; i <= count; ++i) {
                QDate date = start.addDays(i * 1000 / std::max(count, 1));
                double total = std::round(t.sum[i] * 100.0) / 100.0;
                double cost = std::round(t.cost[i] * 100.0) / 100.0;
                b.BeginRow();
                b.Int(kind == 0 ? 200000 + i : kind == 1 ? 300000 + i : kind == 2 ? 400000 + i
                                                                              : 500000 + i);
                b.Int(kind == 3 ? 20 * r.Between(1, n_.companies / 20 + 1)
                                : (i - 1) % n_.companies + 1);
                b.Int(r.Between(1, n_.users));
                b.Text(B(r.Pick(words::kSubjects, words::kSubjectCount)));
                b.Num(total);
                b.Num(cost);
                b.Num(std::round(total * 25.0) / 100.0);
                b.Num(std::round(total * 125.0) / 100.0);
                b.Num(total - cost);
                b.Text(DateText(date));
                b.Text(DateText(date.addDays(14)));
                b.Text(B(statuses[kind][r.Below(4)]));
                b.Text(B("NOK"));
                b.Int(0);
                b.Int(0);
                b.Int(r.Between(1, n_.users));
                b.Int(r.Between(1, 3));
                if (kind == 1) b.Text(DateText(date.addDays(14)));
            }
        }, table, columns);
    }

    void Calendar(BulkInsert& b) {
        Random r(6);
        QDate start(2024, 1, 1);
        for (int i = 1; i <= n_.calendar; ++i) {
            QDate d = start.addDays(r.Below(1000));
            int from = r.Between(7, 15);
            int hours = r.Between(1, 4);
            int user = r.Between(1, n_.users);
            b.BeginRow();
            b.Text(d.toString("dd.MM.yyyy").toLatin1());
            b.Int(user);
            b.Text(DateText(d) + ' ' + QByteArray::number(from).rightJustified(2, '0') + ":00:00");
            b.Text(DateText(d) + ' ' + QByteArray::number(from + hours).rightJustified(2, '0') +
                   ":00:00");
            b.Text(B(r.Pick(words::kSubjects, words::kSubjectCount)));
            b.Text(B(r.Pick(words::kPlaces, words::kPlaceCount).city));
            b.Int(user);
            b.Num(hours, 1);
            b.Int(r.Below(3) == 0 ? 20 : 0);
            b.Int(r.Below(4));
            b.Text(user == 1 ? B("ADM") : "U" + QByteArray::number(user));
            b.Int(0);
            b.Int(user);
            b.Int(r.Between(1, 3));
        }
    }

    Connection& db_;
    CompanySize n_;
    std::function<void(const QString&)> progress_;
    Totals orders_, invoices_, offers_, pos_;
    std::vector<double> cost_, price_;
    std::vector<QByteArray> text_;
    QString error_;
};

}  // namespace

CompanySize CompanySize::Scaled(double factor) const {
    auto s = [factor](int n) { return std::max(1, static_cast<int>(n * factor)); };
    CompanySize c;
    c.users = users;
    c.companies = s(companies);
    c.contacts = s(contacts);
    c.products = s(products);
    c.orders = s(orders);
    c.invoices = s(invoices);
    c.pos = s(pos);
    c.offers = s(offers);
    c.items = s(items);
    c.calendar = s(calendar);
    return c;
}

bool GenerateCompany(Connection& db, const CompanySize& size,
                     const std::function<void(const QString&)>& progress, QString* error) {
    schema::SchemaReport created = schema::CreateSchema(db);
    if (!created.ok) {
        *error = created.error;
        return false;
    }
    QueryResult existing = db.Query("SELECT COUNT(*) FROM product");
    if (!existing.ok() || existing.Scalar() != "0") {
        *error = existing.ok() ? QString("Databasen har allerede varer; velg en tom database.")
                               : existing.Error();
        return false;
    }
    // Bulk loading: the server need not check uniqueness row by row.
    db.Exec("SET SESSION unique_checks=0");
    Generator g(db, size, progress);
    bool ok = g.Run(error);
    db.Exec("SET SESSION unique_checks=1");
    return ok;
}
