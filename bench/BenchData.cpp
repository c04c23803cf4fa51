#include "BenchData.h"

#include <cstdio>

#include "LargeCompany.h"

namespace bench {

QString ProductCode(int n) { return QString::number(100000 + n); }

bool EnsureBenchData(Connection& c) {
    QueryResult r = c.Query("SELECT COUNT(*) FROM items");
    if (r.ok() && r.Scalar().toLongLong() >= kItemCount) return true;
    // A schema left half-filled by an interrupted run starts again from empty.
    QueryResult tables = c.Query("SHOW TABLES");
    for (const auto& row : tables.Rows())
        if (row[0] && !c.Exec("DROP TABLE " + Connection::QuoteIdentifier(*row[0]))) return false;
    std::printf("generating the large company...\n");
    std::fflush(stdout);
    QString error;
    if (!GenerateCompany(c, CompanySize(),
                         [](const QString& s) {
                             std::printf("  %s\n", s.toUtf8().constData());
                             std::fflush(stdout);
                         },
                         &error)) {
        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
        return false;
    }
    return true;
}

}  // namespace bench
