#!/usr/bin/env python3
"""Runs Lumivex.exe once per combination of presentation options, one run after another, each until
it has printed its "Statistics:" lines for the chosen time, and stops each run with Ctrl+C. Writes
sweep.csv (one row per run), sweep.md (a Markdown table) and sweep.png (present rate per combination),
and each run's console lines, into a folder named with the date and time, and prints the table.

Each option flag below takes the values to try, and the sweep runs every combination of them; the
options not named stay at the program's defaults. Without any, the default sweep runs. A run that
fails keeps its "Exception: ..." line as its result and the sweep goes on.
"""
import argparse
import os
import sys
import time

import axes
import report
from combination import run_combination
from console_lines import ConsoleLineError

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PERIOD = 10
# What a run takes beyond its statistics periods, in seconds, until the first run has been timed.
START_ESTIMATE = 8


def parse_options():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.environ.get("LUMIVEX_BUILD_DIR", os.path.join(ROOT, "build")),
                        help="folder of Lumivex.exe (default: build)")
    parser.add_argument("--output", help="where the dated result folder goes (default: BUILD/sweeps)")
    parser.add_argument("--width", type=int, default=1920, help="frame width (default: 1920)")
    parser.add_argument("--height", type=int, default=1080, help="frame height (default: 1080)")
    parser.add_argument("--shader", default="0", help="shader index, 0..3 (default: 0)")
    parser.add_argument("--seconds", type=seconds, default=PERIOD, help="seconds per run, a multiple of 10 (default: 10)")
    for axis in axes.AXES:
        choices = axes.FULLSCREEN_VALUES if axis.option == "Fullscreen" else None
        parser.add_argument(axis.flag, nargs="+", metavar="VALUE", choices=choices, dest=axis.option,
                            help="-%s: %s (default sweep: %s)" % (axis.option, axis.description, " ".join(axis.sweep_default)))
    options = parser.parse_args()
    options.values = axes.chosen_values(vars(options))
    return options


def seconds(text):
    value = int(text)
    if value < PERIOD or value % PERIOD:
        raise argparse.ArgumentTypeError("%s is not a positive multiple of %d" % (text, PERIOD))
    return value


def duration(value):
    minutes, rest = divmod(int(round(value)), 60)
    return "%d min %02d s" % (minutes, rest) if minutes else "%d s" % rest


def show_progress(index, count, remaining, chosen):
    print("Run %d of %d, about %s left: %s" % (index + 1, count, duration(remaining), " ".join(chosen) or "defaults"),
          flush=True)


def show_rate(rate):
    print("  %.2f presents per second" % rate, flush=True)


def save_console(folder, index, lines):
    with open(os.path.join(folder, "run-%02d.txt" % (index + 1)), "w", encoding="utf-8") as stream:
        stream.write("".join(line + "\n" for line in lines.lines))


def run_all(options, exe, folder, sweep):
    """Runs each combination in turn, writing the result files after each run; returns the table."""
    common = ["-Resolution", str(options.width), str(options.height), "-ShaderIndex", options.shader]
    combinations = axes.combinations(options.values)
    started = time.monotonic()
    for index, combination in enumerate(combinations):
        each = (time.monotonic() - started) / index if index else options.seconds + START_ESTIMATE
        chosen = axes.arguments(combination)
        show_progress(index, len(combinations), each * (len(combinations) - index), chosen)
        lines, failure = run_combination(exe, common + chosen, sweep.periods, show_rate)
        print("  " + (failure or report.OK), flush=True)
        save_console(folder, index, lines)
        sweep.results.append(report.Result(combination, common + chosen, lines, failure))
        table = report.write(folder, sweep)
    return table


def main():
    options = parse_options()
    exe = os.path.join(os.path.abspath(options.build), "Lumivex.exe")
    if not os.path.isfile(exe):
        sys.exit("No %s: build it first (scripts/build.sh)" % exe)
    folder = os.path.join(options.output or os.path.join(options.build, "sweeps"), time.strftime("%Y-%m-%d_%H-%M-%S"))
    os.makedirs(folder)
    title = "Lumivex present rate, %d x %d, shader %s, %d s per run" % (options.width, options.height, options.shader,
                                                                       options.seconds)
    swept = [axis.option for axis, _ in axes.swept(options.values)]
    sweep = report.Sweep(title, swept, options.seconds // PERIOD, [])
    try:
        table = run_all(options, exe, folder, sweep)
    except ConsoleLineError as error:
        sys.exit("%s\nThe sweep stopped; the runs before are in %s" % (error, folder))
    except KeyboardInterrupt:
        sys.exit("\nThe sweep was interrupted; the runs before are in %s" % folder)
    print("\n%s\n\n%s\nWritten to %s" % (title, table, folder))


if __name__ == "__main__":
    main()
