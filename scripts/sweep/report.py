"""The results of a sweep as files: sweep.csv with one row per run, and sweep.md, which starts with the
record of where the sweep ran and gives each combination's median rate and range over its repeats.
Both are written again after every run."""
import collections
import csv
import io
import os
import statistics

import axes
import record
from files import write_text
from spread import Spread, range_text, result_text

CSV_NAME = "sweep.csv"
TABLE_NAME = "sweep.md"
RATE_COLUMN = "mean_rate"
FAILURE_COLUMN = "failure"
# A run's frame pacing, from its record of frame times after the first statistics period: the 50th and
# 99th percentile and the maximum of the intervals, and the 1 % low rate (see frame_times.py).
PACING = [("p50", "p50_ms", "p50 (ms)", 3), ("p99", "p99_ms", "p99 (ms)", 3), ("max", "max_ms", "Max (ms)", 3),
          ("low", "low_1pct_rate", "1 % low (/s)", 2)]
P99_COLUMN = "p99_ms"

# pacing: the summary of the run's frame times, None without one.
Result = collections.namedtuple("Result", "run repeat combination arguments lines failure seconds pacing", defaults=[None])
# record is the content of sweep.json; combinations lists every combination in the order they run.
Sweep = collections.namedtuple("Sweep", "title record periods combinations results")


def number(value, digits):
    return "" if value is None else "%.*f" % (digits, value)


def mean_rate(result):
    rates = result.lines.rates
    return sum(rates) / len(rates) if rates else None


def label(axis_names, combination):
    return ", ".join("%s %s" % (axis, combination[axis]) for axis in axis_names) or "all runs"


def spreads(sweep):
    """Each combination with the Spread of its runs and the runs themselves, in the sweep's order."""
    groups = collections.OrderedDict((axes.key(combination), (combination, Spread(sweep.record["repeat"]), []))
                                     for combination in sweep.combinations)
    for result in sweep.results:
        _, spread, results = groups[axes.key(result.combination)]
        spread.add(mean_rate(result), result.failure, result.pacing and result.pacing["p99"])
        results.append(result)
    return list(groups.values())


def csv_text(sweep):
    """sweep.csv: the header and a row per run, in the order the runs ran."""
    swept = sweep.record["axes"]
    header = (["run", "repeat"] + swept + ["arguments", "width", "height", "format", "buffer_count"]
              + ["rate_%d" % (period + 1) for period in range(sweep.periods)]
              + [RATE_COLUMN] + [column for _, column, _, _ in PACING]
              + ["dxgi_present_rate", "dxgi_present_refresh_rate", "dxgi_sync_refresh_rate",
                 "warnings", "present_failures", FAILURE_COLUMN, "seconds"])
    stream = io.StringIO()
    writer = csv.writer(stream, lineterminator="\n")
    writer.writerow(header)
    for result in sweep.results:
        lines = result.lines
        rates = [number(rate, 2) for rate in lines.rates] + [""] * (sweep.periods - len(lines.rates))
        writer.writerow([result.run, result.repeat] + [result.combination[axis] for axis in swept]
                        + [" ".join(result.arguments), lines.width, lines.height, lines.format, lines.buffer_count]
                        + rates[:sweep.periods] + [number(mean_rate(result), 2)]
                        + [number(result.pacing and result.pacing[key], digits) for key, _, _, digits in PACING]
                        + [number(value, 3) for value in lines.frame_statistics_means()]
                        + [" | ".join(lines.warnings), " | ".join(lines.present_failures), result.failure or "",
                           number(result.seconds, 1)])
    return stream.getvalue()


def markdown_table(rows):
    """A Markdown table of the given rows, the first being the header."""
    cells = [rows[0], ["---"] * len(rows[0])] + rows[1:]
    return "".join("| %s |\n" % " | ".join(str(cell).replace("|", "\\|") for cell in row) for row in cells)


def header_lines(sweep):
    """What sweep.md starts with: the record of where the sweep ran and its settings."""
    rec = sweep.record
    items = record.environment_lines(rec) + [
        ("Settings", ", ".join("%s %s" % item for item in axes.settings(rec["values"]).items())),
        ("Repeats", "%d of each combination, in turn" % rec["repeat"]),
        ("Runs", "%d of %d" % (len(sweep.results), len(sweep.combinations) * rec["repeat"])),
    ]
    return "".join("- %s: %s\n" % (title, "`%s`" % text if title == "Command line" else text) for title, text in items)


def combination_row(combination, spread, results, swept):
    """A combination's line of the table: its options, runs, median, range, each run's rate, the swap
    chain, the median DXGI rates, the warnings and the result."""
    described = [result.lines for result in results if result.lines.format]
    swap_chain = ("%d x %d, %s, %d buffers" % (described[0].width, described[0].height, described[0].format,
                                              described[0].buffer_count) if described else "")
    means = [result.lines.frame_statistics_means() for result in results]
    means = [mean for mean in means if None not in mean]
    dxgi = ", ".join(number(statistics.median(column), 1) for column in zip(*means)) if means else ""
    notes = dict.fromkeys(note for result in results for note in result.lines.warnings + result.lines.present_failures)
    paced = [result.pacing for result in results if result.pacing and not result.failure]
    return ([combination[axis] for axis in swept]
            + [spread.runs_text(), number(spread.median, 2),
               range_text(spread),
               ", ".join(number(mean_rate(result), 2) for result in results if not result.failure)]
            + [number(statistics.median(pacing[key] for pacing in paced) if paced else None, digits)
               for key, _, _, digits in PACING]
            + [swap_chain, dxgi, "<br>".join(notes), result_text(spread)])


def markdown(sweep):
    """The table of the combinations."""
    swept = sweep.record["axes"]
    header = swept + ["Runs", "Median (/s)", "Range (/s)", "Runs' rates (/s)"] + [title for _, _, title, _ in PACING] + ["Swap chain",
                      "DXGI present, refresh, sync (/s)", "Warnings", "Result"]
    return markdown_table([header] + [combination_row(combination, spread, results, swept)
                                      for combination, spread, results in spreads(sweep)])


def write(folder, sweep):
    """Writes sweep.csv, sweep.json and sweep.md into folder; returns the text of sweep.md."""
    write_text(os.path.join(folder, CSV_NAME), csv_text(sweep))
    record.save(folder, sweep.record)
    text = "# %s\n\n%s\n%s" % (sweep.title, header_lines(sweep), markdown(sweep))
    write_text(os.path.join(folder, TABLE_NAME), text)
    return text
