"""The summary of a record of frame times, on small hand-made records (no program runs)."""
import os
import shutil
import tempfile
import unittest

from sweep.frame_times import HEADER, Unreadable, read, summarise

# numpy.percentile's default (linear) figures for the same intervals.
NUMPY_PERCENTILES = {(1, 2, 3, 4, 10): (3.0, 8.8, 9.76), (4,) * 247 + (20, 40, 60): (4.0, 4.0, 12.16)}


def record(folder, intervals, first_start=5.0, lines=None):
    """A record whose first row starts at first_start and whose later rows follow at the intervals."""
    rows, start = [",".join(HEADER), "1,%.3f,0.000,0.000,0.100,0x00000000" % first_start], first_start
    for number, interval in enumerate(intervals, 2):
        start += interval
        rows.append("%d,%.3f,%.3f,0.000,0.100,0x00000000" % (number, start, interval))
    path = os.path.join(folder, "times.csv")
    with open(path, "w", newline="") as file:
        file.write("\r\n".join(lines if lines is not None else rows) + "\r\n")
    return path


class FrameTimes(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.folder)

    def test_percentiles_rates_and_the_slowest_one_percent(self):
        for intervals, percentiles in NUMPY_PERCENTILES.items():
            summary = summarise([interval for _, interval in read(record(self.folder, intervals))])
            for share, expected in zip((50, 95, 99), percentiles):
                self.assertAlmostEqual(summary["p%d" % share], expected, places=9, msg=(share, intervals[:5]))
            self.assertEqual((summary["count"], summary["max"]), (len(intervals), max(intervals)))
            self.assertAlmostEqual(summary["rate"], 1000 * len(intervals) / sum(intervals))
        # The slowest 1 % of 5 intervals is one of them, of 250 three.
        self.assertAlmostEqual(summarise([1, 2, 3, 4, 10])["low"], 100.0)
        self.assertAlmostEqual(summarise([4] * 247 + [20, 40, 60])["low"], 25.0)
        self.assertIsNone(summarise([]))

    def test_the_first_row_and_the_skipped_start_are_left_out(self):
        # Rows start at 5, 15, 25 and 35 ms.
        path = record(self.folder, [10, 10, 10])
        self.assertEqual(read(path), [(15.0, 10.0), (25.0, 10.0), (35.0, 10.0)])
        self.assertEqual(read(path, skip_ms=25), [(25.0, 10.0), (35.0, 10.0)])

    def test_records_that_cannot_be_read(self):
        good = "2,6.000,1.000,0.000,0.100,0x00000000"
        for lines, reason in (([], "no record"), (["Frame,Start"], "no record"), ([",".join(HEADER), "2,6.000"], "line 2"),
                              ([",".join(HEADER), good, "3,x,1.0,0,0,0x0"], "line 3"),
                              ([",".join(HEADER), "2,6.000,nan,0,0,0x0"], "implausible"),
                              ([",".join(HEADER), "2,6.000,-1,0,0,0x0"], "implausible")):
            with self.subTest(lines=lines), self.assertRaisesRegex(Unreadable, reason):
                read(record(self.folder, [], lines=lines))
        with self.assertRaisesRegex(Unreadable, "cannot be read"):
            read(os.path.join(self.folder, "missing.csv"))


if __name__ == "__main__":
    unittest.main()
