"""The comparison of two sweep folders: the verdict on one combination from its runs in A and B, reading
the folders back, matching their combinations, the files and the exit status of sweep.sh --compare
(fixed runs, no program runs)."""
import contextlib
import csv
import io
import os
import subprocess
import tempfile
import unittest
from unittest import mock

from sweep import compare
from sweep.compare import (CHOPPIER, FASTER, NOW_FAILS, NOW_RUNS, ONLY_IN_A, ONLY_IN_B, SAME, SLOWER, STEADIER, Row,
                           pacing, read_folder, status, verdict)
from sweep.results import Spread
from sweep_folders import FAILURE, SWEEP_SH, write_sweep

SYNC = "PresentSyncInterval"


def spread(*runs, planned=3):
    """A Spread of the given runs: a number is a run's rate, a text its failure."""
    result = Spread(planned)
    for run in runs:
        result.add(None, run) if isinstance(run, str) else result.add(run, None)
    return result


class Verdict(unittest.TestCase):
    def test_verdicts(self):
        a, flat = spread(100.0, 104.0, 98.0), spread(100.0, 100.0, 100.0)
        runs, fails, flaky, none = spread(100.0, 101.0), spread(FAILURE, FAILURE), spread(100.0, FAILURE), spread()
        # A, B, the verdict and the threshold when not the default. A change needs apart ranges and a median
        # moved by more than the threshold, a fraction of A's median.
        cases = [
            (a, spread(120.0, 118.0, 125.0), FASTER), (a, spread(80.0, 85.0, 90.0), SLOWER),
            (a, spread(104.5, 104.8, 105.0), SAME),  # apart, but up by 4.8 % of A's median
            (a, spread(95.2, 95.0, 97.0), SAME),     # apart, but down by 4.8 %
            (a, spread(90.0, 99.0, 130.0), SAME),    # medians 10 % apart, ranges overlap
            (a, spread(150.0), FASTER),              # a single run is its own range
            (a, spread(93.0, 92.0, 94.0), SLOWER), (a, spread(93.0, 92.0, 94.0), SAME, 0.08),
            # The boundaries belong to "same": exactly the threshold, ranges that touch.
            (flat, spread(105.0, 105.0), SAME), (flat, spread(100.0, 120.0, 130.0), SAME),
            (spread(0.0), spread(0.0), SAME), (spread(0.0), spread(5.0), FASTER),
            # Failures and missing combinations.
            (runs, fails, NOW_FAILS), (runs, flaky, NOW_FAILS), (flaky, runs, NOW_RUNS), (fails, flaky, SAME),
            (runs, None, ONLY_IN_A), (runs, none, ONLY_IN_A), (None, runs, ONLY_IN_B)]
        for number, (spread_a, spread_b, expected, *threshold) in enumerate(cases):
            with self.subTest(case=number):
                self.assertEqual(verdict(spread_a, spread_b, *threshold), expected)
        self.assertEqual(fails.failure_text(), FAILURE)

    def test_pacing_by_the_same_rule_on_the_p99_and_choppier_stops_the_job(self):
        def paced(*p99s):
            result = Spread(3)
            for p99 in p99s:
                result.add(100.0, None, p99)
            return result

        a = paced(10.0, 10.4, 9.8)
        cases = [(paced(8.0, 8.5, 8.2), STEADIER), (paced(12.0, 13.0, 12.5), CHOPPIER),
                 (paced(10.45, 10.48, 10.5), SAME),   # apart, but up by 4.8 % of A's median
                 (paced(9.0, 10.0, 13.0), SAME),      # ranges overlap
                 (paced(), ""), (None, "")]           # no record of frame times in B
        for number, (spread_b, expected) in enumerate(cases):
            with self.subTest(case=number):
                self.assertEqual(pacing(a, spread_b), expected)
        self.assertEqual(pacing(a, paced(12.0, 13.0), 0.3), SAME)
        rows = [Row({}, a, a, SAME, 1.0, pacing(a, spread_b)) for spread_b, _ in cases]
        self.assertEqual(status(rows), 1)
        self.assertEqual(status([row for row in rows if row.pacing != CHOPPIER]), 0)



