#!/usr/bin/env python3
"""How many exceptions the debugger copy describes and dumps per second: TestDebuggee.exe raises and
continues an exception that is no C++ throw in a loop for a while, once as it starts and once after a
C++ throw of its own (which starts the copy's symbol handler for its description), with
"Lumivex.exe -ParentProcessDebug" attached. Prints both rates, their ratio and the dumps' mean size,
and removes the dumps.

    exceptions.py [--build BUILD] [--seconds 30]
"""
import argparse
import glob
import os
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "scripts", "sweep"))
from checks import OneLineParser, folder, integer_in  # noqa: E402 (found through the path above)
# The copy describes the repeated exception with this line alone; the C++ throw's line says more.
BARE_LINE = "Exception: "
# Each state's rate is to be at least this share of the other's.
TARGET = 0.8


def measure(lumivex, seconds, throw):
    """(exceptions described per second, mean dump size in bytes) of one run."""
    args = ["raise", str(seconds)] + (["throw"] if throw else [])
    debuggee = subprocess.Popen([lumivex.WINE_RUN, os.path.join(lumivex.BUILD_DIR, "TestDebuggee.exe")] + args,
                                cwd=lumivex.BUILD_DIR, env=lumivex.environment(), stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        pid = int(debuggee.stdout.readline())
        _, lines, _ = lumivex.run_lumivex(["-ParentProcessDebug", pid], timeout=seconds + 300)
        raised, milliseconds = (int(value) for value in debuggee.stdout.readline().split())
    finally:
        debuggee.kill()
        debuggee.wait()
        debuggee.stdout.close()
    described = lines.count(BARE_LINE)
    if described != raised:
        sys.exit("%d exceptions raised, %d described" % (raised, described))
    dumps = glob.glob(os.path.join(lumivex.BUILD_DIR, "Lumivex.exe-%d-DebugException-*.dmp" % pid))
    size = sum(os.path.getsize(path) for path in dumps) / max(len(dumps), 1)
    for path in dumps:
        os.remove(path)
    return described * 1000 / milliseconds, size


def main():
    parser = OneLineParser(prog="exceptions.py", description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", type=folder, default=os.environ.get("LUMIVEX_BUILD_DIR", os.path.join(ROOT, "build")))
    parser.add_argument("--seconds", type=integer_in(1, None, "a number of seconds"), default=30)
    options = parser.parse_args()
    os.environ["LUMIVEX_BUILD_DIR"] = os.path.abspath(options.build)
    import lumivex

    without = measure(lumivex, options.seconds, False)
    with_throw = measure(lumivex, options.seconds, True)
    for label, (rate, size) in (("Without a C++ throw", without), ("After a C++ throw", with_throw)):
        print("%-20s %8.1f exceptions described per second, dumps of %.0f KB" % (label, rate, size / 1024))
    # Either state may be the slow one: the slower rate over the faster is what the target bounds.
    ratio = min(without[0], with_throw[0]) / max(without[0], with_throw[0], 1e-9)
    print("Ratio %.2f, the slower state's rate over the faster's (%s the target %.1f)"
          % (ratio, "meets" if ratio >= TARGET else "BELOW", TARGET))


if __name__ == "__main__":
    main()
