"""The console lines of one Lumivex.exe rendering run, and the run of one combination of a sweep.

Every line the program can print there is matched against its exact text, so that a line which changed
or is unknown stops the sweep instead of being misread. A combination runs until the program has printed
the wanted number of "Statistics:" lines, then gets Ctrl+C. Each step waits for the line that ends it;
the time limits only catch a run that hangs."""
import re
import time

from sweep.program import LumivexRun

PROMPT = "Press Ctrl+C to exit..."
BARE_EXCEPTION = "Exception"
WARNINGS = [
    "Warning: No IDXGIFactory5 available",
    "Warning: No support for DXGI_FEATURE_PRESENT_ALLOW_TEARING",
    "Warning, command line argument not recognized: %ls",
    "Warning, command line option argument not recognized: %ls",
]
ADAPTER = "DXGI Adapter: %ls, %d.%08X"
OUTPUT = "DXGI Output: %ls"
SWAP_CHAIN = "DXGI SwapChain: %u x %u, %s, BufferCount %u, %s"
FULLSCREEN_MODE = "DXGI Fullscreen Mode: %u x %u @ %u/%u (%.3f), %s, %s, %s"
FRAME_STATISTICS = "DXGI SwapChain: %s"
FRAME_COUNTERS = ["PresentCount +%u", "PresentRefreshCount +%u", "SyncRefreshCount +%u"]
FRAME_RATE = "+%.3f/sec"
STATISTICS = "Statistics: PresentCount +%u (+%.2f per second)"
PRESENT_FAILURE = "DXGI SwapChain Present Failure: 0x%08X %hs"
STOPPING = "Stopping: %hs"
EXCEPTION = "Exception: 0x%08X %hs"
# The seconds a run may take to its prompt, from one statistics line to the next, and from Ctrl+C to its end.
PROMPT_LIMIT = 120
STATISTICS_LIMIT = 60
STOP_LIMIT = 60

# A double printed with "%.Nf" may also come out as an infinity or not-a-number.
CONVERSIONS = {
    "%u": r"(\d+)",
    "%d": r"(-?\d+)",
    "%08X": r"([0-9A-F]{8})",
    "%.2f": r"(-?(?:\d+\.\d{2}|inf|nan\S*))",
    "%.3f": r"(-?(?:\d+\.\d{3}|inf|nan\S*))",
    "%s": r"(.+?)",
    "%hs": r"(.*)",
    "%ls": r"(.*)",
}
CONVERSION = re.compile("|".join(re.escape(conversion) for conversion in CONVERSIONS))


class ConsoleLineError(ValueError):
    """A console line that is none of the program's lines, or one out of its place."""


def fragment(text):
    """The regular expression of a printf format text: its literal parts must match exactly."""
    parts = CONVERSION.split(text)
    conversions = CONVERSION.findall(text)
    return "".join(re.escape(part) + (CONVERSIONS[conversions[index]] if index < len(conversions) else "")
                   for index, part in enumerate(parts))


def pattern(text):
    return re.compile(fragment(text))


def frame_statistics_pattern():
    """The frame-statistics line: each counter's increase, followed by its rate when time has passed."""
    items = ["%s(?:, %s)?" % (fragment(counter), fragment(FRAME_RATE)) for counter in FRAME_COUNTERS]
    return re.compile(re.escape(FRAME_STATISTICS.replace("%s", "")) + ", ".join(items))


WARNING_PATTERNS = [pattern(text) for text in WARNINGS]
ADAPTER_PATTERN = pattern(ADAPTER)
OUTPUT_PATTERN = pattern(OUTPUT)
SWAP_CHAIN_PATTERN = pattern(SWAP_CHAIN)
FULLSCREEN_MODE_PATTERN = pattern(FULLSCREEN_MODE)
FRAME_STATISTICS_PATTERN = frame_statistics_pattern()
STATISTICS_PATTERN = pattern(STATISTICS)
PRESENT_FAILURE_PATTERN = pattern(PRESENT_FAILURE)
STOPPING_PATTERN = pattern(STOPPING)
EXCEPTION_PATTERN = pattern(EXCEPTION)


def rate(text):
    return None if text is None else float(text)


class RunLines:
    """What the lines of one run say, gathered line by line in the order the program prints them."""

    def __init__(self):
        self.lines = []
        self.warnings = []
        self.adapter = None
        self.output = None
        self.swap_chain = None
        self.width = self.height = self.format = self.buffer_count = None
        self.fullscreen_mode = None
        self.prompted = False
        self.rates = []
        self.frame_statistics = []
        self.present_failures = []
        self.stopping = None
        self.exception = None

    def add(self, line):
        """Takes one console line (without its line end); raises ConsoleLineError for an unknown line."""
        self.lines.append(line)
        if line == PROMPT:
            self.prompted = True
        elif line == BARE_EXCEPTION or EXCEPTION_PATTERN.fullmatch(line):
            self.exception = line
        elif STOPPING_PATTERN.fullmatch(line):
            self.stopping = line
        elif any(warning.fullmatch(line) for warning in WARNING_PATTERNS):
            self.warnings.append(line)
        elif not self._context_line(line) and not self._running_line(line):
            raise ConsoleLineError("Lumivex printed a line that the sweep does not know: %r" % line)

    def _context_line(self, line):
        if ADAPTER_PATTERN.fullmatch(line):
            self.adapter = line
        elif OUTPUT_PATTERN.fullmatch(line):
            self.output = line
        elif SWAP_CHAIN_PATTERN.fullmatch(line) and not self.prompted:
            width, height, name, buffer_count, _ = SWAP_CHAIN_PATTERN.fullmatch(line).groups()
            self.swap_chain = line
            self.width, self.height, self.format, self.buffer_count = int(width), int(height), name, int(buffer_count)
        elif FULLSCREEN_MODE_PATTERN.fullmatch(line):
            self.fullscreen_mode = line
        else:
            return False
        return True

    def _running_line(self, line):
        statistics = STATISTICS_PATTERN.fullmatch(line)
        frame_statistics = FRAME_STATISTICS_PATTERN.fullmatch(line)
        if statistics:
            self.rates.append(float(statistics.group(2)))
        elif frame_statistics:
            values = frame_statistics.groups()
            self.frame_statistics.append(tuple(rate(values[index]) for index in (1, 3, 5)))
        elif PRESENT_FAILURE_PATTERN.fullmatch(line):
            self.present_failures.append(line)
        else:
            return False
        if not self.prompted:
            raise ConsoleLineError("Lumivex printed a running line before %r: %r" % (PROMPT, line))
        return True

    def frame_statistics_means(self):
        """The mean present, present-refresh and sync-refresh rates of the frame-statistics lines that
        gave rates; None for each when there were none (the system gave no frame statistics)."""
        rows = [row for row in self.frame_statistics if None not in row]
        return tuple(sum(column) / len(rows) for column in zip(*rows)) if rows else (None, None, None)


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
