"""Compares two sweep folders, A and B: reads each back (its record, sweep.json, and per combination the
Spread of the runs in sweep.csv), matches their combinations by the options that either sweep varied
(its axes; an option given a single value is a setting, shown side by side, not matched), gives each
combination A's and B's median and range, B/A and a verdict, and writes compare.csv, compare.md and
compare.png into B's folder or the given one. Its status is 1 when a combination is slower or now
fails, so that a CI job can stop on a regression, and 0 otherwise; a folder that cannot be read or
written, or holds no sweep, is told in one line with status 2.

A combination whose runs are missing, because the sweep was cut short, has fewer runs than planned, or
none. A file that cannot be read, or that holds what no sweep writes (a field of another type, a row cut
short, a rate that no run has) or no run at all, makes the folder NotASweep, whose text names the file
and what is wrong.

A combination that ran in both sweeps is faster or slower only when its two ranges of rates do not
overlap (every run of one beats every run of the other) and its median moved by more than the
threshold, a fraction of A's median; anything less is noise and the verdict is "same". A failure in any
run makes the combination fail in that sweep."""
import collections
import csv
import io
import json
import os
import statistics
import sys

from sweep import options, results
from sweep.arguments import USAGE_STATUS
from sweep.options import DEFAULT_THRESHOLD, PERCENT
from sweep.results import (CSV_NAME as SWEEP_CSV_NAME, FAILURE_COLUMN, P99_COLUMN, RATE_COLUMN, RECORD_NAME, Spread,
                           markdown_table, number, p99_median, range_text, result_text)

SAME = "same"
FASTER = "faster"
SLOWER = "slower"
NOW_FAILS = "now fails"
NOW_RUNS = "now runs"
ONLY_IN_A = "only in A"
ONLY_IN_B = "only in B"
# The pacing verdicts, on the 99th percentile of the frame intervals by the same rule: lower is steadier.
STEADIER = "steadier"
CHOPPIER = "choppier"
# The verdicts that stop a CI job.
REGRESSIONS = (SLOWER, NOW_FAILS, CHOPPIER)
REGRESSION_STATUS = 1

CSV_NAME = "compare.csv"
TABLE_NAME = "compare.md"

Row = collections.namedtuple("Row", "values a b verdict ratio pacing")
SweepFolder = collections.namedtuple("SweepFolder", "path record spreads")
# Far above any display's present rate: a higher one, like a negative one or not a number, is no run's.
MAXIMUM_RATE = 1e6
# The record's whole numbers, with their least value.
NUMBERS = {"width": 1, "height": 1, "shader": 0, "seconds": 1, "repeat": 1}


class NotASweep(ValueError):
    """A folder that holds no readable sweep."""


def read_folder(path):
    """The SweepFolder at path; its spreads map each planned combination (a dictionary of every option's
    value) by key, in the sweep's order."""
    rec = _record(path)
    values, swept = rec["values"], rec["axes"]
    spreads = collections.OrderedDict((options.key(combination), (combination, Spread(rec["repeat"])))
                                      for combination in options.combinations(values))
    name = os.path.join(path, SWEEP_CSV_NAME)
    for row_number, row in enumerate(_rows(name, swept), 1):
        where = "%s, row %d" % (name, row_number)
        if None in row or None in row.values():
            raise NotASweep("%s does not have as many cells as the header: the file is cut short or broken" % where)
        combination = {option: row[option] if option in swept else chosen[0] for option, chosen in values.items()}
        if options.key(combination) not in spreads:
            raise NotASweep("%s: its options are none of the combinations in %s" % (where, RECORD_NAME))
        failure = row[FAILURE_COLUMN]
        rate = None if failure else _rate(row[RATE_COLUMN])
        if not failure and rate is None:
            raise NotASweep("%s: %s %r is not a rate of 0 to %g per second" % (where, RATE_COLUMN, row[RATE_COLUMN],
                                                                                 MAXIMUM_RATE))
        # A sweep from before the record of frame times has no p99.
        p99 = _rate(row[P99_COLUMN]) if not failure and row.get(P99_COLUMN) else None
        if row.get(P99_COLUMN) and not failure and p99 is None:
            raise NotASweep("%s: %s %r is not a time of 0 to %g ms" % (where, P99_COLUMN, row[P99_COLUMN], MAXIMUM_RATE))
        spreads[options.key(combination)][1].add(rate, failure, p99)
    return SweepFolder(path, rec, spreads)


