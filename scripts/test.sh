#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (units and end-to-end) on a virtual display.
set -euo pipefail
Root=$(cd "$(dirname "$0")/.." && pwd)
Build=${LUMIVEX_BUILD_DIR:-$Root/build}

"$Root/scripts/setup.sh"
"$Root/scripts/build.sh"

"$Root/scripts/virtual-display.sh" "$Root/scripts/run-tests.sh" "$Build"
