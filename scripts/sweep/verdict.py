"""How a combination measured in sweep A stands in sweep B. A combination that ran in both is faster
or slower only when its two ranges of rates do not overlap (every run of one beats every run of the
other) and its median moved by more than the threshold, a fraction of A's median; anything less is
noise and the verdict is "same". A failure in any run makes the combination fail in that sweep."""
import statistics

SAME = "same"
FASTER = "faster"
SLOWER = "slower"
NOW_FAILS = "now fails"
NOW_RUNS = "now runs"
ONLY_IN_A = "only in A"
ONLY_IN_B = "only in B"
# The pacing verdicts, on the 99th percentile of the frame intervals by the same rule: lower is steadier.
STEADIER = "steadier"
CHOPPIER = "choppier"
# The verdicts that stop a CI job.
REGRESSIONS = (SLOWER, NOW_FAILS, CHOPPIER)
DEFAULT_THRESHOLD = 0.05
# Thresholds are given and shown in percent.
PERCENT = 100


def verdict(a, b, threshold=DEFAULT_THRESHOLD):
    """The verdict on the spreads of one combination in A and in B; a spread without runs (or None)
    counts as not measured there."""
    measured_a, measured_b = bool(a and a.runs), bool(b and b.runs)
    if not measured_b:
        return ONLY_IN_A
    if not measured_a:
        return ONLY_IN_B
    if a.fails or b.fails:
        return SAME if a.fails and b.fails else NOW_FAILS if b.fails else NOW_RUNS
    moved = (b.median - a.median) / a.median if a.median else float("inf") if b.median else 0.0
    if b.low > a.high and moved > threshold:
        return FASTER
    if b.high < a.low and -moved > threshold:
        return SLOWER
    return SAME


def pacing(a, b, threshold=DEFAULT_THRESHOLD):
    """The verdict on the frames' p99 of one combination in A and in B: steadier or choppier when the
    two ranges of the runs' p99 do not overlap and the median moved by more than the threshold; empty
    when either sweep has no p99 of it (a sweep from before the record, or no run that ran)."""
    if not (a and a.p99s and b and b.p99s):
        return ""
    low_a, high_a, low_b, high_b = min(a.p99s), max(a.p99s), min(b.p99s), max(b.p99s)
    median_a = statistics.median(a.p99s)
    moved = (statistics.median(b.p99s) - median_a) / median_a if median_a else 0.0
    if high_b < low_a and -moved > threshold:
        return STEADIER
    if low_b > high_a and moved > threshold:
        return CHOPPIER
    return SAME


def ratio(a, b):
    """B's median over A's, None when either has none."""
    return b.median / a.median if a and b and a.median and b.median is not None else None
