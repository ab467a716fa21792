"""The files of a sweep from fixed runs: a CSV row per run with its repeat, and in sweep.md the record
of where it ran and each combination's median and range."""
import csv
import os
import tempfile
import unittest

import sweep_paths  # noqa: F401 (makes the sweep's modules importable)
from sweep_folders import CONTEXT, FAILURE, write_sweep

SYNC = "PresentSyncInterval"


class Files(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temporary = tempfile.TemporaryDirectory()
        cls.folder = cls.temporary.name
        # The third combination fails in its second run; the sweep stops before the last run.
        write_sweep(cls.folder, {SYNC: ["0", "1", "2"]}, 3, [100.0, 60.0, 30.0, 90.0, 62.0, FAILURE, 95.0, 61.0])
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
                          ("7", "3", "0", "95.00", ""), ("8", "3", "1", "61.00", "")])
        self.assertEqual(rows[0]["arguments"], "-PresentSyncInterval 0")

    def test_the_record_comes_first(self):
        self.assertTrue(self.markdown.startswith("# title\n\n- Date: 2026-01-01 00:00:00\n- Command line: `sweep.py`\n"
                                                 "- Version: v1\n- Host: host\n- OS: os\n- Adapter: %s\n" % CONTEXT[0]),
                        self.markdown)
        self.assertIn("- Runs: 8 of 9\n", self.markdown)

    def test_median_and_range_of_each_combination(self):
        rows = [line for line in self.markdown.splitlines() if line.startswith("| ")][2:]
        self.assertEqual([row.split(" | ")[:6] for row in rows],
                         [["| 0", "3 of 3", "95.00", "90.00 to 100.00", "100.00, 90.00, 95.00", "642 x 362, DXGI_FORMAT_B8G8R8A8_UNORM, 2 buffers"],
                          ["| 1", "3 of 3", "61.00", "60.00 to 62.00", "60.00, 62.00, 61.00", "642 x 362, DXGI_FORMAT_B8G8R8A8_UNORM, 2 buffers"],
                          ["| 2", "2 of 3", "30.00", "30.00 to 30.00", "30.00", "642 x 362, DXGI_FORMAT_B8G8R8A8_UNORM, 2 buffers"]])
        self.assertTrue(rows[2].endswith("| 1 of 2 runs: %s |" % FAILURE), rows[2])


if __name__ == "__main__":
    unittest.main()
