// The data module's opening at log-on on the large company: the user's row, the ten lookups
// and every dataset in the log-on order, as the administrator (every table opens). Against
// the bare client library reading the same rows: the first page of each table, every row of
// each query.
#include <mysql.h>

#include <QDate>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "BenchData.h"
#include "BenchSupport.h"
#include "SilentPrompter.h"
#include "app/frame/AppContext.h"
#include "data/DataModule.h"

namespace {

// Answers nothing and shows nothing: the opening must not ask.
struct Opened {
    QString name;
    QString sql;  // what the dataset read on opening
    Dataset* dataset = nullptr;
    int rows = 0;
    double seconds = 0;
};

// The log-on's reading of the user: the first user of the company here.
void ReadUser(DataModule& dm) {
    LogonValues& logon = Ctx().logon();
    Table& users = dm.UsersTable();
    const QString name = dm.connection().Query("SELECT username FROM users ORDER BY id LIMIT 1").Scalar();
    users.Close();
    users.SetFilterSql(QStringLiteral("username=") + dm.connection().Quote(name));
    if (users.Open() && !users.IsEmpty()) {
        logon.CurrentUserId = static_cast<int>(users.AsInteger("id"));
        logon.CurrentGroupId = static_cast<int>(users.AsInteger("defaultgroup"));
        logon.CurrentInitials = users.AsString("initials");
        logon.CurrentUserName = users.AsString("username");
    }
    users.Close();
    users.SetFilterSql(QStringLiteral("defaultgroup=") + QString::number(logon.CurrentGroupId));
}

// Opens what the log-on opens, in its order; `opened` gets each dataset's statement.
void OpenAll(DataModule& dm, std::vector<Opened>& opened) {
    auto note = [&](const QString& name, Dataset& d, const std::function<void()>& open) {
        Opened o;
        o.name = name;
        o.seconds = bench::Seconds(open);
        o.sql = d.OpenSql();
        o.dataset = &d;
        opened.push_back(o);
    };
    for (Lookup which : LookupLogonOrder()) {
        Query& q = dm.LookupQuery(which);
        note(QStringLiteral("lookup ") + LookupTableKey(which), q, [&] { q.IsActive() ? q.Refresh() : q.Open(); });
    }
    auto table = [&](Table& t) { note(t.TableName(), t, [&] { dm.PrepareTable(t); }); };
    auto query = [&](Query& q, const char* key) {
        note(QStringLiteral("query ") + QLatin1String(key), q, [&] { dm.PrepareQuery(q, QLatin1String(key)); });
    };
    table(dm.UsersTable());
    table(dm.GroupsTable());
    table(dm.CompanyTable());
    query(dm.ContactQuery(), "contact");
    table(dm.CalendarTable());
    dm.ApplyLastProductTable();
    table(dm.ProductTable());
    table(dm.ProductGroupTable());
    table(dm.PackageTable());
    table(dm.ProjectTable());
    table(dm.SubProjectTable());
    table(dm.NewsTable());
    query(dm.DocumentQuery(), "document");
    table(dm.AssetTable());
    table(dm.BannerTable());
    query(dm.JobsQuery(), "jobs");
    query(dm.ItemsQuery(), "items");
    table(dm.OrderTable());
    table(dm.AccountTable());
    dm.EntriesTable().SetFilterSql(DataModule::EntriesYearFilter(QDate::currentDate().year()));
    table(dm.EntriesTable());
    table(dm.POTable());
    table(dm.OfferTable());
    table(dm.InvoiceTable());
    // The queries still being read are read to their end by the next use of the connection.
    dm.connection().Exec(QStringLiteral("DO 0"));
    for (Opened& o : opened) o.rows = o.dataset->FetchedCount();
}

// The bare client library reading every row of each statement.
long long Bare(MYSQL* m, const std::vector<Opened>& opened) {
    long long rows = 0;
    for (const Opened& o : opened) {
        const QByteArray sql = o.sql.toUtf8();
        if (mysql_real_query(m, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) {
            std::fprintf(stderr, "bare: %s: %s\n", sql.constData(), mysql_error(m));
            continue;
        }
        MYSQL_RES* res = mysql_use_result(m);
        if (!res) continue;
        const unsigned n = mysql_num_fields(res);
        while (MYSQL_ROW row = mysql_fetch_row(res)) {
            const unsigned long* lengths = mysql_fetch_lengths(res);
            for (unsigned i = 0; i < n; ++i) rows += row[i] ? static_cast<long long>(lengths[i] & 1) : 0;
            ++rows;
        }
        mysql_free_result(res);
    }
    return rows;
}

}  // namespace

int main() {
    {
        Connection probe;
        bench::ConnectOrExit(probe);
        if (!bench::EnsureBenchData(probe)) return 1;
    }
    const ConnectParams params = bench::ServerParams();
    MYSQL* bare = bench::ConnectBare();

    AppContext ctx(std::make_unique<SilentPrompter>());
    ctx.logon().AdminMode = true;  // every table opens
    ctx.logon().ConnectState = 1;
    ctx.logon().LogonInProgress = true;

    const std::size_t rssStart = bench::ResidentBytes();
    double best = 1e300;
    double first = 0;
    std::size_t rssAfter = 0;
    std::vector<Opened> opened;
    for (int run = 0; run < 3; ++run) {
        auto dm = std::make_unique<DataModule>();
        if (!dm->connection().Connect(params)) {
            std::fprintf(stderr, "%s\n", dm->connection().LastError().toUtf8().constData());
            return 1;
        }
        std::vector<Opened> these;
        const double s = bench::Seconds([&] {
            ReadUser(*dm);
            OpenAll(*dm, these);
        });
        if (run == 0) {
            first = s;
            rssAfter = bench::ResidentBytes();
            opened = these;
        }
        best = std::min(best, s);
        std::printf("  run %d: %.3f s\n", run + 1, s);
    }
    std::printf("%-24s %8s %9s\n", "dataset (first run)", "rows", "ms");
    for (const Opened& o : opened)
        std::printf("%-24s %8d %9.1f\n", o.name.toUtf8().constData(), o.rows, o.seconds * 1e3);

    long long sink = 0;
    const double bareSeconds = bench::BestOf(3, [&] { sink += Bare(bare, opened); });
    std::printf("first run %.3f s; resident memory after opening %.1f MB (%.1f MB at start; target <= 400 MB)%s\n",
                first, rssAfter / 1e6, rssStart / 1e6, rssAfter <= 400u * 1000 * 1000 ? "" : "  ** OVER **");
    std::printf("%-44s %10.3f s   (target <= 1.50 s)%s\n", "log-on opening (best of 3)", best,
                best <= 1.5 ? "" : "  ** OVER **");
    bench::Report("log-on opening vs the same rows bare", best, bareSeconds, "s", 2.0);
    mysql_close(bare);
    return sink == -1;
}
