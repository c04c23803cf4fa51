// The product register's bulk recalculations on the large company (200 000 products):
// RecalculateProductPrices against its two bare UPDATE statements sent with the bare client
// library, and "Rekalkuler alle varer med kroneavrunding" over the whole register (target
// <= 20 s) against its statements sent bare. Before every timed run the prices are spoilt,
// so that each run rewrites every row.
#include <mysql.h>

#include <cstdio>
#include <memory>

#include "BenchData.h"
#include "BenchSupport.h"
#include "SilentPrompter.h"
#include "app/frame/AppContext.h"
#include "data/DataModule.h"
#include "products/ProductBulk.h"
#include "products/ProductRules.h"

namespace {

void Run(MYSQL* m, const QString& sql) {
    const QByteArray text = sql.toUtf8();
    if (mysql_real_query(m, text.constData(), static_cast<unsigned long>(text.size())) != 0)
        std::fprintf(stderr, "bare: %s\n", mysql_error(m));
}

void Spoil(MYSQL* m) {
    Run(m,
        QStringLiteral("UPDATE product SET real_cost=-1, price=-1, lastpriceupdate='2001-01-01'"));
}

}  // namespace

int main() {
    AppContext ctx(std::make_unique<SilentPrompter>());
    DataModule dm;
    if (!bench::ConnectOrExit(dm.connection()) || !bench::EnsureBenchData(dm.connection()))
        return 1;
    ProductRules rules(dm);
    ctx.logon().AdminMode = true;
    ctx.logon().ConnectState = 1;
    ctx.logon().CurrentUserId = 1;
    ctx.logon().CurrentGroupId = 1;
    Table& products = dm.ProductTable();
    products.SetFilterSql(QString());
    if (!dm.OpenTableWithRights(products, false, false)) return 1;
    std::printf("products: %d\n", products.ServerRecordCount());
    MYSQL* bare = bench::ConnectBare();
    constexpr int kRuns = 3;

    double ours = 1e300, theirs = 1e300;
    for (int run = 0; run < kRuns; ++run) {
        Spoil(bare);
        ours = std::min(ours, bench::Seconds([] { RecalculateProductPrices(); }));
        Spoil(bare);
        theirs = std::min(theirs, bench::Seconds([&] {
                              Run(bare, RecalculateNoMarkupSql());
                              Run(bare, RecalculateMarkupSql());
                          }));
    }
    bench::Report("RecalculateProductPrices", ours, theirs, "s", 1.5);

    for (const bool toFour : {false, true}) {
        ctx.settings().KroneAvrunding = true;
        ctx.settings().Krone4Avrunding = toFour;
        double rounded = 1e300, bareRounded = 1e300;
        int reports = 0;
        for (int run = 0; run < 2; ++run) {
            Spoil(bare);
            rounded = std::min(rounded, bench::Seconds([&] {
                                   RecalculateListWithRounding(
                                       [&](long long, long long, const QString&) { ++reports; });
                               }));
            Spoil(bare);
            bareRounded =
                std::min(bareRounded, bench::Seconds([&] { Run(bare, SaveRulesSql(QString())); }));
        }
        std::printf("  progress reports per run: %d\n", reports / 2);
        bench::Report(toFour ? "Rekalkuler med kroneavrunding (4 kr), 200k"
                             : "Rekalkuler med kroneavrunding, 200k",
                      rounded, bareRounded, "s", 1.5);
        std::printf("  %s: %.2f s (target <= 20 s)%s\n", "whole register", rounded,
                    rounded <= 20 ? "" : "  ** OVER **");
    }
    mysql_close(bare);
    return 0;
}
