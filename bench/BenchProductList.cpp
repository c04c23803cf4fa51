// The list windows on the large company, offscreen: the product list (200 000 products)
// opening until its first rows are painted (target <= 0.3 s), type-ahead key by key in the
// search box (target <= 20 ms per key; the first key of a code and the keys after it
// apart), sorting by a title click until the first rows show (target <= 0.5 s), scrolling
// from top to bottom (every step processed and painted; a step over 100 ms is a stall) and
// the memory after it; the same opening and type-ahead for the company list (20 000) and the
// contact list (40 000). Each figure is the range over a few runs.
//
// The product list is measured twice: the product register's own window (ProductListForm),
// and the list window every register builds on over the data module's product table with
// the product rules installed and the product list's columns.
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "BenchData.h"
#include "BenchSupport.h"
#include "SilentPrompter.h"
#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "db/Query.h"
#include "db/Table.h"
#include "products/ProductRules.h"
#include "products/ui/ProductListForm.h"
#include "ui/ListWindow.h"

namespace {

constexpr int kRuns = 3;
constexpr double kStall = 0.1;

// Lowest and highest of the runs.
struct Range {
    double low = 1e300, high = 0;
    void Add(double s) {
        low = std::min(low, s);
        high = std::max(high, s);
    }
};

void Print(const char* what, const Range& r, double target, const char* unit = "s",
           double scale = 1) {
    std::printf("%-52s %9.3f .. %-9.3f %s (target <= %g %s)%s\n", what, r.low * scale,
                r.high * scale, unit, target * scale, unit, r.high <= target ? "" : "  ** OVER **");
}

// Painted as the screen would: the events processed, the grid drawn.
void Paint(ListWindowBase& list) {
    QCoreApplication::processEvents();
    list.grid()->viewport()->repaint();
}

struct ListSetup {
    const char* name;
    Dataset* dataset;
    std::function<bool()> open;   // opens the dataset as the window would
    std::function<void()> close;  // closes it again for the next run
    std::vector<DatasetColumn> columns;
    std::vector<QString> typed;  // codes or names typed key by key
    // The window itself when it is its own class; else the list window over the columns.
    std::function<std::unique_ptr<ListWindowBase>()> window = nullptr;

    std::unique_ptr<ListWindowBase> Make() const {
        return window ? window() : std::make_unique<ListWindowBase>(name, *dataset, columns);
    }
};

// Constructing the window, opening its rows, showing it until the first rows are painted.
Range OpenAndShow(const ListSetup& s) {
    Range r;
    for (int run = 0; run < kRuns; ++run) {
        s.close();
        QCoreApplication::processEvents();
        std::unique_ptr<ListWindowBase> list;
        r.Add(bench::Seconds([&] {
            list = s.Make();
            if (!s.open()) std::fprintf(stderr, "%s: the rows did not open\n", s.name);
            list->resize(1000, 700);
            list->show();
            QCoreApplication::processEvents();
            list->grid()->grab();
        }));
        list->close();
    }
    return r;
}

// Each text typed key by key into the search box of a freshly opened list; the seconds of
// the first key and of the keys after it, each until the match is painted.
void TypeAhead(const ListSetup& s) {
    Range first, following;
    double worst = 0;
    QString worstKey;
    for (int run = 0; run < kRuns; ++run) {
        for (const QString& text : s.typed) {
            s.close();
            const std::unique_ptr<ListWindowBase> window = s.Make();
            ListWindowBase& list = *window;
            s.open();
            list.resize(1000, 700);
            list.show();
            Paint(list);
            list.searchBox()->setFocus();
            QString keys;
            for (int k = 0; k < text.size(); ++k) {
                const double t = bench::Seconds([&] {
                    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(text[k]));
                    QApplication::sendEvent(list.searchBox(), &press);
                    Paint(list);
                });
                (k == 0 ? first : following).Add(t);
                keys += QStringLiteral(" %1").arg(t * 1000, 0, 'f', 1);
                if (t > worst) {
                    worst = t;
                    worstKey = QStringLiteral("'%1' of '%2' (%3 rows read)")
                                   .arg(text.left(k + 1), text)
                                   .arg(s.dataset->FetchedCount());
                }
            }
            if (run == 0) {
                const QString at = s.dataset->AsString(list.SearchColumn());
                std::printf(
                    "  '%s': %s, at row %d '%s', %d rows read\n", text.toUtf8().constData(),
                    at.startsWith(text, Qt::CaseInsensitive) ? "found" : "no row starts with it",
                    s.dataset->RecNo(), at.toUtf8().constData(), s.dataset->FetchedCount());
                std::printf("    ms per key:%s\n", keys.toUtf8().constData());
            }
            list.close();
        }
    }
    const QString title = QString::fromLatin1(s.name);
    Print((title + ": type-ahead, first key").toUtf8().constData(), first, 0.02, "ms", 1000);
    Print((title + ": type-ahead, following keys").toUtf8().constData(), following, 0.02, "ms",
          1000);
    std::printf("%-52s %9.3f ms  %s\n", (title + ": type-ahead, worst key").toUtf8().constData(),
                worst * 1000, worstKey.toUtf8().constData());
}

