// A Table on `items` (a million rows) opened and walked reading five fields, against
// mysql_use_result reading the same fields; and the memory the open table holds against
// the bytes the server sent for it.
#include <mysql.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "BenchData.h"
#include "BenchSupport.h"
#include "db/Table.h"

namespace {

const QString kSelect = QStringLiteral("SELECT * FROM `items`");

// What each side does with the five values of a row.
enum class Reading { Text, Typed };

long long Bare(MYSQL* m, Reading reading) {
    const QByteArray sql = kSelect.toUtf8();
    if (mysql_real_query(m, sql.constData(), static_cast<unsigned long>(sql.size())) != 0) std::abort();
    MYSQL_RES* res = mysql_use_result(m);
    unsigned columns[5];
    MYSQL_FIELD* fields = mysql_fetch_fields(res);
    for (int k = 0; k < 5; ++k) {
        for (unsigned i = 0; i < mysql_num_fields(res); ++i)
            if (std::strcmp(fields[i].name, bench::kItemColumns[k]) == 0) columns[k] = i;
    }
    long long sink = 0;
    double sum = 0;
    while (MYSQL_ROW row = mysql_fetch_row(res)) {
        const unsigned long* len = mysql_fetch_lengths(res);
        if (reading == Reading::Text) {
            for (unsigned c : columns) sink += QString::fromUtf8(row[c], static_cast<qsizetype>(len[c])).size();
        } else {
            sink += QString::fromUtf8(row[columns[0]], static_cast<qsizetype>(len[columns[0]])).size();
            sink += QString::fromUtf8(row[columns[1]], static_cast<qsizetype>(len[columns[1]])).size();
            sum += row[columns[2]] ? std::strtod(row[columns[2]], nullptr) : 0;
            sum += row[columns[3]] ? std::strtod(row[columns[3]], nullptr) : 0;
            sink += row[columns[4]] ? std::strtoll(row[columns[4]], nullptr, 10) : 0;
        }
    }
    mysql_free_result(res);
    return sink + static_cast<long long>(sum);
}

double openSeconds = 0;

long long Ours(Connection& c, Reading reading) {
    Table t(c, "items");
    openSeconds = bench::Seconds([&] {
        if (!t.Open()) {
            std::fprintf(stderr, "%s\n", t.LastError().toUtf8().constData());
            std::exit(1);
        }
    });
    Field* f[5];
    for (int k = 0; k < 5; ++k) f[k] = t.FieldByName(bench::kItemColumns[k]);
    long long sink = 0;
    double sum = 0;
    for (t.First(); !t.Eof(); t.Next()) {
        if (reading == Reading::Text) {
            for (Field* field : f) sink += field->AsString().size();
        } else {
            sink += f[0]->AsString().size() + f[1]->AsString().size();
            sum += f[2]->AsFloat() + f[3]->AsFloat();
            sink += f[4]->AsInteger();
        }
    }
    return sink + static_cast<long long>(sum);
}

}  // namespace

int main() {
    Connection c;
    bench::ConnectOrExit(c);
    MYSQL* bare = bench::ConnectBare();

    // Memory first, in a fresh process.
    {
        const unsigned long long sentBefore = bench::BytesSent(c);
        bench::ResetPeakMemory();
        const std::size_t rssBefore = bench::ResidentBytes();
        Table t(c, "items");
        if (!t.Open()) return 1;
        t.RecordCount();  // every row read
        const std::size_t peak = bench::PeakResidentBytes() - rssBefore;
        const unsigned long long sent = bench::BytesSent(c) - sentBefore;
        std::printf("items: %d rows, server sent %.1f MB, dataset holds %.1f MB, peak process growth %.1f MB\n",
                    t.RecordCount(), sent / 1e6, t.MemoryBytes() / 1e6, peak / 1e6);
        std::printf("%-44s %10.2f (target <= 2.00)%s\n", "peak memory / bytes sent",
                    static_cast<double>(peak) / static_cast<double>(sent),
                    static_cast<double>(peak) <= 2.0 * static_cast<double>(sent) ? "" : "  ** OVER **");
    }

    for (Reading reading : {Reading::Text, Reading::Typed}) {
        double ours = 1e300;
        double theirs = 1e300;
        double bestBare = 1e300;
        long long a = 0;
        long long b = 0;
        for (int run = 0; run < 5; ++run) {
            theirs = bench::Seconds([&] { b = Bare(bare, reading); });
            bestBare = std::min(bestBare, theirs);
            const double s = bench::Seconds([&] { a = Ours(c, reading); });
            std::printf("  run %d: bare %.3f s, dataset %.3f s (open %.3f s, walk %.3f s)\n", run + 1,
                        theirs, s, openSeconds, s - openSeconds);
            ours = std::min(ours, s);
        }
        if (a != b) std::printf("warning: the two readings differ (%lld, %lld)\n", a, b);
        bench::Report(reading == Reading::Text ? "open + walk items, 5 fields as text"
                                               : "open + walk items, 5 fields typed",
                      ours, bestBare, "s", 1.3);
    }
    mysql_close(bare);
    return 0;
}
