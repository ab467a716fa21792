#!/usr/bin/env bash
# Configures and builds the Windows program and its tests into build/ (or $LUMIVEX_BUILD_DIR).
set -euo pipefail
Root=$(cd "$(dirname "$0")/.." && pwd)
Build=${LUMIVEX_BUILD_DIR:-$Root/build}

cmake -S "$Root" -B "$Build" \
    -DCMAKE_TOOLCHAIN_FILE="$Root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release > "$Build.configure.log" 2>&1 || { cat "$Build.configure.log"; exit 1; }
cmake --build "$Build" -j"$(nproc)"
"$Root/scripts/prepare-wineprefix.sh" "$Build/wineprefix"
