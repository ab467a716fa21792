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

from sweep import compare, dxvk, frame_times, options, results
from sweep.arguments import INTERRUPTED_STATUS, USAGE_STATUS
from sweep.console import ConsoleLineError, run_combination
from sweep.options import PERIOD, PROGRAM, parse_options
from sweep.program import EXE_NAME, Estimate, duration, program_path

FAILURE_STATUS = 1
FOLDER_NAME = "%Y-%m-%d_%H-%M-%S"


def fail(message, status=FAILURE_STATUS):
    sys.stderr.write("%s: %s\n" % (PROGRAM, message))
    sys.exit(status)


def show_rate(rate):
    print("  %.2f presents per second" % rate, flush=True)


def save_console(folder, run, lines):
    results.write_text(os.path.join(folder, "run-%02d.txt" % run), "".join(line + "\n" for line in lines.lines))


def pacing(path):
    """The summary of a run's record of frame times after its first statistics period, which holds the
    start-up; None when the run left no readable record."""
    try:
        return frame_times.summarise([interval for _, interval in frame_times.read(path, PERIOD * 1000)])
    except frame_times.Unreadable:
        return None


def run_all(given, exes, folder, sweep):
    """Runs the plan of the parsed options given, each run with the program of its Direct3D
    implementation in exes, writing the result files after each run."""
    from sweep import charts  # matplotlib only here: the checks of the options answer at once without it
    common = ["-Resolution", str(given.width), str(given.height), "-ShaderIndex", str(given.shader)]
    runs = options.in_turn(sweep.combinations, given.repeat)
    estimate = Estimate(given.seconds)
    for index, (repeat, combination) in enumerate(runs):
        chosen = options.arguments(combination)
        left = estimate.remaining(options.key(later) for _, later in runs[index:])
        print("Run %d of %d (repeat %d of %d), about %s left: %s"
              % (index + 1, len(runs), repeat, given.repeat, duration(left),
                 " ".join(chosen + ["on " + combination[options.D3D]]) if len(given.values[options.D3D]) > 1
                 else " ".join(chosen) or "defaults"), flush=True)
        started = time.monotonic()
        times = os.path.join(folder, "run-%02d-frames.csv" % (index + 1))
        lines, failure = run_combination(exes[combination[options.D3D]], common + chosen + ["-FrameTimes", program_path(times)],
                                         sweep.periods, show_rate)
        seconds = time.monotonic() - started
        print("  " + (failure or results.OK), flush=True)
        estimate.add(options.key(combination), seconds)
        save_console(folder, index + 1, lines)
        results.add_context(sweep.record, lines)
        sweep.results.append(results.Result(index + 1, repeat, combination, common + chosen, lines, failure, seconds,
                                           pacing(times)))
        results.write(folder, sweep)
        charts.write_sweep_chart(folder, sweep)


def new_sweep(given, on_dxvk):
    title = "Lumivex present rate, %d x %d, shader %d, %d s per run, %d run%s of each combination" % (
        given.width, given.height, given.shader, given.seconds, given.repeat, "s"[:given.repeat - 1])
    rec = results.new_record(on_dxvk)
    rec.update({"width": given.width, "height": given.height, "shader": given.shader, "seconds": given.seconds,
                "repeat": given.repeat, "values": given.values, "axes": options.swept(given.values)})
    return results.Sweep(title, rec, given.seconds // PERIOD, options.combinations(given.values), [])


def main():
    given = parse_options(__doc__)
    if given.compare:
        sys.exit(compare.main(given.compare, given.threshold, given.output))
    exes = {options.BUILTIN: os.path.join(os.path.abspath(given.build), EXE_NAME)}
    if not os.path.isfile(exes[options.BUILTIN]):
        fail("No %s: build it first (scripts/build.sh)" % exes[options.BUILTIN])
    on_dxvk = None
    try:
        if options.DXVK in given.values[options.D3D]:
            on_dxvk = dxvk.check(given.dxvk) if given.check else dxvk.prepare(given.dxvk, given.build)
            exes[options.DXVK] = os.path.join(on_dxvk.folder or "", EXE_NAME)
        parent = results.make_folder(given.output or os.path.join(given.build, "sweeps"))
        if given.check:
            return
        folder = results.new_folder(parent, time.strftime(FOLDER_NAME))
    except dxvk.DxvkError as error:
        fail("--dxvk: %s" % error, USAGE_STATUS)
    except results.FolderError as error:
        fail(error)
    sweep = new_sweep(given, on_dxvk)
    try:
        results.write(folder, sweep)
        run_all(given, exes, folder, sweep)
    except (ConsoleLineError, results.WriteError) as error:
        fail("%s\nThe sweep stopped; the runs before are in %s" % (error, folder))
    except KeyboardInterrupt:
        text = results.write(folder, sweep)
        print("\n%s\nInterrupted; what was measured so far: %d of %d runs, in %s"
              % (text, len(sweep.results), len(sweep.combinations) * given.repeat, folder), flush=True)
        sys.exit(INTERRUPTED_STATUS)
    print("\n%sWritten to %s" % (results.write(folder, sweep), folder))


if __name__ == "__main__":
    main()
