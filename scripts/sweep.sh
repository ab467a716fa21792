#!/usr/bin/env bash
# Runs Lumivex.exe once per combination of presentation options and writes a CSV file, a Markdown
# table and a chart (python3 -m sweep, the package scripts/sweep; its --help lists the options). Here the
# runs go through Wine, on a virtual display when there is no X display; on Windows (Git Bash) the program
# runs directly.
set -euo pipefail
Root=$(cd "$(dirname "$0")/.." && pwd)
Build=${LUMIVEX_BUILD_DIR:-$Root/build}
# The package sweep lies in scripts/.
export PYTHONPATH="$Root/scripts${PYTHONPATH:+:$PYTHONPATH}"
# sweep.json records the command line as typed here (the same in the re-run on a virtual display below).
Typed=$(printf '%q ' "$0" "$@")
export LUMIVEX_SWEEP_COMMAND="${Typed% }"

case "$(uname -s)" in
    MINGW* | MSYS* | CYGWIN*) exec py -3 -m sweep --build "$Build" "$@" ;;
esac
# The options are checked, and two sweeps compared, before a display or Wine is started: neither needs one.
# matplotlib comes from Debian's python3-matplotlib, which only Debian's own interpreter sees.
case " $* " in
    *" --compare "* | *" --help "* | *" -h "*) exec /usr/bin/python3 -m sweep --build "$Build" "$@" ;;
esac
/usr/bin/python3 -m sweep --build "$Build" --check "$@"
if [ -z "${DISPLAY:-}" ]; then
    exec "$Root/scripts/virtual-display.sh" "$0" "$@"
fi

# Wine's background services inherit the output of the program that starts them: started once here,
# with their output going nowhere, they keep every run's output closing with its program. A server
# that already runs (status 2) is left as it is.
export WINEPREFIX="$Build/wineprefix"
Status=0
/usr/lib/wine/wineserver64 -p || Status=$?
if [ "$Status" -eq 0 ]; then
    trap '/usr/lib/wine/wineserver64 -k || true' EXIT
fi
(cd "$Build" && "$Root/scripts/wine-run.sh" ./Lumivex.exe -EnumerateAdapters > /dev/null 2>&1 < /dev/null) || true

/usr/bin/python3 -m sweep --build "$Build" "$@"
