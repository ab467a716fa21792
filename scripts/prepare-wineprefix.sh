#!/usr/bin/env bash
# Creates the Wine prefix given as the first argument, once; later calls find it ready.
set -euo pipefail
Prefix=${1:?usage: prepare-wineprefix.sh PREFIX}
export WINEPREFIX="$Prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$Prefix/system.reg" ]; then
    echo "Creating the Wine prefix $Prefix"
    /usr/lib/wine/wine64 wineboot --init > /dev/null 2>&1
    wineserver -w
fi
