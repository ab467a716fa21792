"""The presentation sweep end to end: scripts/sweep.sh runs the real program under Wine for each
combination, the repeats in turn, stops each run with Ctrl+C and writes its files; a second sweep, in
which the overlay rejects the format, is stopped by Ctrl+C after its first repeat, and the comparison
of the two counts its missing runs. The layout of the files is the scripts' own tests'."""
import csv
import json
import os
import re
import subprocess
import tempfile
import unittest

from rendering import parse_ppm
from sweep.program import ROOT, Run, environment

SWEEP = os.path.join(ROOT, "scripts", "sweep.sh")
SWEEP_LIMIT = 290
BAR_COLOUR = b"\x1f\x77\xb4"
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
NO_SWAP_CHAIN2 = ("Exception: 0x80FF01E5 Failed to object IDXGISwapChain2 while enabling "
                  "DXGI_SWAP_CHAIN_FLAG_FRAME_LATENCY_WAITABLE_OBJECT")
OVERLAY_FORMAT = "Non-zero overlay mode requires DXGI_FORMAT_B8G8R8A8_UNORM format"
# Sync intervals 0 and 1, each without and with the waitable object, which this Wine cannot give.
AXES = ["--width", "320", "--height", "240", "--sync-interval", "0", "1", "--waitable", "0", "3", "--repeat", "2"]
INTERRUPTED = 130


def folder_of(output):
    folders = os.listdir(output)
    assert len(folders) == 1, folders
    return os.path.join(output, folders[0])


def sweep(args):
    completed = subprocess.run([SWEEP] + args, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                               env=environment(), timeout=SWEEP_LIMIT)
    return completed.returncode, completed.stdout.decode("utf-8", "replace")


def interrupted_sweep(args, before):
    """Runs a sweep until it prints a line that starts with before, then sends it Ctrl+C as a terminal
    would; returns its exit status and lines."""
    with Run(args, group=True, command=[SWEEP]) as run:
        if not run.wait_for_pattern(re.escape(before) + ".*", SWEEP_LIMIT):
            raise AssertionError("no %r line: %r" % (before, run.lines))
        run.interrupt()
        return run.wait(SWEEP_LIMIT), run.lines


def rows(path):
    with open(path, newline="") as stream:
        return list(csv.DictReader(stream))


