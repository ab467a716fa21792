"""sweep.png: a bar per combination at its median rate, each run's rate as a dot over it and the range
as a line through the dots; a combination with failed runs is marked with its failure. The bars of the
runs on DXVK have a colour of their own. Beside it, the frame-time panel: each run's 99th percentile of
the frame intervals as a dot, their range as a line and their median as a tick."""
import io
import os

import matplotlib

matplotlib.use("Agg")
from matplotlib import pyplot  # noqa: E402 (the backend is chosen first)

import axes  # noqa: E402
from files import write_bytes  # noqa: E402
from report import label, number, spreads  # noqa: E402
from spread import p99_median  # noqa: E402

CHART_NAME = "sweep.png"
BAR_COLOUR = "#1f77b4"
DXVK_BAR_COLOUR = "#ff7f0e"
RUN_COLOUR = "black"
FAILURE_COLOUR = "#d62728"
ROW_HEIGHT = 0.42
MARGIN = 1.6
ROOM = 1.25


def write_chart(folder, sweep):
    rows = spreads(sweep)
    medians = [spread.median or 0.0 for _, spread, _ in rows]
    figure, (chart, frames) = pyplot.subplots(1, 2, figsize=(15, MARGIN + ROW_HEIGHT * len(rows)), sharey=True,
                                              gridspec_kw={"width_ratios": [2.6, 1]})
    colours = [DXVK_BAR_COLOUR if combination[axes.D3D] == axes.DXVK else BAR_COLOUR for combination, _, _ in rows]
    chart.barh(range(len(rows)), medians, color=colours)
    for position, (_, spread, _) in enumerate(rows):
        if spread.rates:
            chart.plot([spread.low, spread.high], [position, position], color=RUN_COLOUR, linewidth=1)
            chart.plot(spread.rates, [position] * len(spread.rates), "o", color=RUN_COLOUR, markersize=3)
        text, colour = (spread.failure_text(), FAILURE_COLOUR) if spread.fails else (number(spread.median, 2), RUN_COLOUR)
        chart.text(max(spread.high or 0.0, medians[position]), position, "  " + text, va="center", fontsize=8,
                   color=colour)
    chart.set_yticks(range(len(rows)), [label(sweep.record["axes"], combination) for combination, _, _ in rows],
                     fontsize=8)
    chart.invert_yaxis()
    chart.set_xlim(0, max([spread.high or 0.0 for _, spread, _ in rows] + [0.0]) * ROOM or 1.0)
    chart.set_xlabel("presents per second: median of the runs (bar), each run (dot), lowest to highest (line)")
    chart.set_title(sweep.title)
    for position, (_, spread, _) in enumerate(rows):
        if spread.p99s:
            frames.plot([min(spread.p99s), max(spread.p99s)], [position, position], color=RUN_COLOUR, linewidth=1)
            frames.plot(spread.p99s, [position] * len(spread.p99s), "o", color=colours[position], markersize=4)
            frames.plot([p99_median(spread)], [position], "|", color=RUN_COLOUR, markersize=12)
    frames.set_xlim(0, max([max(spread.p99s) for _, spread, _ in rows if spread.p99s] + [0.0]) * ROOM or 1.0)
    frames.set_xlabel("p99 of the frame intervals (ms):\neach run (dot), their range (line), median (tick)")
    frames.set_title("Frame pacing: lower is steadier")
    frames.grid(axis="x", linewidth=0.3)
    save(figure, os.path.join(folder, CHART_NAME))


def save(figure, path):
    """Writes the figure as a PNG file, whole, and lets it go."""
    image = io.BytesIO()
    figure.savefig(image, format="png", dpi=100, bbox_inches="tight")
    pyplot.close(figure)
    write_bytes(path, image.getvalue())