// A title click until the first rows show, for each column, twice (ascending, descending).
void Sorting(const ListSetup& s, const std::vector<QString>& fields, Table& table) {
    s.close();
    const std::unique_ptr<ListWindowBase> window = s.Make();
    ListWindowBase& list = *window;
    s.open();
    list.resize(1000, 700);
    list.show();
    Paint(list);
    for (const QString& field : fields) {
        Range clicks[2];
        QString orders[2];
        for (int run = 0; run < kRuns; ++run) {
            for (int click = 0; click < 2; ++click) {
                clicks[click].Add(bench::Seconds([&] {
                    list.model()->RequestSort(list.model()->ColumnOf(field));
                    Paint(list);
                    list.grid()->grab();
                }));
                orders[click] = table.Order();
            }
        }
        for (int click = 0; click < 2; ++click)
            Print((QString::fromLatin1(s.name) + ": sort by title, " + orders[click])
                      .toUtf8()
                      .constData(),
                  clicks[click], 0.5);
    }
}

// Scrolling from the top to the bottom a page of rows at a time, each step processed and
// painted (the grid reads further pages as it reaches the end of the rows read).
void Scrolling(const ListSetup& s) {
    Range total, steps, worst, stalls;
    std::size_t rss = 0;
    for (int run = 0; run < kRuns; ++run) {
        s.close();
        const std::unique_ptr<ListWindowBase> window = s.Make();
        ListWindowBase& list = *window;
        s.open();
        list.resize(1000, 700);
        list.show();
        Paint(list);
        QScrollBar* bar = list.grid()->verticalScrollBar();
        int count = 0, stalled = 0;
        double slowest = 0;
        const double seconds = bench::Seconds([&] {
            while (bar->value() < bar->maximum() || list.model()->canFetchMore(QModelIndex())) {
                const double t = bench::Seconds([&] {
                    bar->setValue(std::min(bar->value() + 10 * bar->pageStep(), bar->maximum()));
                    Paint(list);
                });
                ++count;
                slowest = std::max(slowest, t);
                stalled += t > kStall ? 1 : 0;
            }
        });
        total.Add(seconds);
        steps.Add(count);
        worst.Add(slowest);
        stalls.Add(stalled);
        if (run == 0) {
            rss = bench::ResidentBytes();
            std::printf("  scrolled to row %d of %d\n", s.dataset->RecNo(),
                        s.dataset->FetchedCount());
        }
    }
    const QString title = QString::fromLatin1(s.name);
    Print((title + ": scroll top to bottom, total").toUtf8().constData(), total, 10);
    std::printf("%-52s %9.0f .. %-9.0f (10 pages a step)\n", "  steps", steps.low, steps.high);
    Print("  worst step", worst, kStall);
    std::printf("%-52s %9.0f .. %-9.0f\n", "  steps over 100 ms (stalls)", stalls.low, stalls.high);
    std::printf("%-52s %9.1f MB\n", "resident memory after the scroll", rss / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    AppContext ctx(std::make_unique<SilentPrompter>());
    DataModule dm;
    if (!bench::ConnectOrExit(dm.connection()) || !bench::EnsureBenchData(dm.connection()))
        return 1;
    ProductRules rules(dm);
    ctx.logon().AdminMode = true;
    ctx.logon().ConnectState = 1;
    ctx.logon().CurrentUserId = 1;
    ctx.logon().CurrentGroupId = 1;
    std::printf("resident memory at start %.1f MB\n", bench::ResidentBytes() / 1e6);

    Table& products = dm.ProductTable();
    const ListSetup productList{
        "ProductList (list window over ProductTable)",
        &products,
        [&] {
            products.SetFilterSql(QString());
            products.SetOrder(QStringLiteral("productcode"));
            return dm.OpenTableWithRights(products, false, false);
        },
        [&] { products.Close(); },
        {{"productcode", "Varenr"},
         {"producttext", "Varetekst"},
         {"productgroup", "Gruppe"},
         {"piece", "Enhet"},
         {"price", "Pris", "### ##0.00"},
         {"PriceInclVAT", "Pris m/mva", "### ##0.00"},
         {"instock", "Lager", "### ##0.00"},
         {"vendorid", "Lev. varenr"},
         {"product_companyname", "Leverandør"}},
        // Codes near the start, the middle and the end of the range; no code starts with 9.
        {bench::ProductCode(42), bench::ProductCode(100017), bench::ProductCode(199990),
         QStringLiteral("987")},
    };
    Table& companies = dm.CompanyTable();
    const ListSetup companyList{
        "CompanyListForm",
        &companies,
        [&] {
            companies.SetFilterSql(QString());
            companies.SetOrder(QStringLiteral("companyname"));
            return dm.OpenTableWithRights(companies, false, false);
        },
        [&] { companies.Close(); },
        {{"companyname", "Firmanavn"}, {"city", "Sted"}, {"phone", "Telefon"}, {"email", "E-post"}},
        {QStringLiteral("Aas Bygg"), QStringLiteral("Lie Renhold"),
         QStringLiteral("Ventilasjon horten"), QStringLiteral("Østby Maskin"),
         QStringLiteral("Qxz")},
    };
    Query& contacts = dm.ContactQuery();
    const ListSetup contactList{
        "ContactListForm",
        &contacts,
        [&] { return dm.OpenTableWithRights(contacts, false, false); },
        [&] { contacts.Close(); },
        {{"realname", "Navn"},
         {"companyname", "Firma"},
         {"mobilephone", "Mobil"},
         {"email", "E-post"}},
        {QStringLiteral("Anne Aas"), QStringLiteral("Marit Andersen"), QStringLiteral("Øyvind Aas"),
         QStringLiteral("Qxz")},
    };

    // The product register's own window: it opens (or reads again) its rows when shown.
    ListSetup productForm = productList;
    productForm.name = "ProductListForm";
    productForm.open = [&] {
        products.SetFilterSql(QString());
        products.SetOrder(QStringLiteral("productcode"));
        return true;
    };
    productForm.window = [] { return std::make_unique<ProductListForm>(); };

    for (const ListSetup* s : std::vector<const ListSetup*>{&productForm, &productList}) {
        Print(
            (QString::fromLatin1(s->name) + ": open and show the first rows").toUtf8().constData(),
            OpenAndShow(*s), 0.3);
        TypeAhead(*s);
        Sorting(*s, {"productcode", "producttext", "price"}, products);
        Scrolling(*s);
        std::printf("\n");
    }
    Print("company list: open and show the first rows", OpenAndShow(companyList), 0.3);
    TypeAhead(companyList);
    std::printf("\n");
    Print("contact list: open and show the first rows", OpenAndShow(contactList), 0.3);
    TypeAhead(contactList);
    return 0;
}
