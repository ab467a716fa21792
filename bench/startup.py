#!/usr/bin/env python3
"""Start-up time with and without self-debugging on the current X display, one run after another:
the time from the start of Lumivex.exe to its "Press Ctrl+C to exit..." line, and the time of a whole
-Syntax run, each with and without -Debug, as medians over a number of runs, with their ratios.

    startup.py [--build BUILD] [--runs 5]
"""
import os
import statistics
import subprocess
import sys
import time

import sweep_package  # noqa: F401 (makes the package sweep importable)
from sweep.arguments import OneLineParser, integer_in
from sweep.console import PROMPT
from sweep.program import EXE_NAME, WINE_RUN, WINE_SERVER, Run, environment

RESOLUTION = ["-Resolution", "640", "360"]
# Self-debugging may cost this much more than the plain run.
PROMPT_TARGET = 1.5
SYNTAX_TARGET = 2.0


def prompt_time(run):
    """Seconds from the start to the prompt line of one rendering run, which is then ended."""
    start = time.monotonic()
    if not run.wait_for_line(PROMPT, 300):
        sys.exit("Lumivex did not start: %s" % run.lines)
    seconds = time.monotonic() - start
    # Ended as a person ends it, once its first frames are out.
    run.interrupt()
    run.wait(60)
    return seconds


def syntax_time(run):
    """Seconds from the start to the end of one -Syntax run, its console output closed."""
    start = time.monotonic()
    run.wait(300)
    return time.monotonic() - start


def fresh_wine(build):
    """Wine's server and services started anew and left running for the next run, as they run while a
    person works. Every run starts from this state: a run with -Debug leaves Wine 8's desktop process
    gone, after which every start under that server takes about a second longer; the plain runs,
    which always went right after one, paid for it, and self-debugging looked faster than none."""
    env = environment(build=build)
    subprocess.run([WINE_SERVER, "-k"], env=env, stderr=subprocess.DEVNULL)
    subprocess.run([WINE_SERVER, "-w"], env=env, stderr=subprocess.DEVNULL)
    subprocess.run([WINE_SERVER, "-p"], env=env, check=True)
    # The services inherit the output of the program that starts them: started here, with their
    # output going nowhere, they hold no run's output open.
    subprocess.run([WINE_RUN, os.path.join(build, EXE_NAME), "-EnumerateAdapters"], cwd=build, env=env,
                   stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def timed(build, measure, args):
    """One run measured, from a fresh Wine; the next one starts once every process of this one has
    ended (the debugger copy's too)."""
    fresh_wine(build)
    with Run(args, group=True, frames=True, build=build) as run:
        seconds = measure(run)
    run.processes_left(timeout=30)
    return seconds


def median_pair(build, measure, plain, debugged, runs):
    """Medians of the plain and the self-debugging runs. A first plain run, not counted, warms up;
    then the two take turns, each going first in every other round."""
    timed(build, measure, plain)
    times = {id(plain): [], id(debugged): []}
    for round_number in range(runs):
        for args in (plain, debugged) if round_number % 2 == 0 else (debugged, plain):
            times[id(args)].append(timed(build, measure, args))
    print("%s: plain %s; with -Debug %s" % (measure.__name__, " ".join("%.2f" % value for value in times[id(plain)]),
                                           " ".join("%.2f" % value for value in times[id(debugged)])), flush=True)
    return statistics.median(times[id(plain)]), statistics.median(times[id(debugged)])


def report(label, plain, debugged, target):
    ratio = debugged / plain
    verdict = "within" if ratio <= target else "OVER"
    print("%-22s %7.2f s   with -Debug %7.2f s   ratio %5.2f (%s the target %.1f)" % (label, plain, debugged, ratio, verdict, target))


def main():
    parser = OneLineParser("startup.py", __doc__)
    parser.add_build()
    parser.add_argument("--runs", type=integer_in(1, None, "a number of runs"), default=5)
    options = parser.parse_args()
    build = options.build
    try:
        measure_all(build, options.runs)
    finally:
        subprocess.run([WINE_SERVER, "-k"], env=environment(build=build), stderr=subprocess.DEVNULL)


def measure_all(build, runs):
    prompt = median_pair(build, prompt_time, RESOLUTION, ["-Debug"] + RESOLUTION, runs)
    syntax = median_pair(build, syntax_time, ["-Syntax"], ["-Debug", "-Syntax"], runs)
    print("Medians of %d runs" % runs)
    report("To the prompt line", prompt[0], prompt[1], PROMPT_TARGET)
    report("Whole -Syntax run", syntax[0], syntax[1], SYNTAX_TARGET)


if __name__ == "__main__":
    main()
