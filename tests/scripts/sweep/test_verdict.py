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
        self.assertEqual(flaky.failure_text(), "1 of 2 runs: " + FAILURE)
        self.assertEqual(fails.failure_text(), FAILURE)


if __name__ == "__main__":
    unittest.main()
