#!/usr/bin/env python3
"""Start-up time with and without self-debugging on the current X display, one run after another:
the time from the start of Lumivex.exe to its "Press Ctrl+C to exit..." line, and the time of a whole
-Syntax run, each with and without -Debug, as medians over a number of runs, with their ratios.

    startup.py [--build BUILD] [--runs 3]
"""
import argparse
import os
import statistics
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
sys.path.insert(0, os.path.join(ROOT, "scripts", "sweep"))
from checks import OneLineParser, folder, integer_in  # noqa: E402 (found through the path above)
RESOLUTION = ["-Resolution", "640", "360"]
# Self-debugging may cost this much more than the plain run.
PROMPT_TARGET = 1.5
SYNTAX_TARGET = 2.0


def prompt_time(rendering, args):
    """Seconds from the start to the prompt line of one rendering run, which is then ended."""
    with rendering.Run(args, group=True) as run:
        start = time.monotonic()
        if not run.wait_for_line(rendering.PRESS, 300):
            sys.exit("Lumivex did not start: %s" % run.lines)
        # Leaving the run ends its processes: Wine may hang on a Ctrl+C this early (see the tests).
        return time.monotonic() - start


def syntax_time(rendering, args):
    """Seconds from the start to the end of one -Syntax run, its console output closed."""
    with rendering.Run(args, group=True) as run:
        start = time.monotonic()
        run.wait(300)
        return time.monotonic() - start


def median_pair(measure, plain, debugged, runs):
    """Medians of the plain and the self-debugging runs, taken in turns."""
    times = [], []
    for _ in range(runs):
        times[0].append(measure(plain))
        times[1].append(measure(debugged))
    return statistics.median(times[0]), statistics.median(times[1])


def report(label, plain, debugged, target):
    ratio = debugged / plain
    verdict = "within" if ratio <= target else "OVER"
    print("%-22s %7.2f s   with -Debug %7.2f s   ratio %5.2f (%s the target %.1f)" % (label, plain, debugged, ratio, verdict, target))


def main():
    parser = OneLineParser(prog="startup.py", description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", type=folder, default=os.environ.get("LUMIVEX_BUILD_DIR", os.path.join(ROOT, "build")))
    parser.add_argument("--runs", type=integer_in(1, None, "a number of runs"), default=3)
    options = parser.parse_args()
    os.environ["LUMIVEX_BUILD_DIR"] = os.path.abspath(options.build)
    import rendering

    prompt = median_pair(lambda args: prompt_time(rendering, args), RESOLUTION, ["-Debug"] + RESOLUTION, options.runs)
    syntax = median_pair(lambda args: syntax_time(rendering, args), ["-Syntax"], ["-Debug", "-Syntax"], options.runs)
    print("Medians of %d runs" % options.runs)
    report("To the prompt line", prompt[0], prompt[1], PROMPT_TARGET)
    report("Whole -Syntax run", syntax[0], syntax[1], SYNTAX_TARGET)


if __name__ == "__main__":
    main()
