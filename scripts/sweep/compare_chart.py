"""compare.png: per combination, A's and B's median rate as two bars side by side, each with its range
as a line, and the verdict beside them, in colour where it changed."""
import os

import matplotlib

matplotlib.use("Agg")
from matplotlib import pyplot  # noqa: E402 (the backend is chosen first)

import verdict  # noqa: E402
from report import label  # noqa: E402
from sweep_chart import save  # noqa: E402

CHART_NAME = "compare.png"
COLOURS = {"A": "#9e9e9e", "B": "#1f77b4"}
RANGE_COLOUR = "black"
VERDICT_COLOURS = {verdict.SLOWER: "#d62728", verdict.NOW_FAILS: "#d62728", verdict.FASTER: "#2ca02c",
                   verdict.NOW_RUNS: "#2ca02c"}
SAME_COLOUR = "black"
FAILS = "failed runs"
NO_RUNS = "no runs"
BAR_HEIGHT = 0.38
ROW_HEIGHT = 0.6
MARGIN = 1.8
ROOM = 1.3


def write_chart(folder, options, rows):
    figure, chart = pyplot.subplots(figsize=(11, MARGIN + ROW_HEIGHT * len(rows)))
    top = max([spread.high or 0.0 for row in rows for spread in (row.a, row.b) if spread] + [0.0]) or 1.0
    for position, row in enumerate(rows):
        for offset, (name, spread) in zip((-BAR_HEIGHT / 2, BAR_HEIGHT / 2), (("A", row.a), ("B", row.b))):
            if spread and spread.rates:
                chart.barh(position + offset, spread.median, height=BAR_HEIGHT, color=COLOURS[name])
                chart.plot([spread.low, spread.high], [position + offset] * 2, color=RANGE_COLOUR, linewidth=1)
            if not spread or spread.fails or not spread.runs:
                failed = bool(spread and spread.fails)
                chart.text(0, position + offset, "  %s: %s" % (name, FAILS if failed else NO_RUNS), va="center",
                           fontsize=8, color=VERDICT_COLOURS[verdict.NOW_FAILS] if failed else SAME_COLOUR)
        changed = row.verdict != verdict.SAME
        chart.text(top * 1.02, position, row.verdict, va="center", fontsize=9, fontweight="bold" if changed else "normal",
                   color=VERDICT_COLOURS.get(row.verdict, SAME_COLOUR))
    chart.set_yticks(range(len(rows)), [label(options, row.values) for row in rows], fontsize=8)
    chart.set_ylim(len(rows) - 0.5, -0.5)  # the first row on top
    chart.set_xlim(0, top * ROOM)
    chart.set_xlabel("presents per second: median of the runs (bar), lowest to highest (line)")
    chart.set_title("Sweep B (blue, lower bar) against sweep A (grey, upper bar)")
    save(figure, os.path.join(folder, CHART_NAME))
