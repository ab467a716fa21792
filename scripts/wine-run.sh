#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine with the project's prefix.
# The prefix defaults to ./wineprefix in the current (build) folder.
#
# A program whose folder holds d3d11.dll and dxgi.dll runs on those DLLs, as on Windows, instead of
# Wine's own Direct3D: the build's DXVK folder (python3 -m sweep.dxvk prepares it) holds copies of the
# programs beside DXVK's DLLs, so only its programs get the override; the prefix is shared and unchanged.
# Mesa's Vulkan on X asks for a private runtime folder; DXVK's own log stays off the console unless
# DXVK_LOG_LEVEL asks for it, and its pipeline cache goes beside the DLLs whatever the current folder.
set -eu
export WINEPREFIX="${WINEPREFIX:-$PWD/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
Overrides="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
Folder=$(dirname -- "${1:-.}")
if [ -f "$Folder/d3d11.dll" ] && [ -f "$Folder/dxgi.dll" ]; then
    Overrides="d3d11,dxgi=n,b;$Overrides"
    export DXVK_LOG_LEVEL="${DXVK_LOG_LEVEL:-none}"
    export DXVK_STATE_CACHE_PATH="${DXVK_STATE_CACHE_PATH:-$(cd "$Folder" && pwd)}"
    if [ ! -d "${XDG_RUNTIME_DIR:-}" ]; then
        export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/lumivex-runtime-$(id -u)"
        mkdir -p -m 700 "$XDG_RUNTIME_DIR"
    fi
fi
export WINEDLLOVERRIDES="$Overrides"
exec /usr/lib/wine/wine64 "$@"
