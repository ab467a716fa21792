"""The command lines of the sweep and of the benchmark, which shares its checks: every bad value gets
one line naming the flag and the accepted values, and a non-zero status, before any display or Wine is
started; good values reach the program in its own spelling."""
import os
import subprocess
import sys
import tempfile
import unittest

import sweep_paths  # noqa: F401 (makes the sweep's modules importable)
import axes
from options import parse_options
from sweep_paths import SOURCE_DIR, SWEEP_SH

BENCHMARK = os.path.join(SOURCE_DIR, "bench", "benchmark.py")

USAGE = 2
FAILURE = 1
# Each bad command line, with what its one line must say.
BAD_VALUES = [
    (["--sync-interval", "x", "--buffers", "1", "2"], "--sync-interval: x is not a sync interval; accepted: -1 (automatic) or 0 to 4"),
    (["--buffers", "1", "2"], "--buffers: 1 is not a buffer count; accepted: 2 to 16"),
    (["--waitable", "0", "4"], "--waitable: 4 is not a waitable object mode; accepted: 0 Default, 1 Automatic, 2 Disable, 3 Enable"),
    (["--format", "87"], "--format: 87 is not a format; accepted: b8g8r8a8, r8g8b8a8, r10g10b10a2, r16g16b16a16"),
    (["--fullscreen", "1"], "--fullscreen: 1 is not off or on; accepted: off, on"),
    (["--overlay", "2"], "--overlay: 2 is not an overlay mode; accepted: 0 (none) or 1 (text overlay)"),
    (["--width", "0"], "--width: 0 is not a frame width; accepted: 1 to 16384"),
    (["--shader", "4"], "--shader: 4 is not a shader index; accepted: 0 to 3"),
    (["--seconds", "15"], "--seconds: 15 is not a number of seconds; accepted: 10, 20, 30 and so on"),
    (["--repeat", "0"], "--repeat: 0 is not a number of repeats; accepted: 1 or more"),
    (["--threshold", "5"], "--threshold goes with --compare only"),
    (["--compare", "a", "b", "--repeat", "2"], "--repeat does not go with --compare"),
    (["--compare", "a", "b", "--threshold", "x"], "--threshold: x is not a percentage"),
]
BENCHMARK_BAD_VALUES = [
    (["--rounds", "0"], "--rounds: 0 is not a number of rounds; accepted: 1 or more"),
    (["--seconds", "5"], "--seconds: 5 is not a number of seconds; accepted: 10, 20, 30 and so on"),
    (["--shaders", "1", "4"], "--shaders: 4 is not a shader index; accepted: 0 to 3"),
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

    def assert_one_line(self, args, status, message, command=(SWEEP_SH,)):
        completed = subprocess.run(list(command) + ["--build", self.build] + args, stdin=subprocess.DEVNULL,
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
        for args, message in BENCHMARK_BAD_VALUES:
            with self.subTest(args=args):
                self.assert_one_line(args, USAGE, message, (sys.executable, BENCHMARK))

    def test_output_folders_that_cannot_be(self):
        for output, message in [("/dev/null", "--output /dev/null is not a folder"),
                                (self.file, "--output %s is not a folder" % self.file),
                                (os.path.join(self.file, "sweeps"), "the folder cannot be made: Not a directory")]:
            with self.subTest(output=output):
                self.assert_one_line(["--sync-interval", "0", "--output", output], FAILURE, message)

    def test_no_program(self):
        os.remove(os.path.join(self.build, "Lumivex.exe"))
        self.assert_one_line([], FAILURE, "build it first (scripts/build.sh)")


class GoodInput(unittest.TestCase):
    def test_values_in_the_programs_spelling(self):
        options = parse_options("", ["--format", "R10G10B10A2", "dxgi_format_b8g8r8a8_unorm", "--sync-interval", "+1",
                                     "0", "1", "--fullscreen", "ON", "--overlay", "1"])
        values = options.values
        self.assertEqual(values["Format"], ["r10g10b10a2", "b8g8r8a8"])
        self.assertEqual(values["PresentSyncInterval"], ["1", "0"])
        self.assertEqual(values["Fullscreen"], ["on"])
        self.assertEqual(axes.swept(values), ["PresentSyncInterval", "Format"])
        self.assertEqual(axes.settings(values)["OverlayMode"], "1")
        self.assertEqual((options.width, options.height, options.repeat, options.threshold), (1920, 1080, 3, 0.05))

    def test_default_sweep_and_the_runs_in_turn(self):
        values = parse_options("", []).values
        combinations = axes.combinations(values)
        self.assertEqual(len(combinations), 12)
        runs = axes.in_turn(combinations, 2)
        self.assertEqual([(number, axes.arguments(combination)) for number, combination in runs[11:13]],
                         [(1, ["-PresentSyncInterval", "1", "-SwapChainBufferCount", "3", "-WaitableObject", "3"]),
                          (2, [])])
        self.assertEqual(parse_options("", ["--compare", "a", "b", "--threshold", "2.5"]).threshold, 0.025)


if __name__ == "__main__":
    unittest.main()