class Sweep(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temporary = tempfile.TemporaryDirectory()
        a, b = (os.path.join(cls.temporary.name, name) for name in "ab")
        cls.sweep_a = sweep(AXES + ["--seconds", "10", "--output", a])
        cls.sweep_b = interrupted_sweep(AXES + ["--overlay", "1", "--format", "r10g10b10a2", "--output", b], "Run 5 of 8")
        cls.a, cls.b = folder_of(a), folder_of(b)
        cls.status, cls.stdout = sweep(["--compare", cls.a, cls.b])

    @classmethod
    def tearDownClass(cls):
        cls.temporary.cleanup()

    def test_the_failures_as_results_and_the_table_at_the_end(self):
        status, stdout = self.sweep_a
        self.assertEqual(status, 0, stdout)
        self.assertRegex(os.path.basename(self.a), r"^\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d$")
        found = rows(os.path.join(self.a, "sweep.csv"))
        self.assertEqual(len(found), 8)
        # Each run's console lines and its record of frame times.
        self.assertEqual(sorted(name for name in os.listdir(self.a) if name.startswith("run-")),
                         sorted(["run-%02d.txt" % run for run in range(1, 9)] + ["run-%02d-frames.csv" % run for run in range(1, 9)]))
        for row in found:
            with self.subTest(row=row["run"]):
                self.assertTrue(322 <= int(row["width"]) < 360 and 242 <= int(row["height"]) < 280, row)
                self.assertEqual((row["format"], row["buffer_count"]), ("DXGI_FORMAT_B8G8R8A8_UNORM", "2"))
                if row["WaitableObject"] == "0":
                    self.assertTrue(float(row["rate_1"]) > 0 and row["failure"] == "", row)
                    self.assertTrue(0 < float(row["p50_ms"]) <= float(row["p99_ms"]) <= float(row["max_ms"]), row)
                    # The slowest 1 % as a rate lies between the slowest interval's and the median's (the
                    # mean rate comes from the "Statistics:" lines, over other frames than the summary's).
                    low = float(row["low_1pct_rate"])
                    self.assertTrue(0.995 * 1000 / float(row["max_ms"]) <= low <= 1.005 * 1000 / float(row["p50_ms"]), row)
                else:
                    self.assertEqual((row["rate_1"], row["failure"], row["p99_ms"]), ("", NO_SWAP_CHAIN2, ""))
        self.assertIn("Run 8 of 8 (repeat 2 of 2), about ", stdout)
        with open(os.path.join(self.a, "sweep.md")) as stream:
            markdown = stream.read()
        self.assertTrue(stdout.endswith("\n%sWritten to %s\n" % (markdown, self.a)), stdout)
        # A row for each combination: one that ran, and one that failed in every run.
        table = markdown.split("\n\n")[2]
        self.assertEqual(len(table.splitlines()), 6, table)
        self.assertRegex(table, r"\| 0 \| 0 \| 2 of 2 \| \d+\.\d\d \| \d+\.\d\d to \d+\.\d\d \| ")
        self.assertIn("| 1 | 3 | 2 of 2 |  |  |  | ", table)

    def test_the_record_of_where_it_ran(self):
        with open(os.path.join(self.a, "sweep.json")) as stream:
            record = json.load(stream)
        self.assertNotEqual(record["version"], "unknown")  # the tests run in a checkout
        self.assertTrue(record["wine"].startswith("wine-"), record)
        self.assertTrue(record["adapter"].startswith("DXGI Adapter: "), record)
        self.assertTrue(record["swap_chain"].startswith("DXGI SwapChain: 322 x 242, "), record)
        self.assertEqual((record["axes"], record["repeat"]), (["PresentSyncInterval", "WaitableObject"], 2))

    def test_chart_shows_the_two_rates(self):
        chart_path = os.path.join(self.a, "sweep.png")
        with open(chart_path, "rb") as stream:
            self.assertEqual(stream.read(8), PNG_SIGNATURE)
        chart = parse_ppm(subprocess.run(["convert", chart_path, "-depth", "8", "ppm:-"], stdout=subprocess.PIPE,
                                         check=True).stdout)
        bar = sum(1 for index in range(0, len(chart.pixels), 3) if chart.pixels[index:index + 3] == BAR_COLOUR)
        # Two bars of medians, each at least a quarter of the chart's width long.
        self.assertGreater(bar, 2 * chart.width // 4 * 20, (chart.width, chart.height, bar))

    def test_ctrl_c_keeps_what_was_measured(self):
        status, lines = self.sweep_b
        self.assertEqual(status, INTERRUPTED, lines)
        self.assertEqual(lines[-1], "Interrupted; what was measured so far: 4 of 8 runs, in %s" % self.b)
        self.assertEqual([row["repeat"] for row in rows(os.path.join(self.b, "sweep.csv"))], ["1"] * 4)

    def test_compared_verdicts_with_missing_runs_and_the_exit_status(self):
        self.assertEqual(self.status, 1, self.stdout)
        found = {(row["PresentSyncInterval"], row["WaitableObject"]): row for row in rows(os.path.join(self.b, "compare.csv"))}
        self.assertEqual({key: (row["a_runs"], row["b_runs"], row["verdict"]) for key, row in found.items()},
                         {("0", "0"): ("2", "1", "now fails"), ("1", "0"): ("2", "1", "now fails"),
                          ("0", "3"): ("2", "1", "same"), ("1", "3"): ("2", "1", "same")})
        self.assertGreater(float(found["0", "0"]["a_median"]), 0)
        self.assertIn(OVERLAY_FORMAT, found["0", "0"]["b_result"])
        self.assertIn("| OverlayMode | 0 | 1 | yes |", self.stdout)
        self.assertTrue(self.stdout.endswith("Written to %s\n" % self.b), self.stdout)
        with open(os.path.join(self.b, "compare.png"), "rb") as stream:
            self.assertEqual(stream.read(8), PNG_SIGNATURE)


if __name__ == "__main__":
    unittest.main()
