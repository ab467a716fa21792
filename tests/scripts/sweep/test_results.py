"""The files of a sweep from fixed runs: a CSV row per run with its repeat, and in sweep.md the record
of where it ran and each combination's median and range; a whole sweep with a stand-in for the program:
how long its runs last, what it shows, the folder it writes into."""
import contextlib
import csv
import io
import os
import pathlib
import sys
import tempfile
import unittest
from unittest import mock

import sweep.__main__ as sweep_main
from sweep import console, results
from sweep_folders import CONTEXT, FAILURE, write_sweep

SYNC = "PresentSyncInterval"
NOW = "2026-01-01_00-00-00"
TYPED = "scripts/sweep.sh --sync-interval 0 1 --seconds 20 --repeat 1"


class StandIn:
    """Lumivex.exe as the sweep sees it: its first lines, then a statistics line whenever the sweep waits
    for one, until Ctrl+C, which it answers with its stopping line and its end."""

    def __init__(self, exe, args):
        self.lines = iter(CONTEXT)

    def next_line(self, deadline):
        return next(self.lines, "Statistics: PresentCount +600 (+60.00 per second)")

    def interrupt(self):
        self.lines = iter(["Stopping: CTRL_C_EVENT", None])

    def status(self):
        return 0

    kill = status  # at the end of every run: it has nothing left to do


class Files(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temporary = tempfile.TemporaryDirectory()
        cls.folder = cls.temporary.name
        # The third combination fails in its second run; the sweep stops before the last run. The first
        # combination's median (98) is not its mean.
        write_sweep(cls.folder, {SYNC: ["0", "1", "2"]}, 3, [100.0, 60.0, 30.0, 90.0, 62.0, FAILURE, 98.0, 61.0])
        with open(os.path.join(cls.folder, "sweep.md")) as stream:
            cls.markdown = stream.read()

    @classmethod
    def tearDownClass(cls):
        cls.temporary.cleanup()

    def test_a_row_per_run_with_its_repeat(self):
        with open(os.path.join(self.folder, "sweep.csv"), newline="") as stream:
            rows = list(csv.DictReader(stream))
        self.assertEqual([(row["run"], row["repeat"], row[SYNC], row["mean_rate"], row["failure"]) for row in rows],
                         [("1", "1", "0", "100.00", ""), ("2", "1", "1", "60.00", ""), ("3", "1", "2", "30.00", ""),
                          ("4", "2", "0", "90.00", ""), ("5", "2", "1", "62.00", ""), ("6", "2", "2", "", FAILURE),
                          ("7", "3", "0", "98.00", ""), ("8", "3", "1", "61.00", "")])
        self.assertEqual([[row[column] for column in ("p50_ms", "p99_ms", "max_ms", "low_1pct_rate")] for row in rows[:2]],
                         [["10.000", "20.000", "30.000", "50.00"], ["16.667", "33.333", "50.000", "30.00"]])
        self.assertEqual(rows[5]["p99_ms"], "")
        self.assertEqual(rows[0]["arguments"], "-PresentSyncInterval 0")

    def test_the_record_comes_first(self):
        self.assertTrue(self.markdown.startswith("# title\n\n- Date: 2026-01-01 00:00:00\n- Command line: `sweep.py`\n"
                                                 "- Version: v1\n- Host: host\n- OS: os\n- Adapter: %s\n" % CONTEXT[0]),
                        self.markdown)
        self.assertIn("- Runs: 8 of 9\n", self.markdown)

    def test_median_and_range_of_each_combination(self):
        rows = [line for line in self.markdown.splitlines() if line.startswith("| ")][2:]
        # Each pacing figure is the median of the runs' figures: p50, p99, maximum and 1 % low.
        swap_chain = "642 x 362, DXGI_FORMAT_B8G8R8A8_UNORM, 2 buffers"
        self.assertEqual([row.split(" | ")[:10] for row in rows],
                         [["| 0", "3 of 3", "98.00", "90.00 to 100.00", "100.00, 90.00, 98.00", "10.204", "20.408", "30.612", "49.00", swap_chain],
                          ["| 1", "3 of 3", "61.00", "60.00 to 62.00", "60.00, 62.00, 61.00", "16.393", "32.787", "49.180", "30.50", swap_chain],
                          ["| 2", "2 of 3", "30.00", "30.00 to 30.00", "30.00", "33.333", "66.667", "100.000", "15.00", swap_chain]])
        self.assertTrue(rows[2].endswith("| 1 of 2 runs: %s |" % FAILURE), rows[2])


class WholeSweep(unittest.TestCase):
    def test_runs_last_the_asked_time_in_a_folder_of_their_own(self):
        with tempfile.TemporaryDirectory() as temporary:
            open(os.path.join(temporary, "Lumivex.exe"), "w").close()
            # An earlier sweep's folder, or that of a sweep started in the same second.
            taken = os.path.join(temporary, NOW)
            os.mkdir(taken)
            argv = ["sweep", "--build", temporary, "--output", temporary] + TYPED.split()[1:]
            with (mock.patch.object(console, "LumivexRun", StandIn), mock.patch.object(sys, "argv", argv),
                  mock.patch.object(results, "wine_version", return_value=None),
                  mock.patch.object(sweep_main.time, "strftime", return_value=NOW), mock.patch("sweep.charts", create=True),
                  mock.patch.dict(os.environ, {results.COMMAND_VARIABLE: TYPED}), contextlib.redirect_stdout(io.StringIO()) as stdout):
                sweep_main.main()
            self.assertEqual(os.listdir(taken), [])
            folder = taken + "-2"
            self.assertEqual([pathlib.Path(folder, "run-0%d.txt" % run).read_text().count("Statistics:") for run in (1, 2)], [2, 2])
            self.assertIn("Run 1 of 2 (repeat 1 of 1), about 42 s left: -PresentSyncInterval 0\n", stdout.getvalue())
            self.assertEqual(results.load_record(folder)["command_line"], TYPED)


if __name__ == "__main__":
    unittest.main()
