"""What a sweep writes into its folder, and how. The folder is made when missing and checked for being
writable before anything runs, a sweep's own folder always a new one. Each file is written whole or not
at all: it goes to a side file first and then takes the place of the old one, so that a sweep stopped by
Ctrl+C in the middle of a write leaves the previous version. A folder or file that cannot be made or
written is told in one line instead of a traceback.

- sweep.json, the record: where and how the sweep ran: the date, the command line, the checkout's
  version, the host, its system and, under Wine, the Wine version; for runs on DXVK its folder, release
  and DLLs' checksums and the Vulkan device; the adapter, output, swap-chain and full-screen lines of
  the first run that printed them join later.
- sweep.csv, one row per run, and sweep.md, which starts with the record and gives each combination's
  median rate and range over its repeats (its Spread: the rates of the runs that ran, the failures of
  those that failed, and how many runs were planned, so that a sweep cut short shows its missing runs).

All are written again after every run."""
import collections
import contextlib
import csv
import io
import itertools
import json
import os
import platform
import shlex
import socket
import statistics
import subprocess
import sys
import tempfile
import time

from sweep import dxvk, options
from sweep.program import ROOT, wine_version

SIDE_SUFFIX = ".part"

RECORD_NAME = "sweep.json"
UNKNOWN = "unknown"
# The context lines of a run, by their key in the record, with their title.
CONTEXT_LINES = [("adapter", "Adapter"), ("output", "Output"), ("swap_chain", "Swap chain"),
                 ("fullscreen_mode", "Full screen")]
# The command line as typed, which sweep.sh passes on; a sweep started by hand records its own.
COMMAND_VARIABLE = "LUMIVEX_SWEEP_COMMAND"
ENVIRONMENT = [("date", "Date"), ("command_line", "Command line"), ("version", "Version"), ("host", "Host"),
               ("os", "OS"), ("wine", "Wine"), ("dxvk", "DXVK"), ("vulkan_device", "Vulkan device")]
# Told only where they are known; a record written before they were is read as without them.
OPTIONAL = ("wine", "dxvk", "vulkan_device")

OK = "ok"
NOT_RUN = "not run"

CSV_NAME = "sweep.csv"
TABLE_NAME = "sweep.md"
RATE_COLUMN = "mean_rate"
FAILURE_COLUMN = "failure"
# A run's frame pacing, from its record of frame times after the first statistics period: the 50th and
# 99th percentile and the maximum of the intervals, and the 1 % low rate (see frame_times).
PACING = [("p50", "p50_ms", "p50 (ms)", 3), ("p99", "p99_ms", "p99 (ms)", 3), ("max", "max_ms", "Max (ms)", 3),
          ("low", "low_1pct_rate", "1 % low (/s)", 2)]
P99_COLUMN = "p99_ms"

# pacing: the summary of the run's frame times, None without one.
Result = collections.namedtuple("Result", "run repeat combination arguments lines failure seconds pacing", defaults=[None])
# record is the content of sweep.json; combinations lists every combination in the order they run.
Sweep = collections.namedtuple("Sweep", "title record periods combinations results")


class WriteError(OSError):
    pass


def write_text(path, text):
    _replace(path, text.encode("utf-8"))


def write_bytes(path, data):
    _replace(path, data)


def _replace(path, data):
    side = path + SIDE_SUFFIX
    try:
        with open(side, "wb") as stream:
            stream.write(data)
        os.replace(side, path)
    except OSError as error:
        with contextlib.suppress(OSError):
            os.remove(side)
        raise WriteError("%s cannot be written: %s" % (path, error.strerror)) from None


class FolderError(OSError):
    pass


def make_folder(path, flag="--output"):
    """Makes path and the folders above it as needed and checks that files can be made in it; returns its
    absolute path."""
    path = os.path.abspath(path)
    if os.path.exists(path) and not os.path.isdir(path):
        raise FolderError("%s %s is not a folder" % (flag, path))
    try:
        os.makedirs(path, exist_ok=True)
    except OSError as error:
        raise FolderError("%s %s: the folder cannot be made: %s" % (flag, path, error.strerror)) from None
    try:
        os.rmdir(tempfile.mkdtemp(dir=path))
    except OSError as error:
        raise FolderError("%s %s: nothing can be written into it: %s" % (flag, path, error.strerror)) from None
    return path


def new_folder(parent, name):
    """Makes a folder of the given name in parent, never taking one that exists (an earlier sweep's, or
    that of a sweep started in the same second): a name that is taken gets "-2", "-3" and so on, which
    sort after it. Returns its path."""
    for number in itertools.count(1):
        path = os.path.join(parent, name if number == 1 else "%s-%d" % (name, number))
        try:
            os.mkdir(path)
            return path
        except FileExistsError:
            continue
        except OSError as error:
            raise FolderError("%s: the folder cannot be made: %s" % (path, error.strerror)) from None


