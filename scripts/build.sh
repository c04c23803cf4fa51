#!/usr/bin/env bash
# Configures and builds into the given folder: build.sh <build dir> <build type> [cmake args...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; type=$2; shift 2
cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
