#!/usr/bin/env bash
# Installs what is missing, builds, and runs Lumivex.exe with the given options (none: the default
# rendering run; Ctrl+C ends it). Without an X display the run gets a virtual one, and the window of a
# rendering run is saved as a PNG file in the build folder every 10 seconds.
set -euo pipefail
Root=$(cd "$(dirname "$0")/.." && pwd)
Build=${LUMIVEX_BUILD_DIR:-$Root/build}

"$Root/scripts/setup.sh"
"$Root/scripts/build.sh"

cd "$Build"
export WINEPREFIX="$PWD/wineprefix"
if [ -n "${DISPLAY:-}" ]; then
    exec "$Root/scripts/wine-run.sh" ./Lumivex.exe "$@"
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
"$Root/scripts/wine-run.sh" ./Lumivex.exe "$@" || Status=$?
exit "$Status"
