"""The time left of a sweep: each remaining run is expected to take as long as the runs of its own
combination took on average (a failing combination ends in seconds, a running one takes its statistics
periods and the program's start and stop), a combination not yet run as long as the runs so far on
average, and the first run the asked time plus a start-and-stop time measured on this machine."""
import statistics

# What a run takes beyond its statistics periods under Wine (start, first frame, stop), as measured here.
START_AND_STOP = 1


def duration(seconds):
    minutes, rest = divmod(int(round(seconds)), 60)
    return "%d min %02d s" % (minutes, rest) if minutes else "%d s" % rest


class Estimate:
    def __init__(self, seconds):
        self._first_guess = seconds + START_AND_STOP
        self._durations = {}

    def add(self, key, seconds):
        """One run of the combination with this key (see axes.key) took this long."""
        self._durations.setdefault(key, []).append(seconds)

    def remaining(self, keys):
        """The expected time of the runs of the given combination keys."""
        return sum(self._each(key) for key in keys)

    def _each(self, key):
        if key in self._durations:
            return statistics.mean(self._durations[key])
        every = [seconds for durations in self._durations.values() for seconds in durations]
        return statistics.mean(every) if every else self._first_guess
