"""The charts, as PNG files (matplotlib is imported here alone, so that what runs no chart does without it):

- sweep.png: a bar per combination at its median rate, each run's rate as a dot over it and the range as
  a line through the dots; a combination with failed runs is marked with its failure. The bars of the
  runs on DXVK have a colour of their own. Beside it, the frame-time panel: each run's 99th percentile of
  the frame intervals as a dot, their range as a line and their median as a tick.
- compare.png: per combination, A's and B's median rate as two bars side by side, each with its range as
  a line, and the verdict beside them, in colour where it changed.
- a record of frame times: the intervals over time, with the percentiles as lines, beside their histogram."""
import io
import os

import matplotlib

matplotlib.use("Agg")
from matplotlib import pyplot  # noqa: E402 (the backend is chosen first)

from sweep import compare, options  # noqa: E402
from sweep.results import label, number, p99_median, spreads, write_bytes  # noqa: E402

# matplotlib's own first colours.
BLUE, ORANGE, GREEN, RED = "#1f77b4", "#ff7f0e", "#2ca02c", "#d62728"
GREY = "#9e9e9e"
BLACK = "black"

SWEEP_CHART = "sweep.png"
DXVK_BAR_COLOUR = ORANGE
SWEEP_ROW_HEIGHT = 0.42
SWEEP_MARGIN = 1.6
SWEEP_ROOM = 1.25

COMPARE_CHART = "compare.png"
SWEEP_COLOURS = {"A": GREY, "B": BLUE}
VERDICT_COLOURS = {compare.SLOWER: RED, compare.NOW_FAILS: RED, compare.FASTER: GREEN, compare.NOW_RUNS: GREEN}
FAILS = "failed runs"
NO_RUNS = "no runs"
COMPARE_BAR_HEIGHT = 0.38
COMPARE_ROW_HEIGHT = 0.6
COMPARE_MARGIN = 1.8
COMPARE_ROOM = 1.3

PERCENTILE_COLOURS = (GREEN, ORANGE, RED)


def write_sweep_chart(folder, sweep):
    rows = spreads(sweep)
    medians = [spread.median or 0.0 for _, spread, _ in rows]
    figure, (chart, frames) = pyplot.subplots(1, 2, figsize=(15, SWEEP_MARGIN + SWEEP_ROW_HEIGHT * len(rows)),
                                              sharey=True, gridspec_kw={"width_ratios": [2.6, 1]})
    colours = [DXVK_BAR_COLOUR if combination[options.D3D] == options.DXVK else BLUE for combination, _, _ in rows]
    chart.barh(range(len(rows)), medians, color=colours)
    for position, (_, spread, _) in enumerate(rows):
        if spread.rates:
            chart.plot([spread.low, spread.high], [position, position], color=BLACK, linewidth=1)
            chart.plot(spread.rates, [position] * len(spread.rates), "o", color=BLACK, markersize=3)
        text, colour = (spread.failure_text(), RED) if spread.fails else (number(spread.median, 2), BLACK)
        chart.text(max(spread.high or 0.0, medians[position]), position, "  " + text, va="center", fontsize=8,
                   color=colour)
    chart.set_yticks(range(len(rows)), [label(sweep.record["axes"], combination) for combination, _, _ in rows],
                     fontsize=8)
    chart.invert_yaxis()
    chart.set_xlim(0, max([spread.high or 0.0 for _, spread, _ in rows] + [0.0]) * SWEEP_ROOM or 1.0)
    chart.set_xlabel("presents per second: median of the runs (bar), each run (dot), lowest to highest (line)")
    chart.set_title(sweep.title)
    for position, (_, spread, _) in enumerate(rows):
        if spread.p99s:
            frames.plot([min(spread.p99s), max(spread.p99s)], [position, position], color=BLACK, linewidth=1)
            frames.plot(spread.p99s, [position] * len(spread.p99s), "o", color=colours[position], markersize=4)
            frames.plot([p99_median(spread)], [position], "|", color=BLACK, markersize=12)
    frames.set_xlim(0, max([max(spread.p99s) for _, spread, _ in rows if spread.p99s] + [0.0]) * SWEEP_ROOM or 1.0)
    frames.set_xlabel("p99 of the frame intervals (ms):\neach run (dot), their range (line), median (tick)")
    frames.set_title("Frame pacing: lower is steadier")
    frames.grid(axis="x", linewidth=0.3)
    save(figure, os.path.join(folder, SWEEP_CHART))


