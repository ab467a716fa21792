#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine with the project's prefix.
# The prefix defaults to ./wineprefix in the current (build) folder.
set -eu
export WINEPREFIX="${WINEPREFIX:-$PWD/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
exec /usr/lib/wine/wine64 "$@"