def _record(path):
    name = os.path.join(path, RECORD_NAME)
    try:
        rec = results.load_record(path)
    except OSError as error:
        raise NotASweep("%s is not a sweep folder: %s cannot be read (%s)" % (path, name, error.strerror)) from None
    except ValueError as error:
        raise NotASweep("%s is not JSON: %s" % (name, error)) from None
    if not isinstance(rec, dict):
        raise NotASweep("%s holds no record but %s" % (name, json.dumps(rec)))
    # A sweep from before the runs on DXVK ran on Wine's own Direct3D.
    for key in results.OPTIONAL:
        rec.setdefault(key, None)
    if isinstance(rec.get("values"), dict):
        rec["values"].setdefault(options.D3D, [options.BUILTIN])
    texts = [key for key, _ in results.ENVIRONMENT + results.CONTEXT_LINES]
    names = sorted(axis.option for axis in options.AXES)
    fields = ([(key, lambda value, least=least: type(value) is int and value >= least, "a whole number of %d or more" % least)
               for key, least in NUMBERS.items()]
              + [(key, lambda value: value is None or isinstance(value, str), "a text or null") for key in texts]
              + [("values", lambda value: isinstance(value, dict) and sorted(value) == names
                  and all(map(_texts, value.values())), "a list of texts for each option"),
                 ("axes", lambda value: value == options.swept(rec["values"]), "the options with two or more values")])
    for key, fits, what in fields:
        if key not in rec or not fits(rec[key]):
            raise NotASweep("%s: %s is %s, not %s" % (name, key, json.dumps(rec[key]) if key in rec else "missing", what))
    return rec


def _rows(name, swept):
    """The rows of sweep.csv, which holds the header from the start and a row per run that ended."""
    try:
        with open(name, newline="", encoding="utf-8") as stream:
            reader = csv.DictReader(stream)
            rows, header = list(reader), reader.fieldnames
    except (OSError, ValueError, csv.Error) as error:
        raise NotASweep("%s cannot be read: %s" % (name, getattr(error, "strerror", None) or error)) from None
    if not header:
        raise NotASweep("%s is empty" % name)
    missing = [column for column in swept + [RATE_COLUMN, FAILURE_COLUMN] if column not in header]
    if missing:
        raise NotASweep("%s lacks the column%s %s" % (name, "s"[:len(missing) - 1], ", ".join(missing)))
    if not rows:
        raise NotASweep("%s holds no run: the sweep measured nothing" % name)
    return rows


def _texts(value):
    return isinstance(value, list) and value and all(isinstance(text, str) for text in value)


def _rate(text):
    """A run's mean rate as sweep.csv gives it; None for a text that is no run's rate."""
    try:
        value = float(text)
    except ValueError:
        return None
    return value if 0 <= value <= MAXIMUM_RATE else None


def verdict(a, b, threshold=DEFAULT_THRESHOLD):
    """The verdict on the spreads of one combination in A and in B; a spread without runs (or None)
    counts as not measured there."""
    measured_a, measured_b = bool(a and a.runs), bool(b and b.runs)
    if not measured_b:
        return ONLY_IN_A
    if not measured_a:
        return ONLY_IN_B
    if a.fails or b.fails:
        return SAME if a.fails and b.fails else NOW_FAILS if b.fails else NOW_RUNS
    moved = (b.median - a.median) / a.median if a.median else float("inf") if b.median else 0.0
    if b.low > a.high and moved > threshold:
        return FASTER
    if b.high < a.low and -moved > threshold:
        return SLOWER
    return SAME


def pacing(a, b, threshold=DEFAULT_THRESHOLD):
    """The verdict on the frames' p99 of one combination in A and in B: steadier or choppier when the
    two ranges of the runs' p99 do not overlap and the median moved by more than the threshold; empty
    when either sweep has no p99 of it (a sweep from before the record, or no run that ran)."""
    if not (a and a.p99s and b and b.p99s):
        return ""
    low_a, high_a, low_b, high_b = min(a.p99s), max(a.p99s), min(b.p99s), max(b.p99s)
    median_a = statistics.median(a.p99s)
    moved = (statistics.median(b.p99s) - median_a) / median_a if median_a else 0.0
    if high_b < low_a and -moved > threshold:
        return STEADIER
    if low_b > high_a and moved > threshold:
        return CHOPPIER
    return SAME


def ratio(a, b):
    """B's median over A's, None when either has none."""
    return b.median / a.median if a and b and a.median and b.median is not None else None


def union_axes(a, b):
    """The options that A or B varied, in the order of the axes."""
    return [axis.option for axis in options.AXES if axis.option in a.record["axes"] or axis.option in b.record["axes"]]


def by_values(folder, matched):
    """The folder's spreads by the values of the given options."""
    return collections.OrderedDict((tuple(combination[option] for option in matched), spread)
                                   for combination, spread in folder.spreads.values())


def match(a, b, threshold):
    """A row per combination measured in A or B: A's combinations in A's order, then B's others."""
    matched = union_axes(a, b)
    in_a, in_b = by_values(a, matched), by_values(b, matched)
    rows = []
    for values in list(in_a) + [values for values in in_b if values not in in_a]:
        spread_a, spread_b = in_a.get(values), in_b.get(values)
        if (spread_a and spread_a.runs) or (spread_b and spread_b.runs):
            rows.append(Row(dict(zip(matched, values)), spread_a, spread_b, verdict(spread_a, spread_b, threshold),
                            ratio(spread_a, spread_b), pacing(spread_a, spread_b, threshold)))
    return matched, rows


