#!/usr/bin/env bash
# Builds the benchmarks in Release into build-bench/, starts a private MariaDB server,
# fills the benchmark schema when needed, runs every benchmark and stops the server.
#   scripts/bench.sh            all benchmarks
#   scripts/bench.sh locate     only those whose name contains "locate"
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir="$here/build-bench"
filter=${1:-}
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVARLOKKEN_BENCH=ON \
  -DVARLOKKEN_TESTS=OFF >/dev/null
cmake --build "$dir" --target benchmarks

db="$dir/benchdb"
"$here/scripts/testdb.sh" start "$db"
trap '"$here/scripts/testdb.sh" stop "$db"' EXIT
export VARLOKKEN_BENCH_ENV="$db/env"

"$dir/bench/bench_setup"
for b in bench_items_walk bench_locate bench_post bench_open_tables bench_logon bench_products bench_product_list; do
  [[ -z "$filter" || "$b" == *"$filter"* ]] || continue
  echo "== $b"
  "$dir/bench/$b"
done
