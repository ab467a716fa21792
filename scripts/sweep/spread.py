"""The runs of one combination taken together: the rates of the runs that ran, the failures of those
that failed, and how many runs were planned, so that a sweep cut short shows its missing runs."""
import statistics

OK = "ok"
NOT_RUN = "not run"


class Spread:
    def __init__(self, planned):
        self.planned = planned
        self.rates = []
        self.failures = []
        # The 99th percentile of the frame intervals of each run that recorded them, in ms.
        self.p99s = []

    def add(self, rate, failure, p99=None):
        """One run: its rate when it ran, or its failure text; and its frames' p99 when it has one."""
        if failure:
            self.failures.append(failure)
        else:
            self.rates.append(rate)
            if p99 is not None:
                self.p99s.append(p99)

    @property
    def runs(self):
        return len(self.rates) + len(self.failures)

    @property
    def fails(self):
        """A combination fails when any of its runs failed: a failure that comes and goes is one too."""
        return bool(self.failures)

    @property
    def median(self):
        return statistics.median(self.rates) if self.rates else None

    @property
    def low(self):
        return min(self.rates) if self.rates else None

    @property
    def high(self):
        return max(self.rates) if self.rates else None

    def runs_text(self):
        return "%d of %d" % (self.runs, self.planned)

    def failure_text(self):
        """The failures, each once; prefixed with their count when not every run failed."""
        text = " / ".join(dict.fromkeys(self.failures))
        return text if len(self.failures) == self.runs else "%d of %d runs: %s" % (len(self.failures), self.runs, text)


def p99_median(spread):
    return statistics.median(spread.p99s) if spread and spread.p99s else None


def range_text(spread):
    """Lowest to highest rate; empty for a spread without rates, or none."""
    return "%.2f to %.2f" % (spread.low, spread.high) if spread and spread.rates else ""


def result_text(spread):
    """The failures, "ok", or "not run" for a spread without runs, or none."""
    if not spread or not spread.runs:
        return NOT_RUN
    return spread.failure_text() if spread.fails else OK
