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
# waits for its command, then for the processes started on the display that stay behind it (Wine's),
# and only then ends the display.

VirtualDisplayScreen=2560x1440x24
# How long the display waits at most for the processes that were started on it.
VirtualDisplayClientsTimeout=30
VirtualDisplayPid=""
VirtualDisplayLog=""

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
        wait "$VirtualDisplayPid" || true
        VirtualDisplayPid=""
        rm -f "$VirtualDisplayLog"
        exit 1
    fi
    export DISPLAY=":$Number"
}

# Whether a process started on the display still runs: one whose environment names it, as those of
# Wine's server, desktop and services do that a program on the display started; they stay a few
# seconds after the last program. (grep runs without DISPLAY so as not to find itself.)
ProcessesOnVirtualDisplay()
{
    env -u DISPLAY grep -qszx "DISPLAY=$DISPLAY" /proc/[0-9]*/environ
}

# Ends the display once the processes started on it have ended, or after VirtualDisplayClientsTimeout.
StopVirtualDisplay()
{
    [ -n "$VirtualDisplayPid" ] || return 0
    local Deadline=$((SECONDS + VirtualDisplayClientsTimeout))
    while ProcessesOnVirtualDisplay && [ "$SECONDS" -lt "$Deadline" ]; do
        sleep 0.2
    done
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
