#!/usr/bin/env python3
"""How many exceptions the debugger copy describes and dumps per second: TestDebuggee.exe raises and
continues an exception that is no C++ throw in a loop for a while, once as it starts and once after a
C++ throw of its own (which starts the copy's symbol handler for its description), with
"Lumivex.exe -ParentProcessDebug" attached. Prints both rates, their ratio and the dumps' mean size,
and removes the dumps.

    exceptions.py [--build BUILD] [--seconds 30]
"""
import glob
import os
import subprocess
import sys

import sweep_package  # noqa: F401 (makes the package sweep importable)
from sweep.arguments import OneLineParser, integer_in
from sweep.program import EXE_NAME, WINE_RUN, environment, run_lumivex

# The copy describes the repeated exception with this line alone; the C++ throw's line says more.
BARE_LINE = "Exception: "
# Each state's rate is to be at least this share of the other's.
TARGET = 0.8


def measure(build, seconds, throw):
    """(exceptions described per second, mean dump size in bytes) of one run."""
    args = ["raise", str(seconds)] + (["throw"] if throw else [])
    debuggee = subprocess.Popen([WINE_RUN, os.path.join(build, "TestDebuggee.exe")] + args,
                                cwd=build, env=environment(build=build), stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        pid = int(debuggee.stdout.readline())
        _, lines, _ = run_lumivex(["-ParentProcessDebug", pid], timeout=seconds + 300, build=build)
        raised, milliseconds = (int(value) for value in debuggee.stdout.readline().split())
    finally:
        debuggee.kill()
        debuggee.wait()
        debuggee.stdout.close()
    described = lines.count(BARE_LINE)
    if described != raised:
        sys.exit("%d exceptions raised, %d described" % (raised, described))
    dumps = glob.glob(os.path.join(build, "%s-%d-DebugException-*.dmp" % (EXE_NAME, pid)))
    size = sum(os.path.getsize(path) for path in dumps) / max(len(dumps), 1)
    for path in dumps:
        os.remove(path)
    return described * 1000 / milliseconds, size


def main():
    parser = OneLineParser("exceptions.py", __doc__)
    parser.add_build()
    parser.add_argument("--seconds", type=integer_in(1, None, "a number of seconds"), default=30)
    options = parser.parse_args()
    build = options.build
    without = measure(build, options.seconds, False)
    with_throw = measure(build, options.seconds, True)
    for label, (rate, size) in (("Without a C++ throw", without), ("After a C++ throw", with_throw)):
        print("%-20s %8.1f exceptions described per second, dumps of %.0f KB" % (label, rate, size / 1024))
    # Either state may be the slow one: the slower rate over the faster is what the target bounds.
    ratio = min(without[0], with_throw[0]) / max(without[0], with_throw[0], 1e-9)
    print("Ratio %.2f, the slower state's rate over the faster's (%s the target %.1f)"
          % (ratio, "meets" if ratio >= TARGET else "BELOW", TARGET))


if __name__ == "__main__":
    main()
