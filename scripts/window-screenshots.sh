#!/usr/bin/env bash
# Saves the program's window, when it shows, as a PNG file every 10 seconds until ended (SIGTERM):
#
#   scripts/window-screenshots.sh FILE
#
# Each picture is written beside FILE and then renamed over it, so that a reader of FILE always finds
# a whole picture.
set -uo pipefail
File=${1:?usage: window-screenshots.sh FILE}
Partial="$File.partial"
WindowName='^Lumivex$'
Period=10
Pause=""

# Sleeps in the background, so that SIGTERM ends the wait at once.
PauseFor()
{
    sleep "$1" &
    Pause=$!
    wait "$Pause"
}

trap '[ -z "$Pause" ] || { kill "$Pause" 2> /dev/null; wait "$Pause"; }; rm -f "$Partial"; exit 0' TERM

while PauseFor "$Period"; do
    Window=$(xdotool search --onlyvisible --name "$WindowName" 2> /dev/null | head -n 1)
    if [ -n "$Window" ] && import -window "$Window" "png:$Partial" 2> /dev/null; then
        mv -f "$Partial" "$File"
    fi
done
