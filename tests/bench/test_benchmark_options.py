"""The benchmark's command line: a bad value gets one line naming the flag and the accepted values, and
a non-zero status, before anything runs."""
import os
import subprocess
import sys
import unittest

SOURCE_DIR = os.environ.get("LUMIVEX_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
BENCHMARK = os.path.join(SOURCE_DIR, "bench", "benchmark.py")
USAGE = 2
BAD_VALUES = [
    (["--rounds", "0"], "--rounds: 0 is not a number of rounds; accepted: 1 or more"),
    (["--seconds", "5"], "--seconds: 5 is not a number of seconds; accepted: 10, 20, 30 and so on"),
    (["--width", "0"], "--width: 0 is not a frame width; accepted: 1 to 16384"),
    (["--height", "x"], "--height: x is not a frame height"),
    (["--shaders", "1", "4"], "--shaders: 4 is not a shader index; accepted: 0 to 3"),
]


class BadInput(unittest.TestCase):
    def test_bad_values(self):
        for args, message in BAD_VALUES:
            with self.subTest(args=args):
                # A build folder without programs: nothing may be run.
                completed = subprocess.run([sys.executable, BENCHMARK, "--build", os.devnull] + args,
                                           stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                           timeout=60)
                stderr = completed.stderr.decode()
                self.assertEqual((completed.returncode, completed.stdout), (USAGE, b""), stderr)
                self.assertEqual(len(stderr.splitlines()), 1, stderr)
                self.assertIn(message, stderr)


if __name__ == "__main__":
    unittest.main()
