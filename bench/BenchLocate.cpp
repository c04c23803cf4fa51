// Locate on productcode in 200 000 products after opening the table, against asking the
// server for the row with the bare client library.
#include <mysql.h>

#include <cstdio>
#include <random>

#include "BenchData.h"
#include "BenchSupport.h"
#include "db/Table.h"

int main() {
    Connection c;
    bench::ConnectOrExit(c);
    MYSQL* bare = bench::ConnectBare();
    Table t(c, "product");
    t.SetOrder("id");
    const double open = bench::Seconds([&] { t.Open(); });
    std::printf("product: %d rows opened in %.3f s\n", t.RecordCount(), open);

    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(1, bench::kProductCount);
    const int n = 10000;
    std::vector<QString> codes;
    for (int i = 0; i < n; ++i) codes.push_back(bench::ProductCode(pick(random)));

    const double first = bench::Seconds([&] { t.Locate("productcode", codes[0]); });
    const double firstCi = bench::Seconds([&] { t.Locate("productcode", codes[0], true); });
    int found = 0;
    const double ours = bench::Seconds([&] {
        for (const QString& code : codes) found += t.Locate("productcode", code);
    });
    const double oursCi = bench::Seconds([&] {
        for (const QString& code : codes) found += t.Locate("productcode", code.toLower(), true);
    });
    const double theirs = bench::Seconds([&] {
        for (const QString& code : codes) {
            const QByteArray sql = "SELECT * FROM product WHERE productcode = '" + code.toUtf8() + "'";
            mysql_real_query(bare, sql.constData(), static_cast<unsigned long>(sql.size()));
            MYSQL_RES* r = mysql_store_result(bare);
            found += mysql_fetch_row(r) != nullptr;
            mysql_free_result(r);
        }
    });
    if (found != 3 * n) std::printf("warning: found %d of %d\n", found, 3 * n);
    std::printf("first Locate (builds the index): %.1f ms, case-insensitive %.1f ms\n", first * 1e3,
                firstCi * 1e3);
    bench::Report("Locate productcode, per call", ours / n * 1e3, theirs / n * 1e3, "ms", 1.0);
    bench::Report("Locate productcode case-insensitive, per call", oursCi / n * 1e3, theirs / n * 1e3,
                  "ms", 1.0);
    std::printf("(target: Locate <= 1 ms after open; measured %.4f ms%s)\n", ours / n * 1e3,
                ours / n <= 1e-3 ? "" : "  ** OVER **");
    mysql_close(bare);
    return 0;
}