def csv_text(matched, rows):
    stream = io.StringIO()
    writer = csv.writer(stream, lineterminator="\n")
    writer.writerow(matched + ["a_runs", "a_median", "a_low", "a_high", "b_runs", "b_median", "b_low", "b_high",
                               "b_over_a", "verdict", "a_p99_median", "b_p99_median", "pacing", "a_result", "b_result"])
    for row in rows:
        cells = []
        for spread in (row.a, row.b):
            cells += ([spread.runs, number(spread.median, 2), number(spread.low, 2), number(spread.high, 2)]
                      if spread else [0, "", "", ""])
        writer.writerow([row.values[option] for option in matched] + cells
                        + [number(row.ratio, 3), row.verdict, number(p99_median(row.a), 3), number(p99_median(row.b), 3),
                           row.pacing, result_text(row.a), result_text(row.b)])
    return stream.getvalue()


def settings_rows(a, b):
    """The two sweeps' records and settings side by side, a row per item, marked where they differ."""
    items = []
    for rec in (a.record, b.record):
        items.append(results.environment_lines(rec) + [
            ("Frame size", "%d x %d" % (rec["width"], rec["height"])), ("Shader", str(rec["shader"])),
            ("Seconds per run", str(rec["seconds"])), ("Repeats", str(rec["repeat"])),
        ] + [(option, " ".join(values)) for option, values in rec["values"].items()])
    texts_a, texts_b = dict(items[0]), dict(items[1])
    titles = list(dict.fromkeys([title for title, _ in items[0] + items[1]]))
    return [["Setting", "A", "B", "Differs"]] + [[title, texts_a.get(title, ""), texts_b.get(title, ""),
                                                   "yes" if texts_a.get(title) != texts_b.get(title) else ""]
                                                  for title in titles]


def combination_rows(matched, rows):
    header = matched + ["A runs", "A median (/s)", "A range (/s)", "B runs", "B median (/s)", "B range (/s)", "B/A",
                        "Verdict", "A p99 (ms)", "B p99 (ms)", "Pacing", "A result", "B result"]
    return [header] + [[row.values[option] for option in matched]
                       + [row.a.runs_text() if row.a else "", number(row.a and row.a.median, 2), range_text(row.a),
                          row.b.runs_text() if row.b else "", number(row.b and row.b.median, 2), range_text(row.b),
                          number(row.ratio, 3), row.verdict, number(p99_median(row.a), 3), number(p99_median(row.b), 3),
                          row.pacing, result_text(row.a), result_text(row.b)]
                       for row in rows]


def summary(rows):
    counts = collections.Counter(row.verdict for row in rows)
    paced = collections.Counter(row.pacing for row in rows if row.pacing)
    rates = ", ".join("%d %s" % (counts[name], name) for name in
                      (SAME, FASTER, SLOWER, NOW_FAILS, NOW_RUNS, ONLY_IN_A, ONLY_IN_B) if counts[name])
    steadiness = ", ".join("%d %s" % (paced[name], name) for name in (SAME, STEADIER, CHOPPIER) if paced[name])
    return rates + ("; pacing: " + steadiness if steadiness else "")


def markdown(a, b, threshold, matched, rows):
    rule = ("A combination is faster or slower when its ranges in A and B do not overlap and its median moved by "
            "more than %g %% of A's; otherwise it is the same. A failed run makes its combination fail. Its pacing, by "
            "the same rule on the runs' 99th percentile of the frame intervals, is steadier (lower), choppier (higher) "
            "or the same." % (threshold * PERCENT))
    return ("# Sweep B against sweep A\n\n- A: %s\n- B: %s\n- Rule: %s\n- Verdicts: %s\n\n## Settings\n\n%s\n"
            "## Combinations\n\n%s" % (a.path, b.path, rule, summary(rows) or "no combination measured",
                                       markdown_table(settings_rows(a, b)),
                                       markdown_table(combination_rows(matched, rows))))


def status(rows):
    return REGRESSION_STATUS if any(row.verdict in REGRESSIONS or row.pacing in REGRESSIONS for row in rows) else 0


def main(paths, threshold, output):
    """Compares the sweep folders paths (A, B) and writes the comparison; returns the exit status."""
    try:
        a, b = (read_folder(os.path.abspath(path)) for path in paths)
        folder = results.make_folder(output or b.path, "--output" if output else "B")
        from sweep import charts  # matplotlib only here: the reading, the matching and their tests do without it
        matched, rows = match(a, b, threshold)
        text = markdown(a, b, threshold, matched, rows)
        results.write_text(os.path.join(folder, CSV_NAME), csv_text(matched, rows))
        results.write_text(os.path.join(folder, TABLE_NAME), text)
        charts.write_compare_chart(folder, matched, rows)
    except (NotASweep, results.FolderError, results.WriteError) as error:
        sys.stderr.write("sweep.sh: --compare: %s\n" % error)
        return USAGE_STATUS
    print("%s\nWritten to %s" % (text, folder))
    return status(rows)
