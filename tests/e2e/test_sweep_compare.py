"""Two small real sweeps compared: A with the overlay off, B with it on, where the overlay rejects the
second format so that this combination now fails. B is stopped by Ctrl+C after its first repeat and
the comparison counts its missing runs."""
import csv
import os
import signal
import subprocess
import tempfile
import unittest

from lumivex import SOURCE_DIR

SWEEP = os.path.join(SOURCE_DIR, "scripts", "sweep.sh")
SWEEP_LIMIT = 200
FORMATS = ["b8g8r8a8", "r10g10b10a2"]
COMMON = ["--width", "320", "--height", "240", "--format"] + FORMATS + ["--repeat", "2"]
INTERRUPTED = 130


def folder_of(output):
    folders = os.listdir(output)
    assert len(folders) == 1, folders
    return os.path.join(output, folders[0])


def interrupted_sweep(args, before):
    """Runs a sweep until it prints a line starting with before, then sends Ctrl+C to it as a terminal
    would; returns its exit status and output."""
    process = subprocess.Popen([SWEEP] + args, stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, start_new_session=True)
    lines = []
    try:
        for raw in process.stdout:
            lines.append(raw.decode("utf-8", "replace"))
            if lines[-1].startswith(before):
                os.killpg(process.pid, signal.SIGINT)
                break
        lines += [raw.decode("utf-8", "replace") for raw in process.stdout]
        return process.wait(SWEEP_LIMIT), "".join(lines)
    finally:
        if process.poll() is None:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()
        process.stdout.close()


class Compare(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temporary = tempfile.TemporaryDirectory()
        a, b = (os.path.join(cls.temporary.name, name) for name in "ab")
        completed = subprocess.run([SWEEP] + COMMON + ["--output", a], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT, timeout=SWEEP_LIMIT)
        cls.sweep_a = completed.returncode, completed.stdout.decode("utf-8", "replace")
        cls.sweep_b = interrupted_sweep(COMMON + ["--overlay", "1", "--output", b], "Run 3 of 4")
        cls.a, cls.b = folder_of(a), folder_of(b)
        completed = subprocess.run([SWEEP, "--compare", cls.a, cls.b], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT, timeout=60)
        cls.status, cls.stdout = completed.returncode, completed.stdout.decode("utf-8", "replace")

    @classmethod
    def tearDownClass(cls):
        cls.temporary.cleanup()

    def test_ctrl_c_keeps_what_was_measured(self):
        self.assertEqual(self.sweep_a[0], 0, self.sweep_a[1])
        status, stdout = self.sweep_b
        self.assertEqual(status, INTERRUPTED, stdout)
        self.assertTrue(stdout.endswith("\nInterrupted; what was measured so far: 2 of 4 runs, in %s\n" % self.b), stdout)
        with open(os.path.join(self.b, "sweep.csv"), newline="") as stream:
            self.assertEqual([(row["repeat"], row["Format"]) for row in csv.DictReader(stream)], [("1", FORMATS[0]), ("1", FORMATS[1])])

    def test_verdicts_with_missing_runs_and_the_exit_status(self):
        self.assertEqual(self.status, 1, self.stdout)
        with open(os.path.join(self.b, "compare.csv"), newline="") as stream:
            rows = {row["Format"]: row for row in csv.DictReader(stream)}
        self.assertEqual([(row["a_runs"], row["b_runs"], row["a_result"]) for row in rows.values()], [("2", "1", "ok")] * 2)
        self.assertIn(rows[FORMATS[0]]["verdict"], ["same", "slower"])  # the overlay's cost is what it is here
        self.assertGreater(float(rows[FORMATS[0]]["b_median"]), 0)
        self.assertEqual(rows[FORMATS[1]]["verdict"], "now fails")
        self.assertIn("Non-zero overlay mode requires DXGI_FORMAT_B8G8R8A8_UNORM format", rows[FORMATS[1]]["b_result"])

    def test_settings_side_by_side_and_the_files(self):
        self.assertIn("| OverlayMode | 0 | 1 | yes |", self.stdout)
        self.assertIn("| Format | b8g8r8a8 r10g10b10a2 | b8g8r8a8 r10g10b10a2 |  |", self.stdout)
        self.assertTrue(self.stdout.endswith("Written to %s\n" % self.b), self.stdout)
        with open(os.path.join(self.b, "compare.png"), "rb") as stream:
            self.assertEqual(stream.read(8), b"\x89PNG\r\n\x1a\n")


if __name__ == "__main__":
    unittest.main()
