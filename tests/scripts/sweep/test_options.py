"""The command lines of the sweep and of the bench scripts, which share its checks: every bad value, down
to the first past each end of a range (the ends pass), gets one line naming the flag and the accepted
values and a non-zero status before any display or Wine starts; good values reach the program as it spells them."""
import os
import subprocess
import sys
import tempfile
import unittest

from sweep import options
from sweep.options import parse_options
from sweep.program import ROOT
from sweep_folders import SWEEP_SH

USAGE = 2
FAILURE = 1
# Each bad command line, with what its one line must say.
BAD_VALUES = [
    (["--sync-interval", "x", "--buffers", "1", "2"], "--sync-interval: x is not a sync interval; accepted: -1 (automatic) or 0 to 4"),
    (["--format", "87"], "--format: 87 is not a format; accepted: b8g8r8a8, r8g8b8a8, r10g10b10a2, r16g16b16a16"),
    (["--fullscreen", "1"], "--fullscreen: 1 is not off or on; accepted: off, on"),
    (["--threshold", "5"], "--threshold goes with --compare only"),
    (["--compare", "a", "b", "--repeat", "2"], "--repeat does not go with --compare"),
    (["--compare", "a", "b", "--threshold", "x"], "--threshold: x is not a percentage"),
]
MODES = "%s mode; accepted: 0 Default, 1 Automatic, 2 Disable, 3 Enable"
FRAME = "a frame %s; accepted: 1 to 16384"
SECONDS = "a number of seconds; accepted: 10, 20, 30 and so on"
SHADER = "a shader index; accepted: 0 to 3"
# Each script as the interpreter takes it.
SWEEP, COMPARE = ("-m", "sweep"), ("-m", "sweep", "--compare")
BENCHMARK, EXCEPTIONS, STARTUP = ((os.path.join(ROOT, "bench", name),) for name in ("benchmark.py", "exceptions.py", "startup.py"))
# The range-checked flags of each script: the values at the edges, which pass, and the first values past
# them, which get the flag's line (what a value is not, and what it takes).
EDGES = [
    (SWEEP, "--sync-interval", ["-1", "4"], ["-2", "5"], "a sync interval; accepted: -1 (automatic) or 0 to 4"),
    (SWEEP, "--buffers", ["2", "16"], ["1", "17"], "a buffer count; accepted: 2 to 16"),
    (SWEEP, "--waitable", ["0", "3"], ["-1", "4"], MODES % "a waitable object"),
    (SWEEP, "--tearing", ["0", "3"], ["-1", "4"], MODES % "an allow tearing"),
    (SWEEP, "--mode-switch", ["0", "3"], ["-1", "4"], MODES % "an allow mode switch"),
    (SWEEP, "--overlay", ["0", "1"], ["-1", "2"], "an overlay mode; accepted: 0 (none) or 1 (text overlay)"),
    (SWEEP, "--width", ["1", "16384"], ["0", "16385"], FRAME % "width"),
    (SWEEP, "--height", ["1", "16384"], ["0", "16385"], FRAME % "height"),
    (SWEEP, "--shader", ["0", "3"], ["-1", "4"], SHADER),
    (SWEEP, "--seconds", ["10"], ["0", "9", "15"], SECONDS),
    (SWEEP, "--repeat", ["1"], ["0"], "a number of repeats; accepted: 1 or more"),
    (COMPARE, "--threshold", ["0", "99.99"], ["-0.01", "100"], "a percentage; accepted: 0 to below 100"),
    (BENCHMARK, "--width", ["1", "16384"], ["0", "16385"], FRAME % "width"),
    (BENCHMARK, "--height", ["1", "16384"], ["0", "16385"], FRAME % "height"),
    (BENCHMARK, "--seconds", ["10"], ["0", "9"], SECONDS),
    (BENCHMARK, "--rounds", ["1"], ["0"], "a number of rounds; accepted: 1 or more"),
    (BENCHMARK, "--shaders", ["0", "3"], ["-1", "4"], SHADER),
    (EXCEPTIONS, "--seconds", ["1"], ["0"], "a number of seconds; accepted: 1 or more"),
    (STARTUP, "--runs", ["1"], ["0"], "a number of runs; accepted: 1 or more"),
]


