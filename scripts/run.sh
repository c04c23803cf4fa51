#!/usr/bin/env bash
# Builds the program and starts it. Arguments are passed to the program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build" Release -DVARLOKKEN_TESTS=OFF -DVARLOKKEN_BENCH=OFF
exec "$here/build/src/app/varlokken" "$@"
