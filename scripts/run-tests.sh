#!/usr/bin/env bash
# Runs CTest in the build folder given as the first argument, on the current X display.
# Wine's background services inherit the output of the program that starts them; starting them once
# here, with their output going nowhere, keeps every test's output pipe closing with its program.
set -euo pipefail
Build=${1:?usage: run-tests.sh BUILD_DIR}
Root=$(cd "$(dirname "$0")/.." && pwd)
Build=$(cd "$Build" && pwd)
cd "$Build"
export WINEPREFIX="$Build/wineprefix"
/usr/lib/wine/wineserver64 -p
trap '/usr/lib/wine/wineserver64 -k || true' EXIT
"$Root/scripts/wine-run.sh" ./Lumivex.exe -EnumerateAdapters > /dev/null 2>&1 < /dev/null || true
ctest --output-on-failure -j"$(nproc)" --timeout 600
