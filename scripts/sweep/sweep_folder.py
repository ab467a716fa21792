"""A sweep folder read back for a comparison: its record (sweep.json) and, per combination, the Spread
of the runs in sweep.csv. A combination whose runs are missing, because the sweep was cut short, has
fewer runs than planned, or none. A file that cannot be read, or that holds what no sweep writes (a
field of another type, a row cut short, a rate that no run has) or no run at all, makes the folder
NotASweep, whose text names the file and what is wrong."""
import collections
import csv
import json
import os

import axes
import record
from report import CSV_NAME, FAILURE_COLUMN, P99_COLUMN, RATE_COLUMN
from spread import Spread

SweepFolder = collections.namedtuple("SweepFolder", "path record spreads")
# Far above any display's present rate: a higher one, like a negative one or not a number, is no run's.
MAXIMUM_RATE = 1e6
# The record's whole numbers, with their least value.
NUMBERS = {"width": 1, "height": 1, "shader": 0, "seconds": 1, "repeat": 1}


class NotASweep(ValueError):
    """A folder that holds no readable sweep."""


def read(path):
    """The SweepFolder at path; its spreads map each planned combination (a dictionary of every option's
    value) by axes.key, in the sweep's order."""
    rec = _record(path)
    values, swept = rec["values"], rec["axes"]
    spreads = collections.OrderedDict((axes.key(combination), (combination, Spread(rec["repeat"])))
                                      for combination in axes.combinations(values))
    name = os.path.join(path, CSV_NAME)
    for number, row in enumerate(_rows(name, swept), 1):
        where = "%s, row %d" % (name, number)
        if None in row or None in row.values():
            raise NotASweep("%s does not have as many cells as the header: the file is cut short or broken" % where)
        combination = {option: row[option] if option in swept else chosen[0] for option, chosen in values.items()}
        if axes.key(combination) not in spreads:
            raise NotASweep("%s: its options are none of the combinations in %s" % (where, record.RECORD_NAME))
        failure = row[FAILURE_COLUMN]
        rate = None if failure else _rate(row[RATE_COLUMN])
        if not failure and rate is None:
            raise NotASweep("%s: %s %r is not a rate of 0 to %g per second" % (where, RATE_COLUMN, row[RATE_COLUMN],
                                                                                 MAXIMUM_RATE))
        # A sweep from before the record of frame times has no p99.
        p99 = _rate(row[P99_COLUMN]) if not failure and row.get(P99_COLUMN) else None
        if row.get(P99_COLUMN) and not failure and p99 is None:
            raise NotASweep("%s: %s %r is not a time of 0 to %g ms" % (where, P99_COLUMN, row[P99_COLUMN], MAXIMUM_RATE))
        spreads[axes.key(combination)][1].add(rate, failure, p99)
    return SweepFolder(path, rec, spreads)


def _record(path):
    name = os.path.join(path, record.RECORD_NAME)
    try:
        rec = record.load(path)
    except OSError as error:
        raise NotASweep("%s is not a sweep folder: %s cannot be read (%s)" % (path, name, error.strerror)) from None
    except ValueError as error:
        raise NotASweep("%s is not JSON: %s" % (name, error)) from None
    if not isinstance(rec, dict):
        raise NotASweep("%s holds no record but %s" % (name, json.dumps(rec)))
    # A sweep from before the runs on DXVK ran on Wine's own Direct3D.
    for key in record.OPTIONAL:
        rec.setdefault(key, None)
    if isinstance(rec.get("values"), dict):
        rec["values"].setdefault(axes.D3D, [axes.BUILTIN])
    texts = [key for key, _ in record.ENVIRONMENT + record.CONTEXT_LINES]
    options = sorted(axis.option for axis in axes.AXES)
    fields = ([(key, lambda value, least=least: type(value) is int and value >= least, "a whole number of %d or more" % least)
               for key, least in NUMBERS.items()]
              + [(key, lambda value: value is None or isinstance(value, str), "a text or null") for key in texts]
              + [("values", lambda value: isinstance(value, dict) and sorted(value) == options
                  and all(map(_texts, value.values())), "a list of texts for each option"),
                 ("axes", lambda value: value == axes.swept(rec["values"]), "the options with two or more values")])
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
