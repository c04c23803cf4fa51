// From "Logg på" to the main window shown, on the large company: the connect sequence as
// the administrator (no users row, so every table opens), then the main window's show
// sequence, offscreen. Against the bare client library reading the rows the log-on read
// (each dataset's opening statement, the lookups and the user's row). Resident memory after
// the log-on.
#include <mysql.h>

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "BenchData.h"
#include "BenchSupport.h"
#include "SilentPrompter.h"
#include "app/frame/AppContext.h"
#include "app/logon/ConnectSequence.h"
#include "app/ui/MainWindow.h"
#include "data/Catalogue.h"
#include "data/DataModule.h"

namespace {

// The request "Logg på" makes for the benchmark server.
LogonRequest RequestFor(const ConnectParams& p) {
    LogonRequest r;
    r.userName = p.user;
    r.password = p.password;
    r.database = p.database;
    r.serverName = !p.socket.isEmpty() ? p.socket : QStringLiteral("%1:%2").arg(p.server).arg(p.port ? p.port : 3306);
    return r;
}

// What the log-on read: every open dataset's opening statement and the user's row.
std::vector<QString> ReadStatements(DataModule& dm, const QString& user) {
    std::vector<QString> sql;
    sql.push_back(QStringLiteral("SELECT * FROM users WHERE username=") + dm.connection().Quote(user));
    for (Lookup which : LookupLogonOrder()) sql.push_back(dm.LookupQuery(which).OpenSql());
    const auto& entries = CatalogueEntries();
    for (int i = 0; i < kCatalogueUnknown; ++i) {
        Dataset* d = dm.DatasetByKey(entries[static_cast<std::size_t>(i)].key);
        if (d && d->IsActive()) sql.push_back(d->OpenSql());
    }
    return sql;
}

long long Bare(MYSQL* m, const std::vector<QString>& statements) {
    long long sink = 0;
    for (const QString& s : statements) {
        const QByteArray sql = s.toUtf8();
        if (mysql_real_query(m, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) {
            std::fprintf(stderr, "bare: %s: %s\n", sql.constData(), mysql_error(m));
            continue;
        }
        MYSQL_RES* res = mysql_use_result(m);
        if (!res) continue;
        const unsigned n = mysql_num_fields(res);
        while (MYSQL_ROW row = mysql_fetch_row(res)) {
            const unsigned long* lengths = mysql_fetch_lengths(res);
            for (unsigned i = 0; i < n; ++i) sink += row[i] ? static_cast<long long>(lengths[i] & 1) : 0;
            ++sink;
        }
        mysql_free_result(res);
    }
    return sink;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    {
        Connection probe;
        bench::ConnectOrExit(probe);
        if (!bench::EnsureBenchData(probe)) return 1;
    }
    const ConnectParams params = bench::ServerParams();
    MYSQL* bare = bench::ConnectBare();
    AppContext ctx(std::make_unique<SilentPrompter>());

    const std::size_t rssStart = bench::ResidentBytes();
    std::size_t rssAfter = 0;
    double best = 1e300;
    double bestConnect = 1e300;
    std::vector<QString> statements;
    for (int run = 0; run < 3; ++run) {
        ctx.logon() = LogonValues{};
        MainWindow window;
        auto dm = std::make_unique<DataModule>();
        ConnectSequence sequence(*dm);
        double connectSeconds = 0;
        const double s = bench::Seconds([&] {
            connectSeconds = bench::Seconds([&] {
                if (!sequence.Connect(RequestFor(params))) std::exit(1);
            });
            window.show();
            window.RunShowSequence();
            QCoreApplication::processEvents();
        });
        if (run == 0) {
            rssAfter = bench::ResidentBytes();
            statements = ReadStatements(*dm, params.user);
        }
        best = std::min(best, s);
        bestConnect = std::min(bestConnect, connectSeconds);
        std::printf("  run %d: %.3f s (connect sequence %.3f s)\n", run + 1, s, connectSeconds);
        window.close();
    }
    long long sink = 0;
    const double bareSeconds = bench::BestOf(3, [&] { sink += Bare(bare, statements); });
    std::printf("statements the log-on reads: %zu\n", statements.size());
    std::printf("resident memory after log-on %.1f MB (%.1f MB before; target <= 400 MB)%s\n", rssAfter / 1e6,
                rssStart / 1e6, rssAfter <= 400u * 1000 * 1000 ? "" : "  ** OVER **");
    std::printf("%-44s %10.3f s   (target <= 1.50 s)%s\n", "\"Logg på\" to main window (best of 3)", best,
                best <= 1.5 ? "" : "  ** OVER **");
    std::printf("%-44s %10.3f s\n", "  of which the connect sequence", bestConnect);
    bench::Report("log-on to main window vs the same rows bare", best, bareSeconds, "s", 2.0);
    mysql_close(bare);
    return sink == -1;
}