class BadInput(unittest.TestCase):
    def setUp(self):
        # A build folder with a stand-in for the program: nothing may run it.
        self.temporary = tempfile.TemporaryDirectory()
        self.addCleanup(self.temporary.cleanup)
        self.build = os.path.join(self.temporary.name, "build")
        os.mkdir(self.build)
        open(os.path.join(self.build, "Lumivex.exe"), "w").close()
        self.file = os.path.join(self.temporary.name, "file")
        open(self.file, "w").close()

    def assert_one_line(self, args, status, message, command=None):
        completed = subprocess.run((command or [SWEEP_SH, "--build", self.build]) + args, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=60)
        stderr = completed.stderr.decode()
        self.assertEqual((completed.returncode, completed.stdout), (status, b""), stderr)
        self.assertEqual(len(stderr.splitlines()), 1, stderr)
        self.assertIn(message, stderr)
        self.assertEqual(sorted(os.listdir(self.temporary.name)), ["build", "file"])

    def test_bad_values(self):
        for args, message in BAD_VALUES:
            with self.subTest(args=args):
                self.assert_one_line(args, USAGE, message)

    def test_the_edges_of_the_ranges(self):
        # Past its checks a script stops on the folder that is missing: a sweep on its program (which is
        # also how it tells a build without it), a comparison on its sweep folders, a benchmark on its build.
        missing = os.path.join(self.temporary.name, "missing")
        passed = {SWEEP: (FAILURE, "No %s: build it first (scripts/build.sh)" % os.path.join(missing, "Lumivex.exe")),
                  COMPARE: (USAGE, "%s is not a sweep folder" % missing)}
        for script, flag, edges, past, what in EDGES:
            command = [sys.executable, *script] + ([missing, missing] if script == COMPARE else [])
            for value in edges + past:
                with self.subTest(script=script, flag=flag, value=value):
                    status, message = ((USAGE, "%s: %s is not %s" % (flag, value, what)) if value in past else
                                       passed.get(script, (USAGE, "--build: %s is not a folder" % missing)))
                    self.assert_one_line([flag, value, "--build", missing], status, message, command)

    def test_output_folders_that_cannot_be(self):
        for output, message in [(self.file, "--output %s is not a folder" % self.file),
                                (os.path.join(self.file, "sweeps"), "the folder cannot be made: Not a directory"),
                                ("/sys", "--output /sys: nothing can be written into it")]:  # not even by root
            with self.subTest(output=output):
                self.assert_one_line(["--sync-interval", "0", "--output", output], FAILURE, message)


class GoodInput(unittest.TestCase):
    def test_values_in_the_programs_spelling_and_the_default_sweep(self):
        given = parse_options("", ["--format", "R10G10B10A2", "dxgi_format_b8g8r8a8_unorm", "--sync-interval", "+1",
                                   "0", "1", "--fullscreen", "ON", "--overlay", "1"])
        values = given.values
        self.assertEqual(values["Format"], ["r10g10b10a2", "b8g8r8a8"])
        self.assertEqual(values["PresentSyncInterval"], ["1", "0"])
        self.assertEqual(values["Fullscreen"], ["on"])
        self.assertEqual(options.swept(values), ["PresentSyncInterval", "Format"])
        self.assertEqual(options.settings(values)["OverlayMode"], "1")
        self.assertEqual((given.width, given.height, given.repeat, given.threshold), (1920, 1080, 3, 0.05))
        # The default sweep, and its runs in turn.
        combinations = options.combinations(parse_options("", []).values)
        self.assertEqual(len(combinations), 12)
        runs = options.in_turn(combinations, 2)
        self.assertEqual([(number, options.arguments(combination)) for number, combination in runs[11:13]],
                         [(1, ["-PresentSyncInterval", "1", "-SwapChainBufferCount", "3", "-WaitableObject", "3"]),
                          (2, [])])
        self.assertEqual(parse_options("", ["--compare", "a", "b", "--threshold", "2.5"]).threshold, 0.025)


if __name__ == "__main__":
    unittest.main()
