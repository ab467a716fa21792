"""scripts/run.sh where there is no X display: the run gets a virtual display of its own and saves its
window as a PNG file while it renders; Ctrl+C to the script's whole process group, as a terminal sends
it, ends the run once and cleanly, with everything the script started. The same on DXVK with the
frame-latency waitable object, which Wine's own Direct3D lacks."""
import contextlib
import os
import re
import signal
import subprocess
import time
import unittest

import test_pictures
from lumivex import DXVK, on_dxvk
from rendering import PRESS, parse_ppm
from sweep.program import BUILD_DIR, ROOT, WINE_SERVER, Run, environment
from test_render import NO_TEARING

RUN_SCRIPT = os.path.join(ROOT, "scripts", "run.sh")
SCREENSHOT = os.path.join(BUILD_DIR, "window.png")
ANNOUNCEMENT = r"No X display: the run gets the virtual display :(\d+); its window, while it shows, is saved every 10 s to (.+)"
STATISTICS = r"Statistics: .*"
STOPPING = "Stopping: CTRL_C_EVENT"
X_ERROR = "X connection"
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
WIDTH, HEIGHT = 640, 360
# The setup and the build come first; on a built tree they only check.
BUILD_TIMEOUT = 180


def wine_server_runs():
    """Whether a Wine server serves the build's prefix (signal 0 only asks)."""
    return subprocess.run([WINE_SERVER, "-k0"], env=environment(), stderr=subprocess.DEVNULL).returncode == 0


def display_server(script):
    """The process id of the X server that the script started."""
    completed = subprocess.run(["pgrep", "-P", str(script), "-x", "Xvfb"], stdout=subprocess.PIPE)
    return int(completed.stdout.split()[0]) if completed.stdout.split() else None


def running(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return False
    return True


def session_processes(session):
    """The processes of the session that still run: those that have ended may wait a moment for
    their parent, or init, to collect their status."""
    completed = subprocess.run(["ps", "-o", "pid=,stat=,args=", "-s", str(session)], stdout=subprocess.PIPE)
    return [line for line in completed.stdout.decode().splitlines() if not line.split()[1].startswith("Z")]


def written_since(path, since, timeout):
    """Waits until the file has been written after the time since; returns whether it has."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        with contextlib.suppress(FileNotFoundError):
            if os.stat(path).st_mtime > since:
                return True
        time.sleep(0.2)
    return False


class HeadlessRunStoppedByCtrlC(unittest.TestCase):
    """The default picture at a smaller size, without DISPLAY, stopped by SIGINT to the script's
    process group once the first statistics line is out and then a screenshot, so taken of frames."""
    ARGS = ["-Resolution", str(WIDTH), str(HEIGHT)]

    @classmethod
    def setUpClass(cls):
        cls.server_before = wine_server_runs()
        if os.path.exists(SCREENSHOT):
            os.remove(SCREENSHOT)
        cls.display_server = None
        with Run(cls.ARGS, group=True, command=[RUN_SCRIPT], without=["DISPLAY"]) as run:
            try:
                announcement = run.wait_for_pattern(ANNOUNCEMENT, timeout=BUILD_TIMEOUT)
                cls.display_server = display_server(run.pid)
                cls.rendered = bool(announcement and run.wait_for_pattern(STATISTICS))
                cls.saved = cls.rendered and written_since(SCREENSHOT, time.time(), 30)
                # The screenshots come every 10 s like the periods: Ctrl+C goes right after a period's
                # line, so that no frame in flight closes the next period while the run stops.
                periods = sum(1 for line in run.lines if re.fullmatch(STATISTICS, line))
                run.wait_for_pattern(STATISTICS, count=periods + 1)
                run.interrupt()
                cls.status = run.wait()
                cls.left = session_processes(run.pid)
                cls.display_left = running(cls.display_server) if cls.display_server else None
            finally:
                # What a failed run leaves behind.
                if session_processes(run.pid):
                    with contextlib.suppress(ProcessLookupError):
                        os.killpg(run.pid, signal.SIGKILL)
                if cls.display_server and running(cls.display_server):
                    os.kill(cls.display_server, signal.SIGKILL)
        cls.lines, cls.errors = run.lines, run.errors

    def setUp(self):
        self.assertTrue(self.rendered, (self.lines, self.errors))

    def test_says_once_where_the_window_is_saved(self):
        announcements = [match for match in map(re.compile(ANNOUNCEMENT).fullmatch, self.lines) if match]
        self.assertEqual(len(announcements), 1, self.lines)
        self.assertEqual(os.path.realpath(announcements[0].group(2)), os.path.realpath(SCREENSHOT))
        self.assertLess(self.lines.index(announcements[0].group(0)), self.lines.index(PRESS))

    def test_stops_once_without_x_errors_and_exits_0(self):
        self.assertEqual(self.status, 0, (self.lines, self.errors))
        self.assertEqual(self.lines[-1:], [STOPPING], self.lines)
        self.assertEqual(self.lines.count(STOPPING), 1, self.lines)
        self.assertFalse([line for line in self.lines + self.errors if X_ERROR in line], (self.lines, self.errors))

    def test_leaves_nothing_running(self):
        self.assertEqual(self.left, [])
        self.assertIsNotNone(self.display_server, self.lines)
        self.assertFalse(self.display_left, "the virtual display still runs")
        if not self.server_before:
            self.assertFalse(wine_server_runs(), "the Wine server that the run started still runs")
        self.assertFalse(os.path.exists(SCREENSHOT + ".partial"))

    def test_screenshot_shows_the_picture(self):
        self.assertTrue(self.saved, "no screenshot")
        with open(SCREENSHOT, "rb") as stream:
            self.assertEqual(stream.read(len(PNG_SIGNATURE)), PNG_SIGNATURE)
        converted = subprocess.run(["convert", SCREENSHOT, "-depth", "8", "ppm:-"], stdout=subprocess.PIPE, check=True)
        image = parse_ppm(converted.stdout)
        # The window's client area: the frame size less Wine's caption and borders.
        self.assertTrue(WIDTH * 0.9 < image.width <= WIDTH + 2 and HEIGHT * 0.8 < image.height <= HEIGHT + 2,
                        (image.width, image.height))
        self.assertEqual(test_pictures.blossoms_look(image), [])


@on_dxvk
class HeadlessRunOnDxvk(HeadlessRunStoppedByCtrlC):
    ARGS = ["--dxvk", DXVK, "-WaitableObject", "3"] + HeadlessRunStoppedByCtrlC.ARGS

    def test_each_period_has_both_statistics_lines_that_agree(self):
        # The tearing support that DXVK reports leaves out the warning; DXVK's own log stays off.
        self.assertNotIn(NO_TEARING, self.lines)
        self.assertEqual([line for line in self.errors if re.match(r"(info|warn|err):  ", line)][:2], [])
        counts = [(int(dxgi.group(1)), re.fullmatch(r"Statistics: PresentCount \+(\d+) .*", after))
                  for dxgi, after in zip(map(re.compile(r"DXGI SwapChain: PresentCount \+(\d+), .*").fullmatch, self.lines),
                                         self.lines[1:]) if dxgi]
        self.assertTrue(counts, self.lines)
        for dxgi, statistics in counts:
            self.assertIsNotNone(statistics, self.lines)
            self.assertLessEqual(abs(dxgi - int(statistics.group(1))), 2, self.lines)


if __name__ == "__main__":
    unittest.main()
