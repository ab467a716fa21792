#!/usr/bin/env python3
"""Runs Lumivex.exe for every combination of presentation options, each combination several times
(--repeat), the repeats taken in turn over the combinations so that a drift of the machine touches them
alike. Each run lasts until the program has printed its "Statistics:" lines for the chosen time and is
then stopped with Ctrl+C. Into a folder named with the date and time it writes, as each run ends,
sweep.csv (one row per run), sweep.json (where and how the sweep ran), sweep.md (each combination's
median rate and range) and sweep.png, and each run's console lines; at the end it prints sweep.md.

Each option flag below takes the values to try; the options not named stay at the program's defaults.
Without any, the default sweep runs. A run that fails keeps its "Exception: ..." line as its result and
the sweep goes on.

With --d3d builtin dxvk the Direct3D implementation is an axis too: Wine's own and DXVK, whose x64 DLLs
are in the folder given with --dxvk (or LUMIVEX_DXVK); --dxvk alone runs the whole sweep on DXVK.

With --compare A B it compares two sweep folders instead: each combination's median and range in A
and B side by side with a verdict, into compare.csv, compare.md and compare.png; its status is 1 when
a combination is slower or now fails.
"""
import os
import sys
import time

import axes
import compare
import frame_times
import dxvk
import folders
import progress
import record
import report
from combination import run_combination
from checks import INTERRUPTED_STATUS, USAGE_STATUS
from console_lines import ConsoleLineError
from spread import OK
from files import WriteError, write_text
from lumivex_run import program_path
from options import PERIOD, PROGRAM, parse_options

FAILURE_STATUS = 1
FOLDER_NAME = "%Y-%m-%d_%H-%M-%S"


def fail(message, status=FAILURE_STATUS):
    sys.stderr.write("%s: %s\n" % (PROGRAM, message))
    sys.exit(status)


def show_rate(rate):
    print("  %.2f presents per second" % rate, flush=True)


def save_console(folder, run, lines):
    write_text(os.path.join(folder, "run-%02d.txt" % run), "".join(line + "\n" for line in lines.lines))


def pacing(path):
    """The summary of a run's record of frame times after its first statistics period, which holds the
    start-up; None when the run left no readable record."""
    try:
        return frame_times.summarise([interval for _, interval in frame_times.read(path, PERIOD * 1000)])
    except frame_times.Unreadable:
        return None


def run_all(options, exes, folder, sweep):
    """Runs the plan, each run with the program of its Direct3D implementation in exes, writing the
    result files after each run."""
    import sweep_chart  # matplotlib only here: the checks of the options answer at once without it
    common = ["-Resolution", str(options.width), str(options.height), "-ShaderIndex", str(options.shader)]
    runs = axes.in_turn(sweep.combinations, options.repeat)
    estimate = progress.Estimate(options.seconds)
    for index, (repeat, combination) in enumerate(runs):
        chosen = axes.arguments(combination)
        left = estimate.remaining(axes.key(later) for _, later in runs[index:])
        print("Run %d of %d (repeat %d of %d), about %s left: %s"
              % (index + 1, len(runs), repeat, options.repeat, progress.duration(left),
                 " ".join(chosen + ["on " + combination[axes.D3D]]) if len(options.values[axes.D3D]) > 1
                 else " ".join(chosen) or "defaults"), flush=True)
        started = time.monotonic()
        times = os.path.join(folder, "run-%02d-frames.csv" % (index + 1))
        lines, failure = run_combination(exes[combination[axes.D3D]], common + chosen + ["-FrameTimes", program_path(times)],
                                         sweep.periods, show_rate)
        seconds = time.monotonic() - started
        print("  " + (failure or OK), flush=True)
        estimate.add(axes.key(combination), seconds)
        save_console(folder, index + 1, lines)
        record.add_context(sweep.record, lines)
        sweep.results.append(report.Result(index + 1, repeat, combination, common + chosen, lines, failure, seconds,
                                           pacing(times)))
        report.write(folder, sweep)
        sweep_chart.write_chart(folder, sweep)


def new_sweep(options, on_dxvk):
    title = "Lumivex present rate, %d x %d, shader %d, %d s per run, %d run%s of each combination" % (
        options.width, options.height, options.shader, options.seconds, options.repeat, "s"[:options.repeat - 1])
    rec = record.new_record(on_dxvk)
    rec.update({"width": options.width, "height": options.height, "shader": options.shader, "seconds": options.seconds,
                "repeat": options.repeat, "values": options.values, "axes": axes.swept(options.values)})
    return report.Sweep(title, rec, options.seconds // PERIOD, axes.combinations(options.values), [])


def main():
    options = parse_options(__doc__)
    if options.compare:
        sys.exit(compare.main(options.compare, options.threshold, options.output))
    exes = {axes.BUILTIN: os.path.join(os.path.abspath(options.build), "Lumivex.exe")}
    if not os.path.isfile(exes[axes.BUILTIN]):
        fail("No %s: build it first (scripts/build.sh)" % exes[axes.BUILTIN])
    on_dxvk = None
    try:
        if axes.DXVK in options.values[axes.D3D]:
            on_dxvk = dxvk.check(options.dxvk) if options.check else dxvk.prepare(options.dxvk, options.build)
            exes[axes.DXVK] = os.path.join(on_dxvk.folder or "", "Lumivex.exe")
        parent = folders.make(options.output or os.path.join(options.build, "sweeps"))
        if options.check:
            return
        folder = folders.new(parent, time.strftime(FOLDER_NAME))
    except dxvk.DxvkError as error:
        fail("--dxvk: %s" % error, USAGE_STATUS)
    except folders.FolderError as error:
        fail(error)
    sweep = new_sweep(options, on_dxvk)
    try:
        report.write(folder, sweep)
        run_all(options, exes, folder, sweep)
    except (ConsoleLineError, WriteError) as error:
        fail("%s\nThe sweep stopped; the runs before are in %s" % (error, folder))
    except KeyboardInterrupt:
        text = report.write(folder, sweep)
        print("\n%s\nInterrupted; what was measured so far: %d of %d runs, in %s"
              % (text, len(sweep.results), len(sweep.combinations) * options.repeat, folder), flush=True)
        sys.exit(INTERRUPTED_STATUS)
    print("\n%sWritten to %s" % (report.write(folder, sweep), folder))


if __name__ == "__main__":
    main()
