"""Runs Lumivex.exe for one combination of options until it has printed the wanted number of
"Statistics:" lines, then stops it with Ctrl+C. Each step waits for the line that ends it; the time
limits only catch a run that hangs."""
import time

from console_lines import PROMPT, RunLines
from lumivex_run import LumivexRun

PROMPT_LIMIT = 120
STATISTICS_LIMIT = 60
STOP_LIMIT = 60


def run_combination(exe, args, periods, show):
    """Returns the RunLines of the run and its failure text (None when it ran and stopped as asked).
    show is called with each statistics rate as it comes."""
    lines = RunLines()
    run = LumivexRun(exe, args)
    try:
        return lines, _follow(run, lines, periods, show)
    finally:
        run.kill()


def _follow(run, lines, periods, show):
    stopping = False
    deadline = time.monotonic() + PROMPT_LIMIT
    while True:
        try:
            line = run.next_line(deadline)
        except TimeoutError:
            return _timeout_failure(run, lines, stopping)
        if line is None:
            return _end_failure(run, lines, periods)
        count = len(lines.rates)
        lines.add(line)
        if len(lines.rates) > count:
            show(lines.rates[-1])
        if stopping or not lines.prompted:
            continue
        if len(lines.rates) >= periods:
            run.interrupt()
            stopping = True
            deadline = time.monotonic() + STOP_LIMIT
        elif line == PROMPT or len(lines.rates) > count:
            deadline = time.monotonic() + STATISTICS_LIMIT


def _timeout_failure(run, lines, stopping):
    if stopping:
        # The program has stopped; only Wine's background services still hold the output open.
        return None if run.ended() else "No end within %d s of Ctrl+C" % STOP_LIMIT
    if not lines.prompted:
        return "No prompt within %d s" % PROMPT_LIMIT
    return "No statistics line within %d s" % STATISTICS_LIMIT


def _end_failure(run, lines, periods):
    status = run.status()
    if lines.exception:
        return lines.exception
    if len(lines.rates) < periods:
        return "Ended after %d of %d statistics lines, exit status %d" % (len(lines.rates), periods, status)
    return "Exit status %d" % status if status else None
