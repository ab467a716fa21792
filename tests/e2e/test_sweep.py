"""The presentation sweep end to end: scripts/sweep.sh runs the real program under Wine for each
combination, twice, the repeats in turn, stops each run with Ctrl+C, and writes its CSV file, record,
Markdown table and chart."""
import csv
import json
import os
import subprocess
import tempfile
import unittest

from lumivex import SOURCE_DIR
from rendering import parse_ppm

SWEEP = os.path.join(SOURCE_DIR, "scripts", "sweep.sh")
BAR_COLOUR = b"\x1f\x77\xb4"
NO_SWAP_CHAIN2 = ("Exception: 0x80FF01E5 Failed to object IDXGISwapChain2 while enabling "
                  "DXGI_SWAP_CHAIN_FLAG_FRAME_LATENCY_WAITABLE_OBJECT")


class Sweep(unittest.TestCase):
    """Sync intervals 0 and 1, each without and with the waitable object, which this Wine cannot give,
    two runs of each."""

    @classmethod
    def setUpClass(cls):
        cls.output = tempfile.TemporaryDirectory()
        completed = subprocess.run([SWEEP, "--width", "320", "--height", "240", "--seconds", "10", "--sync-interval", "0", "1",
                                    "--waitable", "0", "3", "--repeat", "2", "--output", cls.output.name], stdin=subprocess.DEVNULL,
                                   stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=290)
        cls.status, cls.stdout = completed.returncode, completed.stdout.decode("utf-8", "replace")
        cls.folders = os.listdir(cls.output.name)

    @classmethod
    def tearDownClass(cls):
        cls.output.cleanup()

    def setUp(self):
        self.assertEqual(self.status, 0, self.stdout)
        self.assertEqual(len(self.folders), 1, self.folders)
        self.assertRegex(self.folders[0], r"^\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d$")
        self.folder = os.path.join(self.output.name, self.folders[0])

    def test_a_row_per_run_and_the_failures_as_results(self):
        with open(os.path.join(self.folder, "sweep.csv"), newline="") as stream:
            rows = list(csv.DictReader(stream))
        self.assertEqual([(row["run"], row["repeat"], row["PresentSyncInterval"], row["WaitableObject"]) for row in rows],
                         [("1", "1", "0", "0"), ("2", "1", "0", "3"), ("3", "1", "1", "0"), ("4", "1", "1", "3"),
                          ("5", "2", "0", "0"), ("6", "2", "0", "3"), ("7", "2", "1", "0"), ("8", "2", "1", "3")])
        self.assertEqual(sorted(name for name in os.listdir(self.folder) if name.startswith("run-")),
                         ["run-%02d.txt" % run for run in range(1, 9)])
        for row in rows:
            with self.subTest(row=row["run"]):
                self.assertTrue(322 <= int(row["width"]) < 360 and 242 <= int(row["height"]) < 280, row)
                self.assertEqual((row["format"], row["buffer_count"]), ("DXGI_FORMAT_B8G8R8A8_UNORM", "2"))
                if row["WaitableObject"] == "0":
                    self.assertGreater(float(row["rate_1"]), 0)
                    self.assertEqual(row["failure"], "")
                else:
                    self.assertEqual((row["rate_1"], row["failure"]), ("", NO_SWAP_CHAIN2))

    def test_progress_and_the_table_at_the_end(self):
        self.assertIn("Run 8 of 8 (repeat 2 of 2), about ", self.stdout)
        with open(os.path.join(self.folder, "sweep.md")) as stream:
            markdown = stream.read()
        table = markdown.split("\n\n")[2]
        self.assertEqual(len(table.splitlines()), 6, table)
        self.assertRegex(table, r"\| 0 \| 0 \| 2 of 2 \| \d+\.\d\d \| \d+\.\d\d to \d+\.\d\d \| ")
        self.assertIn("| 1 | 3 | 2 of 2 |  |  |  | ", table)
        self.assertTrue(self.stdout.endswith("\n%sWritten to %s\n" % (markdown, self.folder)), self.stdout)

    def test_the_record_of_where_it_ran(self):
        with open(os.path.join(self.folder, "sweep.json")) as stream:
            record = json.load(stream)
        self.assertNotEqual(record["version"], "unknown")  # the tests run in a checkout
        self.assertTrue(record["wine"].startswith("wine-"), record)
        self.assertTrue(record["adapter"].startswith("DXGI Adapter: "), record)
        self.assertTrue(record["swap_chain"].startswith("DXGI SwapChain: 322 x 242, "), record)
        self.assertEqual((record["axes"], record["repeat"]), (["PresentSyncInterval", "WaitableObject"], 2))

    def test_chart_shows_the_two_rates(self):
        converted = subprocess.run(["convert", os.path.join(self.folder, "sweep.png"), "-depth", "8", "ppm:-"],
                                   stdout=subprocess.PIPE, check=True)
        with open(os.path.join(self.folder, "sweep.png"), "rb") as stream:
            self.assertEqual(stream.read(8), b"\x89PNG\r\n\x1a\n")
        chart = parse_ppm(converted.stdout)
        bar = sum(1 for index in range(0, len(chart.pixels), 3) if chart.pixels[index:index + 3] == BAR_COLOUR)
        # Two bars of medians, each at least a quarter of the chart's width long.
        self.assertGreater(bar, 2 * chart.width // 4 * 20, (chart.width, chart.height, bar))


if __name__ == "__main__":
    unittest.main()
