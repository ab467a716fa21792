"""A sweep folder read back for a comparison: its record (sweep.json) and, per combination, the Spread
of the runs in sweep.csv. A combination whose runs are missing, because the sweep was cut short, has
fewer runs than planned, or none."""
import collections
import csv
import os

import axes
import record
from report import CSV_NAME, FAILURE_COLUMN, RATE_COLUMN
from spread import Spread

SweepFolder = collections.namedtuple("SweepFolder", "path record spreads")


class NotASweep(ValueError):
    """A folder that holds no readable sweep."""


def read(path):
    """The SweepFolder at path; its spreads map each planned combination (a dictionary of every option's
    value) by axes.key, in the sweep's order."""
    try:
        rec = record.load(path)
    except OSError:
        raise NotASweep("%s is not a sweep folder: it has no readable %s" % (path, record.RECORD_NAME)) from None
    try:
        values, swept, repeat = rec["values"], rec["axes"], rec["repeat"]
    except (KeyError, TypeError) as error:
        raise NotASweep("%s: its %s lacks %s" % (path, record.RECORD_NAME, error)) from None
    spreads = collections.OrderedDict((axes.key(combination), (combination, Spread(repeat)))
                                      for combination in axes.combinations(values))
    for number, row in enumerate(_rows(path)):
        try:
            combination = {option: row[option] if option in swept else chosen[0] for option, chosen in values.items()}
            spreads[axes.key(combination)][1].add(None if row[FAILURE_COLUMN] else float(row[RATE_COLUMN]),
                                                  row[FAILURE_COLUMN])
        except (KeyError, ValueError) as error:
            raise NotASweep("%s: row %d of %s does not fit the sweep (%s)" % (path, number + 1, CSV_NAME, error)) from None
    return SweepFolder(path, rec, spreads)


def _rows(path):
    """The rows of sweep.csv; none when the sweep stopped before its first run ended."""
    try:
        with open(os.path.join(path, CSV_NAME), newline="", encoding="utf-8") as stream:
            return list(csv.DictReader(stream))
    except FileNotFoundError:
        return []
