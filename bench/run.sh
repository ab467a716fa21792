#!/usr/bin/env bash
# Installs what is missing, builds, and measures frame rates (bench/benchmark.py) on a virtual
# display, or on $DISPLAY when there is one. Arguments go to benchmark.py.
set -euo pipefail
Root=$(cd "$(dirname "$0")/.." && pwd)
Build=${LUMIVEX_BUILD_DIR:-$Root/build}

"$Root/scripts/setup.sh"
"$Root/scripts/build.sh"

if [ -n "${DISPLAY:-}" ]; then
    exec python3 "$Root/bench/benchmark.py" --build "$Build" "$@"
fi
exec "$Root/scripts/virtual-display.sh" python3 "$Root/bench/benchmark.py" --build "$Build" "$@"