class Folders(unittest.TestCase):
    def setUp(self):
        self.temporary = tempfile.TemporaryDirectory()
        self.addCleanup(self.temporary.cleanup)

    def folder(self, name, *args, **kwargs):
        path = os.path.join(self.temporary.name, name)
        os.mkdir(path)
        write_sweep(path, *args, **kwargs)
        return path


class Matching(Folders):
    def test_same_axes_with_a_sweep_cut_short(self):
        a = self.folder("a", {SYNC: ["0", "1", "2", "3"]}, 2, [100.0, 60.0, 30.0, 20.0, 102.0, 61.0, 31.0, 21.0])
        # B was stopped in its fourth run: sync intervals 0 to 2 ran once each, 3 not at all.
        b = self.folder("b", {SYNC: ["0", "1", "2", "3"]}, 2, [80.0, 70.0, FAILURE])
        options, rows = compare.match(read_folder(a), read_folder(b), 0.05)
        self.assertEqual(options, [SYNC])
        self.assertEqual([(row.values[SYNC], row.a.runs_text(), row.b.runs_text(), row.verdict) for row in rows],
                         [("0", "2 of 2", "1 of 2", SLOWER), ("1", "2 of 2", "1 of 2", FASTER),
                          ("2", "2 of 2", "1 of 2", NOW_FAILS), ("3", "2 of 2", "0 of 2", ONLY_IN_A)])
        self.assertAlmostEqual(rows[0].ratio, 80.0 / 101.0)
        self.assertEqual(compare.status(rows), compare.REGRESSION_STATUS)

    def test_an_axis_of_one_sweep_is_matched_on_the_setting_of_the_other(self):
        # The frame size and the Direct3D implementation are settings, shown side by side and not matched.
        a = self.folder("a", {SYNC: ["0", "1"]}, 1, [100.0, 60.0])
        b = self.folder("b", {SYNC: ["1"], "SwapChainBufferCount": ["2", "3"], "D3D": ["dxvk"]}, 1, [61.0, 62.0], width=1920)
        folder_a, folder_b = read_folder(a), read_folder(b)
        settings = compare.settings_rows(folder_a, folder_b)
        self.assertIn(["Frame size", "640 x 360", "1920 x 360", "yes"], settings)
        self.assertIn(["D3D", "builtin", "dxvk", "yes"], settings)
        options, rows = compare.match(folder_a, folder_b, 0.05)
        self.assertEqual(options, [SYNC, "SwapChainBufferCount"])
        self.assertEqual([(row.values, row.verdict) for row in rows],
                         [({SYNC: "0", "SwapChainBufferCount": "2"}, ONLY_IN_A),
                          ({SYNC: "1", "SwapChainBufferCount": "2"}, SAME),
                          ({SYNC: "1", "SwapChainBufferCount": "3"}, ONLY_IN_B)])
        self.assertEqual(compare.status(rows), 0)

    def test_folders_that_cannot_be_read_or_written_get_one_line_and_status_2(self):
        a = self.folder("a", {SYNC: ["0", "1"]}, 1, [100.0, 60.0])
        rate = lambda value: lambda text: text.replace("60.00,60.00", "60.00," + value)  # noqa: E731
        # A file of B, its new text from the old (None: it goes; one that B lacks becomes a folder), --output, the line.
        cases = [("sweep.json", lambda text: "", None, "sweep.json is not JSON: Expecting value"),
                 ("sweep.json", lambda text: text.replace('"repeat": 1', '"repeat": "1"'), None,
                  'sweep.json: repeat is "1", not a whole number of 1 or more'),
                 ("sweep.json", lambda text: text.replace('"axes": [', '"axes": [3, '), None, "sweep.json: axes is [3, "),
                 ("sweep.json", None, None, "is not a sweep folder: %s cannot be read (No such file"),
                 ("sweep.csv", None, None, "sweep.csv cannot be read: No such file"),
                 ("sweep.csv", lambda text: "", None, "sweep.csv is empty"),
                 ("sweep.csv", lambda text: text.splitlines(True)[0], None, "sweep.csv holds no run: the sweep measured nothing"),
                 ("sweep.csv", lambda text: text[:-40], None, "sweep.csv, row 2 does not have as many cells as the header"),
                 ("sweep.csv", lambda text: text + "3,1,7,,,,,,1.00,1.00,,,,,,,,,,,10.0\n", None,
                  "sweep.csv, row 3: its options are none of the combinations in sweep.json"),
                 ("sweep.csv", rate("1e999"), None, "sweep.csv, row 2: mean_rate '1e999' is not a rate of 0 to 1e+06 per second"),
                 ("sweep.csv", rate("nan"), None, "row 2: mean_rate 'nan' is not a rate"),
                 ("sweep.csv", rate("-500"), None, "row 2: mean_rate '-500' is not a rate"),
                 ("compare.csv", None, None, "compare.csv cannot be written: Is a directory"),
                 ("sweep.md", str, "/dev/null", "--output /dev/null is not a folder")]
        for number, (name, change, output, message) in enumerate(cases):
            with self.subTest(message=message):
                b = self.folder("b%d" % number, {SYNC: ["0", "1"]}, 1, [100.0, 60.0])
                path = os.path.join(b, name)
                if os.path.exists(path):
                    with open(path) as stream:
                        text = stream.read()
                    os.remove(path)
                else:
                    os.mkdir(path)
                if change:
                    with open(path, "w") as stream:
                        stream.write(change(text))
                with contextlib.redirect_stderr(io.StringIO()) as stderr, mock.patch("sweep.charts", create=True):
                    self.assertEqual(compare.main([a, b], 0.05, output), compare.USAGE_STATUS)
                self.assertEqual(len(stderr.getvalue().splitlines()), 1, stderr.getvalue())
                self.assertIn(message.replace("%s", os.path.join(b, "sweep.json")), stderr.getvalue())
                self.assertFalse(os.path.isfile(os.path.join(b, "compare.csv")))


