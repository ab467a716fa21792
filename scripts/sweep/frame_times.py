"""Summarises a record of frame times (Lumivex.exe -FrameTimes FILE): how many frame intervals it
holds, their mean rate, the 50th, 95th and 99th percentiles and the maximum of the intervals in
milliseconds, and the "1 % low" rate; saves a PNG with the intervals over time and their histogram.

    python3 -m sweep.frame_times FILE [--skip MS] [--chart PNG]     (with scripts/ on PYTHONPATH)

An interval is the time from one frame's start to the next one's; the first row has none. The
percentiles are linear between the two nearest ranks (numpy's default). The mean rate is the number
of intervals per second of their sum. The "1 % low" rate is the mean rate of the slowest 1 % of the
intervals (at least one): 1000 over their mean in milliseconds, so it is a rate the slowest frames
stand for, not the 1st percentile of per-frame rates. --skip leaves out the frames that started in
the first MS milliseconds (a sweep leaves out its first statistics period, which holds the start-up).
The chart goes next to FILE, with .png for .csv, unless --chart names it.
"""
import csv
import math
import os
import sys

from sweep.arguments import USAGE_STATUS, OneLineParser

HEADER = ["Frame", "StartMs", "IntervalMs", "WaitMs", "PresentMs", "Result"]
PERCENTILES = (50, 95, 99)
SLOWEST_SHARE = 0.01


class Unreadable(Exception):
    """A record that cannot be read, with what is wrong with it."""


def read(path, skip_ms=0.0):
    """[(start in ms, interval in ms)] of the rows after the first that started at skip_ms or later."""
    try:
        with open(path, newline="") as file:
            rows = list(csv.reader(file))
    except (OSError, UnicodeDecodeError) as error:
        raise Unreadable("%s cannot be read: %s" % (path, getattr(error, "strerror", None) or error))
    if not rows or rows[0] != HEADER:
        raise Unreadable("%s is no record of frame times (its first line is not %s)" % (path, ",".join(HEADER)))
    frames = []
    for number, row in enumerate(rows[1:], 2):
        try:
            start, interval = float(row[1]), float(row[2])
        except (IndexError, ValueError):
            raise Unreadable("%s: line %d is not a row of frame times: %s" % (path, number, ",".join(row)))
        if not (math.isfinite(start) and math.isfinite(interval) and interval >= 0):
            raise Unreadable("%s: line %d has an implausible time: %s" % (path, number, ",".join(row)))
        if number > 2 and start >= skip_ms:
            frames.append((start, interval))
    return frames


def percentile(ordered, share):
    """The share-th percentile (0 to 100) of the sorted values, linear between the nearest ranks."""
    position = (len(ordered) - 1) * share / 100
    low = math.floor(position)
    high = min(low + 1, len(ordered) - 1)
    return ordered[low] + (ordered[high] - ordered[low]) * (position - low)


def summarise(intervals):
    """{count, rate, p50, p95, p99, max, low}: rates per second, intervals in ms; None without intervals."""
    if not intervals:
        return None
    ordered = sorted(intervals)
    total = sum(ordered)
    slowest = ordered[-max(1, math.ceil(len(ordered) * SLOWEST_SHARE)):]
    summary = {"count": len(ordered), "rate": 1000 * len(ordered) / total if total else math.inf,
               "max": ordered[-1], "low": 1000 * len(slowest) / sum(slowest) if sum(slowest) else math.inf}
    summary.update(("p%d" % share, percentile(ordered, share)) for share in PERCENTILES)
    return summary


def describe(summary):
    """The summary's lines."""
    return ["Intervals: %d" % summary["count"],
            "Mean rate: %.2f frames per second" % summary["rate"],
            "Intervals (ms): %s, max %.3f" % (", ".join("p%d %.3f" % (share, summary["p%d" % share]) for share in PERCENTILES),
                                              summary["max"]),
            "1 %% low: %.2f frames per second (the mean rate of the slowest 1 %% of the intervals)" % summary["low"]]


def main():
    parser = OneLineParser("frame_times.py", __doc__)
    parser.add_argument("file", help="a record written by Lumivex.exe -FrameTimes")
    parser.add_argument("--skip", type=float, default=0.0, metavar="MS", help="leave out the frames of the first MS milliseconds")
    parser.add_argument("--chart", metavar="PNG", help="where the chart goes (default: FILE with .png)")
    options = parser.parse_args()
    if not (math.isfinite(options.skip) and options.skip >= 0):
        parser.error("argument --skip: %s is not a number of milliseconds; accepted: 0 or more" % options.skip)
    try:
        frames = read(options.file, options.skip)
    except Unreadable as error:
        sys.stderr.write("frame_times.py: %s\n" % error)
        return USAGE_STATUS
    summary = summarise([interval for _, interval in frames])
    if not summary:
        sys.stderr.write("frame_times.py: %s holds no frame interval after %g ms\n" % (options.file, options.skip))
        return USAGE_STATUS
    print("\n".join(describe(summary)))
    chart = options.chart or os.path.splitext(options.file)[0] + ".png"
    try:
        from sweep import charts  # matplotlib only for the chart

        charts.write_frame_times_chart(chart, frames, summary, os.path.basename(options.file), PERCENTILES)
    except OSError as error:
        sys.stderr.write("frame_times.py: %s cannot be written: %s\n" % (chart, error.strerror or error))
        return USAGE_STATUS
    print("Chart: %s" % chart)
    return 0


if __name__ == "__main__":
    sys.exit(main())
