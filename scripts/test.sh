#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build-test" Debug -DVARLOKKEN_WERROR=ON -DVARLOKKEN_TESTS=ON
cd "$here/build-test"
export QT_QPA_PLATFORM=offscreen
exec ctest -j "$(nproc)" --output-on-failure --timeout 600 "$@"
