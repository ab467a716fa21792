#!/usr/bin/env bash
# Installs what is missing, builds, and runs Lumivex.exe with the given options (none: the default
# rendering run; Ctrl+C ends it). Without an X display the run gets a virtual one.
set -euo pipefail
Root=$(cd "$(dirname "$0")/.." && pwd)
Build=${LUMIVEX_BUILD_DIR:-$Root/build}

"$Root/scripts/setup.sh"
"$Root/scripts/build.sh"

export WINEPREFIX="$Build/wineprefix"
cd "$Build"
if [ -n "${DISPLAY:-}" ]; then
    exec "$Root/scripts/wine-run.sh" ./Lumivex.exe "$@"
fi
exec xvfb-run -a -s "-screen 0 2560x1440x24" "$Root/scripts/wine-run.sh" ./Lumivex.exe "$@"
