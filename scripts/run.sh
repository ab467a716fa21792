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

# The DXVK folder's check, its preparation and the Ctrl+C of a run on it (the package sweep in scripts/).
DxvkScript()
{
    PYTHONPATH="$Root/scripts${PYTHONPATH:+:$PYTHONPATH}" python3 -m sweep.dxvk "$@"
}

"$Root/scripts/setup.sh"
if [ -n "$Dxvk" ]; then
    DxvkScript check "$Dxvk"
fi
"$Root/scripts/build.sh"
if [ -n "$Dxvk" ]; then
    DxvkScript prepare "$Dxvk" "$Build"
    Program=./dxvk/Lumivex.exe
fi

cd "$Build"
export WINEPREFIX="$PWD/wineprefix"

# Runs the program and gives its status. Ctrl+C reaches this script as well as the program, which then
# stops its run: the script waits for it. On DXVK the program runs in a session of its own, whose
# processes (with -Debug, its debugger copy too) get Ctrl+C from the script, each on its main thread:
# Wine blocks SIGINT there during each call to its server, and a SIGINT to the process then lands on a
# thread that Mesa started without Wine, which ends the run with a segmentation fault.
RunProgram()
{
    if [ -z "$Dxvk" ]; then
        trap : INT
        "$Root/scripts/wine-run.sh" "$Program" "$@"
        return
    fi
    setsid "$Root/scripts/wine-run.sh" "$Program" "$@" < /dev/stdin &
    local Pid=$! Status Interrupted
    trap 'Interrupted=1; DxvkScript interrupt "$Pid" || true' INT
    # A Ctrl+C cuts the wait short (status 130) whether or not the program has stopped by the time the
    # trap is done: the program's own status comes from the next wait.
    while :; do
        Interrupted=0 Status=0
        wait "$Pid" || Status=$?
        [ "$Interrupted" = 1 ] && [ "$Status" -gt 128 ] || break
    done
    return "$Status"
}

if [ -n "${DISPLAY:-}" ]; then
    [ -n "$Dxvk" ] || exec "$Root/scripts/wine-run.sh" "$Program" "$@"
    Status=0
    RunProgram "$@" || Status=$?
    exit "$Status"
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

# A second Ctrl+C does not cut the ending of the display short.
Status=0
RunProgram "$@" || Status=$?
exit "$Status"
