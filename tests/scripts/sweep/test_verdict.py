"""The verdict on one combination from its runs in A and B (fixed rates, no program runs)."""
import unittest

import sweep_paths  # noqa: F401 (makes the sweep's modules importable)
from spread import Spread
from verdict import FASTER, NOW_FAILS, NOW_RUNS, ONLY_IN_A, ONLY_IN_B, SAME, SLOWER, verdict

FAILURE = "Exception: 0x80070057 Unknown exception"


def spread(*runs, planned=3):
    """A Spread of the given runs: a number is a run's rate, a text its failure."""
    result = Spread(planned)
    for run in runs:
        result.add(None, run) if isinstance(run, str) else result.add(run, None)
    return result


class Verdict(unittest.TestCase):
    def test_a_change_needs_apart_ranges_and_a_moved_median(self):
        a = spread(100.0, 104.0, 98.0)
        cases = [
            (spread(120.0, 118.0, 125.0), FASTER),
            (spread(80.0, 85.0, 90.0), SLOWER),
            (spread(104.5, 104.8, 105.0), SAME),   # apart, but up by 4.8 % of A's median
            (spread(95.2, 95.0, 97.0), SAME),      # apart, but down by 4.8 %
            (spread(90.0, 99.0, 130.0), SAME),     # medians 10 % apart, ranges overlap
            (spread(150.0), FASTER),               # a single run is its own range
        ]
        for b, expected in cases:
            with self.subTest(b=b.rates):
                self.assertEqual(verdict(a, b), expected)

    def test_the_threshold_is_a_fraction_of_a_median(self):
        a, b = spread(100.0, 104.0, 98.0), spread(93.0, 92.0, 94.0)
        self.assertEqual(verdict(a, b), SLOWER)
        self.assertEqual(verdict(a, b, threshold=0.08), SAME)

    def test_the_boundaries_belong_to_same(self):
        a = spread(100.0, 100.0, 100.0)
        self.assertEqual(verdict(a, spread(105.0, 105.0)), SAME)     # exactly the threshold
        self.assertEqual(verdict(a, spread(100.0, 120.0, 130.0)), SAME)  # ranges touch at 100
        self.assertEqual(verdict(spread(0.0), spread(0.0)), SAME)
        self.assertEqual(verdict(spread(0.0), spread(5.0)), FASTER)

    def test_failures_and_missing_combinations(self):
        runs, fails, flaky, none = spread(100.0, 101.0), spread(FAILURE, FAILURE), spread(100.0, FAILURE), spread()
        self.assertEqual(verdict(runs, fails), NOW_FAILS)
        self.assertEqual(verdict(runs, flaky), NOW_FAILS)
        self.assertEqual(verdict(flaky, runs), NOW_RUNS)
        self.assertEqual(verdict(fails, flaky), SAME)
        self.assertEqual(verdict(runs, None), ONLY_IN_A)
        self.assertEqual(verdict(runs, none), ONLY_IN_A)
        self.assertEqual(verdict(None, runs), ONLY_IN_B)
        self.assertEqual(flaky.failure_text(), "1 of 2 runs: " + FAILURE)
        self.assertEqual(fails.failure_text(), FAILURE)


if __name__ == "__main__":
    unittest.main()
