#pragma once
// Shared parts of the benchmarks: where the server is, timing, memory and printing.
#include <QString>

#include <chrono>
#include <cstddef>
#include <functional>

#include "db/Connection.h"

namespace bench {

// Connection to the benchmark schema on the server named by the env file in
// $VARLOKKEN_BENCH_ENV (written by scripts/testdb.sh). Exits with a message on failure.
ConnectParams ServerParams();
bool ConnectOrExit(Connection& connection);

// Seconds taken by work.
double Seconds(const std::function<void()>& work);
// The smallest of `runs` timings.
double BestOf(int runs, const std::function<void()>& work);

// Resident memory of this process, and the peak since the last ResetPeakMemory, in bytes.
std::size_t ResidentBytes();
std::size_t PeakResidentBytes();
void ResetPeakMemory();

// The server's Bytes_sent counter of this session.
unsigned long long BytesSent(Connection& connection);

// Prints "name: figure unit | bare: figure unit | ratio r (target t)".
void Report(const char* name, double ours, double bare, const char* unit, double target);

}  // namespace bench

struct st_mysql;
namespace bench {
// A bare client-library session on the benchmark schema (utf8mb4), for the comparisons.
st_mysql* ConnectBare();
}  // namespace bench
