"""Compares two sweep folders, A and B: matches their combinations by the options that either sweep
varied (its axes; an option given a single value is a setting, shown side by side, not matched), gives
each combination A's and B's median and range, B/A and a verdict (see verdict.py), and writes
compare.csv, compare.md and compare.png into B's folder or the given one. Its status is 1 when a
combination is slower or now fails, so that a CI job can stop on a regression, and 0 otherwise; a folder
that cannot be read or written, or holds no sweep, is told in one line with status 2."""
import collections
import csv
import io
import os
import sys

import axes
import folders
import record
import sweep_folder
import verdict
from checks import USAGE_STATUS
from files import WriteError, write_text
from report import markdown_table, number
from spread import p99_median, range_text, result_text

CSV_NAME = "compare.csv"
TABLE_NAME = "compare.md"
REGRESSION_STATUS = 1

Row = collections.namedtuple("Row", "values a b verdict ratio pacing")


def union_axes(a, b):
    """The options that A or B varied, in the order of the axes."""
    return [axis.option for axis in axes.AXES if axis.option in a.record["axes"] or axis.option in b.record["axes"]]


def by_values(folder, options):
    """The folder's spreads by the values of the given options."""
    return collections.OrderedDict((tuple(combination[option] for option in options), spread)
                                   for combination, spread in folder.spreads.values())


def match(a, b, threshold):
    """A row per combination measured in A or B: A's combinations in A's order, then B's others."""
    options = union_axes(a, b)
    in_a, in_b = by_values(a, options), by_values(b, options)
    rows = []
    for values in list(in_a) + [values for values in in_b if values not in in_a]:
        spread_a, spread_b = in_a.get(values), in_b.get(values)
        if (spread_a and spread_a.runs) or (spread_b and spread_b.runs):
            rows.append(Row(dict(zip(options, values)), spread_a, spread_b, verdict.verdict(spread_a, spread_b, threshold),
                            verdict.ratio(spread_a, spread_b), verdict.pacing(spread_a, spread_b, threshold)))
    return options, rows


def csv_text(options, rows):
    stream = io.StringIO()
    writer = csv.writer(stream, lineterminator="\n")
    writer.writerow(options + ["a_runs", "a_median", "a_low", "a_high", "b_runs", "b_median", "b_low", "b_high",
                               "b_over_a", "verdict", "a_p99_median", "b_p99_median", "pacing", "a_result", "b_result"])
    for row in rows:
        cells = []
        for spread in (row.a, row.b):
            cells += ([spread.runs, number(spread.median, 2), number(spread.low, 2), number(spread.high, 2)]
                      if spread else [0, "", "", ""])
        writer.writerow([row.values[option] for option in options] + cells
                        + [number(row.ratio, 3), row.verdict, number(p99_median(row.a), 3), number(p99_median(row.b), 3),
                           row.pacing, result_text(row.a), result_text(row.b)])
    return stream.getvalue()


def settings_rows(a, b):
    """The two sweeps' records and settings side by side, a row per item, marked where they differ."""
    items = []
    for rec in (a.record, b.record):
        items.append(record.environment_lines(rec) + [
            ("Frame size", "%d x %d" % (rec["width"], rec["height"])), ("Shader", str(rec["shader"])),
            ("Seconds per run", str(rec["seconds"])), ("Repeats", str(rec["repeat"])),
        ] + [(option, " ".join(values)) for option, values in rec["values"].items()])
    texts_a, texts_b = dict(items[0]), dict(items[1])
    titles = list(dict.fromkeys([title for title, _ in items[0] + items[1]]))
    return [["Setting", "A", "B", "Differs"]] + [[title, texts_a.get(title, ""), texts_b.get(title, ""),
                                                   "yes" if texts_a.get(title) != texts_b.get(title) else ""]
                                                  for title in titles]


def combination_rows(options, rows):
    header = options + ["A runs", "A median (/s)", "A range (/s)", "B runs", "B median (/s)", "B range (/s)", "B/A",
                        "Verdict", "A p99 (ms)", "B p99 (ms)", "Pacing", "A result", "B result"]
    return [header] + [[row.values[option] for option in options]
                       + [row.a.runs_text() if row.a else "", number(row.a and row.a.median, 2), range_text(row.a),
                          row.b.runs_text() if row.b else "", number(row.b and row.b.median, 2), range_text(row.b),
                          number(row.ratio, 3), row.verdict, number(p99_median(row.a), 3), number(p99_median(row.b), 3),
                          row.pacing, result_text(row.a), result_text(row.b)]
                       for row in rows]


def summary(rows):
    counts = collections.Counter(row.verdict for row in rows)
    paced = collections.Counter(row.pacing for row in rows if row.pacing)
    rates = ", ".join("%d %s" % (counts[name], name) for name in
                      (verdict.SAME, verdict.FASTER, verdict.SLOWER, verdict.NOW_FAILS, verdict.NOW_RUNS,
                       verdict.ONLY_IN_A, verdict.ONLY_IN_B) if counts[name])
    pacing = ", ".join("%d %s" % (paced[name], name) for name in (verdict.SAME, verdict.STEADIER, verdict.CHOPPIER)
                       if paced[name])
    return rates + ("; pacing: " + pacing if pacing else "")


def markdown(a, b, threshold, options, rows):
    rule = ("A combination is faster or slower when its ranges in A and B do not overlap and its median moved by "
            "more than %g %% of A's; otherwise it is the same. A failed run makes its combination fail. Its pacing, by "
            "the same rule on the runs' 99th percentile of the frame intervals, is steadier (lower), choppier (higher) "
            "or the same." % (threshold * verdict.PERCENT))
    return ("# Sweep B against sweep A\n\n- A: %s\n- B: %s\n- Rule: %s\n- Verdicts: %s\n\n## Settings\n\n%s\n"
            "## Combinations\n\n%s" % (a.path, b.path, rule, summary(rows) or "no combination measured",
                                       markdown_table(settings_rows(a, b)),
                                       markdown_table(combination_rows(options, rows))))


def status(rows):
    return REGRESSION_STATUS if any(row.verdict in verdict.REGRESSIONS or row.pacing in verdict.REGRESSIONS
                                    for row in rows) else 0


def main(paths, threshold, output):
    """Compares the sweep folders paths (A, B) and writes the comparison; returns the exit status."""
    try:
        a, b = (sweep_folder.read(os.path.abspath(path)) for path in paths)
        folder = folders.make(output or b.path, "--output" if output else "B")
        import compare_chart  # matplotlib only here: the reading, the matching and their tests do without it
        options, rows = match(a, b, threshold)
        text = markdown(a, b, threshold, options, rows)
        write_text(os.path.join(folder, CSV_NAME), csv_text(options, rows))
        write_text(os.path.join(folder, TABLE_NAME), text)
        compare_chart.write_chart(folder, options, rows)
    except (sweep_folder.NotASweep, folders.FolderError, WriteError) as error:
        sys.stderr.write("sweep.sh: --compare: %s\n" % error)
        return USAGE_STATUS
    print("%s\nWritten to %s" % (text, folder))
    return status(rows)
