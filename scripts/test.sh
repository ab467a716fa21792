#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (units and end-to-end) on a virtual display.
set -euo pipefail
Root=$(cd "$(dirname "$0")/.." && pwd)
Build=${LUMIVEX_BUILD_DIR:-$Root/build}

"$Root/scripts/setup.sh"
"$Root/scripts/build.sh"

xvfb-run -a -s "-screen 0 2560x1440x24" "$Root/scripts/run-tests.sh" "$Build"