def write_compare_chart(folder, matched, rows):
    """matched: the options that the rows' combinations are matched by."""
    figure, chart = pyplot.subplots(figsize=(11, COMPARE_MARGIN + COMPARE_ROW_HEIGHT * len(rows)))
    top = max([spread.high or 0.0 for row in rows for spread in (row.a, row.b) if spread] + [0.0]) or 1.0
    for position, row in enumerate(rows):
        for offset, (name, spread) in zip((-COMPARE_BAR_HEIGHT / 2, COMPARE_BAR_HEIGHT / 2), (("A", row.a), ("B", row.b))):
            if spread and spread.rates:
                chart.barh(position + offset, spread.median, height=COMPARE_BAR_HEIGHT, color=SWEEP_COLOURS[name])
                chart.plot([spread.low, spread.high], [position + offset] * 2, color=BLACK, linewidth=1)
            if not spread or spread.fails or not spread.runs:
                failed = bool(spread and spread.fails)
                chart.text(0, position + offset, "  %s: %s" % (name, FAILS if failed else NO_RUNS), va="center",
                           fontsize=8, color=VERDICT_COLOURS[compare.NOW_FAILS] if failed else BLACK)
        changed = row.verdict != compare.SAME
        chart.text(top * 1.02, position, row.verdict, va="center", fontsize=9, fontweight="bold" if changed else "normal",
                   color=VERDICT_COLOURS.get(row.verdict, BLACK))
    chart.set_yticks(range(len(rows)), [label(matched, row.values) for row in rows], fontsize=8)
    chart.set_ylim(len(rows) - 0.5, -0.5)  # the first row on top
    chart.set_xlim(0, top * COMPARE_ROOM)
    chart.set_xlabel("presents per second: median of the runs (bar), lowest to highest (line)")
    chart.set_title("Sweep B (blue, lower bar) against sweep A (grey, upper bar)")
    save(figure, os.path.join(folder, COMPARE_CHART))


def write_frame_times_chart(path, frames, summary, title, percentiles):
    """frames: (start, interval) pairs in ms; summary: frame_times.summarise's, with the given percentiles."""
    starts = [start / 1000 for start, _ in frames]
    intervals = [interval for _, interval in frames]
    figure, (timeline, histogram) = pyplot.subplots(1, 2, figsize=(13, 4.5), gridspec_kw={"width_ratios": [2.2, 1]})
    timeline.plot(starts, intervals, linewidth=0.6, color=BLUE)
    histogram.hist(intervals, bins=80, color=BLUE, log=True)
    for share, colour in zip(percentiles, PERCENTILE_COLOURS):
        value = summary["p%d" % share]
        timeline.axhline(value, color=colour, linewidth=1, label="p%d %.2f ms" % (share, value))
        histogram.axvline(value, color=colour, linewidth=1)
    timeline.set_xlabel("start of the frame (s since the run loop started)")
    timeline.set_ylabel("interval since the previous frame (ms)")
    timeline.set_ylim(0, summary["max"] * 1.05 or 1)
    timeline.legend(loc="upper right", fontsize=8)
    histogram.set_xlabel("interval (ms)")
    histogram.set_ylabel("frames")
    figure.suptitle("%s: %d intervals, mean %.1f/s, 1 %% low %.1f/s, max %.2f ms"
                    % (title, summary["count"], summary["rate"], summary["low"], summary["max"]))
    figure.tight_layout()
    figure.savefig(path, dpi=100)
    pyplot.close(figure)


def save(figure, path):
    """Writes the figure as a PNG file, whole, and lets it go."""
    image = io.BytesIO()
    figure.savefig(image, format="png", dpi=100, bbox_inches="tight")
    pyplot.close(figure)
    write_bytes(path, image.getvalue())
