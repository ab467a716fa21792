#!/usr/bin/env python3
"""What recording every frame's times costs: Lumivex.exe runs alternately with and without
-FrameTimes, at 640 x 360 and at 1920 x 1080, and the rate of each run is the mean of its
"Statistics:" lines after the first. Prints, for each size, the median over the rounds of the rate
with the record over the rate without it (each round's pair runs back to back, in turns of order, so
that the machine's drift touches both alike) and the range of those ratios; then, from the records,
whether writing them shows: the frames right after a write of the file against all frames.

    frame_times_cost.py [--build BUILD] [--seconds 20] [--rounds 5] [--shader 0]
"""
import csv
import os
import shutil
import tempfile
from statistics import median

import sweep_package  # noqa: F401 (makes the package sweep importable)
from benchmark import Runs
from sweep.arguments import OneLineParser, integer_in, multiple_of
from sweep.frame_times import read, summarise
from sweep.options import PERIOD

SIZES = ((640, 360), (1920, 1080))
# The record goes to its file whenever this many bytes are buffered (app/FrameTimes.cpp).
WRITE_SIZE = 4096


def frames_after_writes(path):
    """The intervals of the frames that follow one whose row filled the record's buffer, as the
    program writes it, and all intervals; both after the first statistics period."""
    with open(path, newline="") as file:
        rows = list(csv.reader(file))[1:]
    after, buffered, written = [], 0, False
    for row in rows:
        if written and float(row[1]) >= PERIOD * 1000:
            after.append(float(row[2]))
        buffered += len(",".join(row)) + 2
        written = buffered >= WRITE_SIZE
        buffered = 0 if written else buffered
    return after, [interval for _, interval in read(path, PERIOD * 1000)]


def main():
    parser = OneLineParser("frame_times_cost.py", __doc__)
    parser.add_build()
    parser.add_argument("--seconds", type=multiple_of(PERIOD, "a number of seconds in tens"), default=20)
    parser.add_argument("--rounds", type=integer_in(1, None, "a number of rounds"), default=5)
    parser.add_argument("--shader", type=integer_in(0, 3, "a shader index"), default=0)
    options = parser.parse_args()
    build, periods = options.build, options.seconds // PERIOD
    scratch = tempfile.mkdtemp(prefix="lumivex-frame-times-")
    runs = Runs(len(SIZES) * options.rounds * 2, periods, build)
    try:
        for width, height in SIZES:
            args = ["-Resolution", str(width), str(height), "-ShaderIndex", str(options.shader)]
            ratios, after, every = [], [], []
            for round_number in range(options.rounds):
                record = os.path.join(scratch, "times-%d.csv" % round_number)
                recorded = args + ["-FrameTimes", "Z:" + record.replace("/", "\\")]
                order = [recorded, args] if round_number % 2 == 0 else [args, recorded]
                rates = {id(each): runs.program_rate(build, "Lumivex.exe", each, periods)[0] for each in order}
                ratios.append(rates[id(recorded)] / rates[id(args)])
                record_after, record_all = frames_after_writes(record)
                after += record_after
                every += record_all
            whole, written = summarise(every), summarise(after)
            print("%d x %d: with the record over without it, median %.4f (%+.2f %%), rounds %.4f to %.4f"
                  % (width, height, median(ratios), (median(ratios) - 1) * 100, min(ratios), max(ratios)))
            print("  intervals of all frames: p50 %.3f ms, p99 %.3f ms, max %.3f ms; of the %d frames after a write: "
                  "p50 %.3f ms, p99 %.3f ms, max %.3f ms" % (whole["p50"], whole["p99"], whole["max"], written["count"],
                                                             written["p50"], written["p99"], written["max"]), flush=True)
    finally:
        shutil.rmtree(scratch)


if __name__ == "__main__":
    main()
