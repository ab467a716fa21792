"""The results of a sweep as files: a CSV file with one row per run, a Markdown table and a PNG chart
of the present rate of each combination."""
import collections
import csv
import os

import matplotlib

matplotlib.use("Agg")
from matplotlib import pyplot  # noqa: E402 (the backend is chosen first)

CSV_NAME = "sweep.csv"
TABLE_NAME = "sweep.md"
CHART_NAME = "sweep.png"
BAR_COLOUR = "#1f77b4"
FAILURE_COLOUR = "#d62728"
OK = "ok"

Result = collections.namedtuple("Result", "combination arguments lines failure")
Sweep = collections.namedtuple("Sweep", "title axes periods results")


def number(value, digits):
    return "" if value is None else "%.*f" % (digits, value)


def mean_rate(result):
    rates = result.lines.rates
    return sum(rates) / len(rates) if rates else None


def label(sweep, result):
    return ", ".join("%s %s" % (axis, result.combination[axis]) for axis in sweep.axes) or "defaults"


def csv_rows(sweep):
    """The header and the rows of the CSV file."""
    header = (["run"] + sweep.axes + ["arguments", "width", "height", "format", "buffer_count"]
              + ["rate_%d" % (period + 1) for period in range(sweep.periods)]
              + ["mean_rate", "dxgi_present_rate", "dxgi_present_refresh_rate", "dxgi_sync_refresh_rate",
                 "warnings", "present_failures", "failure"])
    rows = []
    for index, result in enumerate(sweep.results):
        lines = result.lines
        rates = [number(rate, 2) for rate in lines.rates] + [""] * (sweep.periods - len(lines.rates))
        rows.append([index + 1] + [result.combination[axis] for axis in sweep.axes]
                    + [" ".join(result.arguments), lines.width, lines.height, lines.format, lines.buffer_count]
                    + rates[:sweep.periods] + [number(mean_rate(result), 2)]
                    + [number(value, 3) for value in lines.frame_statistics_means()]
                    + [" | ".join(lines.warnings), " | ".join(lines.present_failures), result.failure or ""])
    return header, rows


def markdown(sweep):
    """The table of the runs: options, swap chain, present rates, frame statistics, warnings, result."""
    header = (["Run"] + sweep.axes + ["Swap chain", "Present rate (/s)", "DXGI present, refresh, sync (/s)",
                                      "Warnings", "Result"])
    rows = []
    for index, result in enumerate(sweep.results):
        lines = result.lines
        swap_chain = ("%d x %d, %s, %d buffers" % (lines.width, lines.height, lines.format, lines.buffer_count)
                      if lines.format else "")
        means = lines.frame_statistics_means()
        rows.append([str(index + 1)] + [result.combination[axis] for axis in sweep.axes]
                    + [swap_chain, ", ".join(number(rate, 2) for rate in lines.rates),
                       ", ".join(number(value, 1) for value in means) if None not in means else "",
                       "<br>".join(lines.warnings + lines.present_failures), result.failure or OK])
    cells = [header, ["---"] * len(header)] + rows
    return "".join("| %s |\n" % " | ".join(cell.replace("|", "\\|") for cell in row) for row in cells)


def write_chart(path, sweep):
    """Horizontal bars of the mean present rate; a failed run is marked with its failure."""
    rates = [mean_rate(result) or 0.0 for result in sweep.results]
    figure, axes = pyplot.subplots(figsize=(11, 1.6 + 0.42 * len(rates)))
    axes.barh(range(len(rates)), rates, color=BAR_COLOUR)
    for position, (rate, result) in enumerate(zip(rates, sweep.results)):
        text, colour = (result.failure, FAILURE_COLOUR) if result.failure else (number(rate, 2), "black")
        axes.text(rate, position, " " + text, va="center", fontsize=8, color=colour)
    axes.set_yticks(range(len(rates)), [label(sweep, result) for result in sweep.results], fontsize=8)
    axes.invert_yaxis()
    axes.set_xlim(0, max(rates + [0.0]) * 1.25 or 1.0)
    axes.set_xlabel("presents per second (mean of the run's \"Statistics:\" lines)")
    axes.set_title(sweep.title)
    figure.savefig(path, dpi=100, bbox_inches="tight")
    pyplot.close(figure)


def write(folder, sweep):
    """Writes the three files into folder; returns the Markdown table."""
    header, rows = csv_rows(sweep)
    with open(os.path.join(folder, CSV_NAME), "w", newline="", encoding="utf-8") as stream:
        writer = csv.writer(stream)
        writer.writerow(header)
        writer.writerows(rows)
    table = markdown(sweep)
    with open(os.path.join(folder, TABLE_NAME), "w", encoding="utf-8") as stream:
        stream.write("# %s\n\n%s" % (sweep.title, table))
    write_chart(os.path.join(folder, CHART_NAME), sweep)
    return table
