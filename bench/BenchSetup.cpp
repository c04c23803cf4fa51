// Fills the benchmark schema (run once before the benchmarks).
#include <cstdio>

#include "BenchData.h"
#include "BenchSupport.h"

int main() {
    Connection c;
    bench::ConnectOrExit(c);
    const double s = bench::Seconds([&] {
        if (!bench::EnsureBenchData(c)) {
            std::fprintf(stderr, "%s\n", c.LastError().toUtf8().constData());
            std::exit(1);
        }
    });
    std::printf("benchmark data ready (%.1f s)\n", s);
    return 0;
}
