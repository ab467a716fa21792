#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (units and end-to-end) on a virtual display.
# With LUMIVEX_DXVK=DIR, the folder of DXVK's x64 d3d11.dll and dxgi.dll, the end-to-end tests also run
# the program on DXVK; without it, or when DXVK cannot run here, the command says why they did not.
set -euo pipefail
Root=$(cd "$(dirname "$0")/.." && pwd)
Build=${LUMIVEX_BUILD_DIR:-$Root/build}

"$Root/scripts/setup.sh"
"$Root/scripts/build.sh"

NotRun="LUMIVEX_DXVK is not set"
if [ -n "${LUMIVEX_DXVK:-}" ]; then
    NotRun=$(PYTHONPATH="$Root/scripts${PYTHONPATH:+:$PYTHONPATH}" python3 -m sweep.dxvk check "$LUMIVEX_DXVK" 2>&1) && NotRun=""
fi
if [ -n "$NotRun" ]; then
    unset LUMIVEX_DXVK
else
    LUMIVEX_DXVK=$(cd "$LUMIVEX_DXVK" && pwd)
    export LUMIVEX_DXVK
fi

Status=0
"$Root/scripts/virtual-display.sh" "$Root/scripts/run-tests.sh" "$Build" || Status=$?
if [ -n "$NotRun" ]; then
    echo "The tests on DXVK were not run: $NotRun"
fi
exit "$Status"