def new_record(on_dxvk=None):
    """The record of a sweep that starts now, without its context lines; on_dxvk is the dxvk.Dxvk of its
    runs on DXVK, if any."""
    record = {
        "date": time.strftime("%Y-%m-%d %H:%M:%S"),
        "command_line": os.environ.get(COMMAND_VARIABLE) or shlex.join(sys.argv),
        "version": version(),
        "host": socket.gethostname(),
        "os": operating_system(),
        "wine": wine_version(),
        "dxvk": dxvk.describe(on_dxvk) if on_dxvk else None,
        "vulkan_device": on_dxvk.device if on_dxvk else None,
    }
    record.update({key: None for key, _ in CONTEXT_LINES})
    return record


def version():
    """git describe of the checkout that holds the sweep, or "unknown" outside one."""
    try:
        completed = subprocess.run(["git", "-C", ROOT, "describe", "--always", "--dirty"], stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, check=True)
    except (OSError, subprocess.CalledProcessError):
        return UNKNOWN
    return completed.stdout.decode("utf-8", "replace").strip() or UNKNOWN


def operating_system():
    """The system's name and release, with the distribution's name where there is one."""
    try:
        distribution = platform.freedesktop_os_release()["PRETTY_NAME"] + ", "
    except (OSError, KeyError, AttributeError):
        distribution = ""
    return distribution + platform.platform()


def add_context(record, lines):
    """Takes the context lines that the record has not got yet from one run's RunLines."""
    for key, _ in CONTEXT_LINES:
        record[key] = record[key] or getattr(lines, key)


def environment_lines(record):
    """The record's environment and context as (title, text) pairs, for the Markdown files."""
    return [(title, record.get(key) or "") for key, title in ENVIRONMENT + CONTEXT_LINES
            if record.get(key) or key not in OPTIONAL]


def save_record(folder, record):
    write_text(os.path.join(folder, RECORD_NAME), json.dumps(record, indent=2) + "\n")


def load_record(folder):
    with open(os.path.join(folder, RECORD_NAME), encoding="utf-8") as stream:
        return json.load(stream)


class Spread:
    def __init__(self, planned):
        self.planned = planned
        self.rates = []
        self.failures = []
        # The 99th percentile of the frame intervals of each run that recorded them, in ms.
        self.p99s = []

    def add(self, rate, failure, p99=None):
        """One run: its rate when it ran, or its failure text; and its frames' p99 when it has one."""
        if failure:
            self.failures.append(failure)
        else:
            self.rates.append(rate)
            if p99 is not None:
                self.p99s.append(p99)

    @property
    def runs(self):
        return len(self.rates) + len(self.failures)

    @property
    def fails(self):
        """A combination fails when any of its runs failed: a failure that comes and goes is one too."""
        return bool(self.failures)

    @property
    def median(self):
        return statistics.median(self.rates) if self.rates else None

    @property
    def low(self):
        return min(self.rates) if self.rates else None

    @property
    def high(self):
        return max(self.rates) if self.rates else None

    def runs_text(self):
        return "%d of %d" % (self.runs, self.planned)

    def failure_text(self):
        """The failures, each once; prefixed with their count when not every run failed."""
        text = " / ".join(dict.fromkeys(self.failures))
        return text if len(self.failures) == self.runs else "%d of %d runs: %s" % (len(self.failures), self.runs, text)


def p99_median(spread):
    return statistics.median(spread.p99s) if spread and spread.p99s else None


def range_text(spread):
    """Lowest to highest rate; empty for a spread without rates, or none."""
    return "%.2f to %.2f" % (spread.low, spread.high) if spread and spread.rates else ""


def result_text(spread):
    """The failures, "ok", or "not run" for a spread without runs, or none."""
    if not spread or not spread.runs:
        return NOT_RUN
    return spread.failure_text() if spread.fails else OK


def number(value, digits):
    return "" if value is None else "%.*f" % (digits, value)


def mean_rate(result):
    rates = result.lines.rates
    return sum(rates) / len(rates) if rates else None


def label(axis_names, combination):
    return ", ".join("%s %s" % (axis, combination[axis]) for axis in axis_names) or "all runs"


def spreads(sweep):
    """Each combination with the Spread of its runs and the runs themselves, in the sweep's order."""
    groups = collections.OrderedDict((options.key(combination), (combination, Spread(sweep.record["repeat"]), []))
                                     for combination in sweep.combinations)
    for result in sweep.results:
        _, spread, results = groups[options.key(result.combination)]
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
    items = environment_lines(rec) + [
        ("Settings", ", ".join("%s %s" % item for item in options.settings(rec["values"]).items())),
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
    save_record(folder, sweep.record)
    text = "# %s\n\n%s\n%s" % (sweep.title, header_lines(sweep), markdown(sweep))
    write_text(os.path.join(folder, TABLE_NAME), text)
    return text
