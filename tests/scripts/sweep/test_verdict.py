"""The verdict on one combination from its runs in A and B (fixed rates, no program runs)."""
import unittest

import sweep_paths  # noqa: F401 (makes the sweep's modules importable)
from spread import Spread
from compare import Row, status
from verdict import CHOPPIER, FASTER, NOW_FAILS, NOW_RUNS, ONLY_IN_A, ONLY_IN_B, SAME, SLOWER, STEADIER, pacing, verdict

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


if __name__ == "__main__":
    unittest.main()