class Command(Folders):
    """sweep.sh --compare as a CI job runs it."""

    def compare(self, a, b, *args):
        completed = subprocess.run([SWEEP_SH, "--compare", a, b] + list(args), stdin=subprocess.DEVNULL,
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
        return completed.returncode, completed.stdout.decode(), completed.stderr.decode()

    def test_a_regression_stops_the_job_and_the_files_say_why(self):
        # Medians that are not the means.
        a = self.folder("a", {SYNC: ["0", "1"]}, 3, [100.0, 60.0, 101.0, 61.0, 96.0, 59.0])
        b = self.folder("b", {SYNC: ["0", "1"]}, 3, [90.0, 60.5, 91.0, 61.5, 86.0, 59.5])
        status, stdout, stderr = self.compare(a, b)
        self.assertEqual((status, stderr), (1, ""))
        with open(os.path.join(b, "compare.csv"), newline="") as stream:
            rows = list(csv.DictReader(stream))
        self.assertEqual([(row[SYNC], row["a_median"], row["a_low"], row["a_high"], row["b_median"], row["b_over_a"],
                           row["verdict"]) for row in rows],
                         [("0", "100.00", "96.00", "101.00", "90.00", "0.900", SLOWER),
                          ("1", "60.00", "59.00", "61.00", "60.50", "1.008", SAME)])
        with open(os.path.join(b, "compare.md")) as stream:
            self.assertEqual(stdout, stream.read() + "\nWritten to %s\n" % b)
        self.assertIn("| 0 | 3 of 3 | 100.00 | 96.00 to 101.00 | 3 of 3 | 90.00 | 86.00 to 91.00 | 0.900 | slower |", stdout)

    def test_no_regression_and_the_output_folder(self):
        a = self.folder("a", {SYNC: ["0", "1"]}, 1, [100.0, FAILURE])
        b = self.folder("b", {SYNC: ["0", "1"]}, 1, [150.0, 60.0])
        output = os.path.join(self.temporary.name, "new", "comparison")
        status, stdout, _ = self.compare(a, b, "--output", output, "--threshold", "10")
        self.assertEqual(status, 0)
        self.assertIn("- Verdicts: 1 faster, 1 now runs; pacing: 1 steadier\n", stdout)
        self.assertEqual(sorted(os.listdir(output)), ["compare.csv", "compare.md", "compare.png"])
        status, stdout, _ = self.compare(b, a, "--output", output)
        self.assertEqual(status, 1)
        self.assertIn("- Verdicts: 1 slower, 1 now fails; pacing: 1 choppier\n", stdout)


if __name__ == "__main__":
    unittest.main()
