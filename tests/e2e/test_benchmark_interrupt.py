"""Ctrl+C in the benchmark: after its first picture run has been measured against the flat quad, the
benchmark ends with the table of what it measured and the line that says so, not a traceback."""
import os
import signal
import subprocess
import sys
import unittest

from lumivex import BUILD_DIR, SOURCE_DIR, environment

BENCHMARK = os.path.join(SOURCE_DIR, "bench", "benchmark.py")
LIMIT = 200
INTERRUPTED = 130


class Interrupt(unittest.TestCase):
    def test_ctrl_c_after_the_first_round(self):
        process = subprocess.Popen([sys.executable, BENCHMARK, "--build", BUILD_DIR, "--width", "320", "--height", "240",
                                    "--rounds", "2", "--shaders", "0"], env=environment(), stdin=subprocess.DEVNULL,
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, start_new_session=True)
        try:
            first = process.stderr.readline().decode()
            self.assertRegex(first, r"^0 Blossoms +\d+\.\d\d  flat quad ")
            os.killpg(process.pid, signal.SIGINT)  # as a terminal sends it, to the whole group
            stdout, stderr = process.communicate(timeout=LIMIT)
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        stdout, stderr = stdout.decode(), stderr.decode()
        self.assertEqual(process.returncode, INTERRUPTED, stdout + stderr)
        self.assertNotIn("Traceback", stderr)
        lines = stdout.splitlines()
        self.assertRegex(lines[-2], r"^0 Blossoms +\d+\.\d\d +\d+\.\d\d +\d\.\d{3} +\d\.\d{3} to \d\.\d{3}$")
        self.assertEqual(lines[-1], "Interrupted; what was measured so far: 1 of 2 picture runs")


if __name__ == "__main__":
    unittest.main()
