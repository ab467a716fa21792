#!/usr/bin/env bash
# Installs what is missing, builds, and runs Lumivex.exe with the given options (none: the default
# rendering run; Ctrl+C ends it). Without an X display the run gets a virtual one, and the window of a
# rendering run is saved as a PNG file in the build folder every 10 seconds.
#
#   run.sh [--dxvk DIR] [program options]
#
# With --dxvk DIR (or LUMIVEX_DXVK=DIR) the program runs on the DXVK DLLs in DIR instead of Wine's own
# Direct3D; a DIR without them, or a machine without a Vulkan device, gets one line and status 2.
set -euo pipefail
Root=$(cd "$(dirname "$0")/.." && pwd)
Build=${LUMIVEX_BUILD_DIR:-$Root/build}
Dxvk=${LUMIVEX_DXVK:-}
if [ "${1:-}" = "--dxvk" ]; then
    [ $# -ge 2 ] || { echo "run.sh: --dxvk takes the folder of DXVK's x64 d3d11.dll and dxgi.dll" >&2; exit 2; }
    Dxvk=$2
    shift 2
fi
Program=./Lumivex.exe

"$Root/scripts/setup.sh"
if [ -n "$Dxvk" ]; then
    python3 "$Root/scripts/sweep/dxvk.py" check "$Dxvk"
fi
"$Root/scripts/build.sh"
if [ -n "$Dxvk" ]; then
    python3 "$Root/scripts/sweep/dxvk.py" prepare "$Dxvk" "$Build"
    Program=./dxvk/Lumivex.exe
fi

cd "$Build"
export WINEPREFIX="$PWD/wineprefix"
if [ -n "${DISPLAY:-}" ]; then
    exec "$Root/scripts/wine-run.sh" "$Program" "$@"
fi

# A -Syntax (-?) or -EnumerateAdapters (-ea) argument, in any case, with or without ":value", makes
# a run that opens no window, as the program reads its arguments.
Window=yes
for Argument in "$@"; do
    case "${Argument,,}" in
        -syntax | -syntax:* | "-?" | "-?:"* | -enumerateadapters | -enumerateadapters:* | -ea | -ea:*) Window=""; break ;;
    esac
done

source "$Root/scripts/virtual-display.sh"
Screenshot="$PWD/window.png"
Screenshots=""

# Ends the screenshots, then the display.
EndRun()
{
    if [ -n "$Screenshots" ]; then
        kill "$Screenshots" 2> /dev/null || true
        wait "$Screenshots" || true
    fi
    StopVirtualDisplay
}

trap EndRun EXIT
StartVirtualDisplay
if [ -z "$Window" ]; then
    echo "No X display: the run gets the virtual display $DISPLAY"
else
    rm -f "$Screenshot"
    echo "No X display: the run gets the virtual display $DISPLAY; its window, while it shows, is saved every 10 s to $Screenshot"
    "$Root/scripts/window-screenshots.sh" "$Screenshot" &
    Screenshots=$!
fi

# Ctrl+C reaches this script as well as the program, which then stops its run: the script waits for
# it, and a second Ctrl+C does not cut the ending of the display short.
trap : INT
Status=0
"$Root/scripts/wine-run.sh" "$Program" "$@" || Status=$?
exit "$Status"
