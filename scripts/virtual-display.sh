#!/usr/bin/env bash
# A virtual X display (Xvfb) for the scripts that run the program where there is no X display.
#
#   scripts/virtual-display.sh COMMAND [ARGUMENTS...]
#
# runs COMMAND on a new virtual display, ends the display after it, and exits with COMMAND's status.
# Sourced, this file gives StartVirtualDisplay and StopVirtualDisplay to a script that does more
# beside its command.
#
# The display runs in a session of its own. A terminal's Ctrl+C signals its whole foreground process
# group, the script included: a display in that group would die while the program, which Wine hands
# the signal as CTRL_C_EVENT, still ends its run on it ("X connection to :N broken"). So the script
# waits for its command, then for the Wine processes that stay behind it, and only then ends the display.

VirtualDisplayScreen=2560x1440x24
WineServer=/usr/lib/wine/wineserver64
VirtualDisplayPid=""
VirtualDisplayLog=""
VirtualDisplayWineServer=""

# Starts Xvfb on the first free display number and exports DISPLAY; ends the script when Xvfb fails.
StartVirtualDisplay()
{
    VirtualDisplayLog=$(mktemp)
    local Number="" Fd
    # Xvfb writes its display number to the given descriptor once it takes connections.
    exec {Fd}< <(exec setsid Xvfb -displayfd 3 -screen 0 "$VirtualDisplayScreen" -nolisten tcp \
        3>&1 > /dev/null 2> "$VirtualDisplayLog")
    VirtualDisplayPid=$!
    read -r Number <&"$Fd" || true
    exec {Fd}<&-
    if [ -z "$Number" ]; then
        echo "The virtual display (Xvfb) did not start:" >&2
        cat "$VirtualDisplayLog" >&2
        StopVirtualDisplay
        exit 1
    fi
    export DISPLAY=":$Number"
    # A Wine server of $WINEPREFIX that starts from here on serves this display only (signal 0 asks
    # whether one runs already).
    if [ -n "${WINEPREFIX:-}" ] && ! "$WineServer" -k0 2> /dev/null; then
        VirtualDisplayWineServer=$WINEPREFIX
    fi
}

# Waits for the Wine server that started on the display, if any (Wine's desktop and services stay a
# few seconds after the last program), then ends the display.
StopVirtualDisplay()
{
    [ -n "$VirtualDisplayPid" ] || return 0
    if [ -n "$VirtualDisplayWineServer" ]; then
        WINEPREFIX=$VirtualDisplayWineServer "$WineServer" -w || true
    fi
    kill "$VirtualDisplayPid" 2> /dev/null || true
    wait "$VirtualDisplayPid" 2> /dev/null || true
    VirtualDisplayPid=""
    rm -f "$VirtualDisplayLog"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    [ $# -gt 0 ] || { echo "usage: virtual-display.sh COMMAND [ARGUMENTS...]" >&2; exit 2; }
    StartVirtualDisplay
    trap StopVirtualDisplay EXIT
    # Ctrl+C reaches this script as well as COMMAND: the script waits for COMMAND to end, and a
    # second Ctrl+C does not cut the ending of the display short.
    trap : INT
    Status=0
    "$@" || Status=$?
    exit "$Status"
fi
