"""Runs Lumivex.exe in the background with its window on the X display, reads its console lines as
they come, and takes screenshots of its window."""
import ctypes
import functools
import os
import re
import signal
import subprocess
import threading
import time

from lumivex import BUILD_DIR, EXE, WINE_RUN, environment

WINDOW_NAME = "^Lumivex$"
# The line after which a rendering run draws its frames.
PRESS = "Press Ctrl+C to exit..."
# Wine's DXGI traces each present on this channel; the first one is the run's first frame.
FRAME_CHANNEL = "trace+dxgi"
PRESENT = re.compile(r"[0-9a-f]+:trace:dxgi:d3d11_swapchain_Present .*")
# Frames after which a run has made its resources (see Run.interrupt).
SETTLED = 30


class Run:
    """One background run of the program; use as a context manager so that it never outlives a test.
    With frames, Wine traces every present, so that the test can wait for frames (see interrupt)."""

    def __init__(self, args, debug="-all", frames=False, group=False, command=(WINE_RUN, EXE), without=()):
        """group: the run gets a process group of its own, which interrupt() signals as a whole, as a
        console's Ctrl+C reaches every process attached to it. command: what runs with the arguments;
        without: environment variables that it does not get."""
        self.group = group
        self.lines = []
        self.errors = []
        self._condition = threading.Condition()
        self._frames = frames
        if frames:
            debug += "," + FRAME_CHANNEL
        env = {name: value for name, value in environment(debug).items() if name not in without}
        self._process = subprocess.Popen(list(command) + list(args), cwd=BUILD_DIR, env=env,
                                         stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                         start_new_session=group)
        self._readers = [threading.Thread(target=self._read, args=(self._process.stdout, self.lines), daemon=True),
                         threading.Thread(target=self._read, args=(self._process.stderr, self.errors), daemon=True)]
        for reader in self._readers:
            reader.start()

    def _read(self, stream, target):
        for raw in stream:
            with self._condition:
                target.append(raw.decode("utf-8", "replace").rstrip("\r\n"))
                self._condition.notify_all()

    @property
    def pid(self):
        return self._process.pid

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        if self.group and self.processes_left():
            os.killpg(self._process.pid, signal.SIGKILL)
        if self._process.poll() is None:
            self._process.kill()
            self._process.wait(30)
        return False

    def _wait(self, found, timeout):
        """Waits until found() gives a true value and returns it; returns its last value when the
        output ended or time ran out first."""
        deadline = time.monotonic() + timeout
        with self._condition:
            while True:
                result = found()
                if result or time.monotonic() >= deadline or not any(reader.is_alive() for reader in self._readers):
                    return result
                self._condition.wait(min(max(deadline - time.monotonic(), 0), 0.2))

    def wait_for_line(self, text, timeout=60):
        """Waits until a console line equals text; returns False when the run ended or time ran out first."""
        return self._wait(lambda: text in self.lines, timeout)

    def wait_for_pattern(self, pattern, timeout=60, count=1):
        """Waits for count console lines that match pattern; returns the matches (the one match when
        count is 1), or None."""
        expression = re.compile(pattern)

        def matches():
            found = [match for match in map(expression.fullmatch, self.lines) if match]
            return (found if count > 1 else found[0]) if len(found) >= count else None
        return self._wait(matches, timeout)

    def presents(self):
        return sum(1 for line in self.errors if PRESENT.fullmatch(line))

    def wait_for_frames(self, count=1, timeout=60):
        """Waits until the run has presented count frames in all (a run with frames)."""
        return self._wait(lambda: self.presents() >= count, timeout)

    def interrupt(self, one_by_one=False):
        """Sends SIGINT, which reaches the program as CTRL_C_EVENT. Wine starts the thread for the
        console event from inside its signal handler; when the signal lands on Wine's Direct3D thread
        while that thread allocates memory, as it does for the first frames, the thread creation waits
        for the allocator's lock that the interrupted code holds, and the run hangs without a
        "Stopping" line. So a run with frames is interrupted once its first frames are out."""
        if self._frames and not self.wait_for_frames(SETTLED):
            raise AssertionError("no frame before the interrupt: %r" % self.lines)
        if self.group and not one_by_one:
            os.killpg(self._process.pid, signal.SIGINT)
            return
        # one_by_one, each process of the group gets it on its main thread, as a SIGINT to a process that
        # lands on a thread that Mesa started for DXVK without Wine ends the run with a segmentation fault.
        group = subprocess.run(["pgrep", "-g", str(self._process.pid)], stdout=subprocess.PIPE).stdout.split()
        for pid in map(int, group if self.group else [self._process.pid]):
            ctypes.CDLL(None).tgkill(pid, pid, signal.SIGINT)

    def processes_left(self, timeout=0):
        """The ids of the processes of the run's own group that still run the program, once there are
        none or the time-out has passed."""
        deadline = time.monotonic() + timeout
        while True:
            completed = subprocess.run(["pgrep", "-g", str(self._process.pid), "-f", os.path.basename(EXE)],
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            left = completed.stdout.decode().split()
            if not left or time.monotonic() >= deadline:
                return left
            time.sleep(0.2)

    def wait(self, timeout=60):
        """Waits for the end of the run; returns its exit status after all output is read."""
        status = self._process.wait(timeout)
        for reader in self._readers:
            reader.join(timeout)
        return status


def xdotool(*args):
    completed = subprocess.run(["xdotool"] + list(args), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    return completed.returncode, completed.stdout.decode()


def find_window(timeout=30):
    """The X window of the program, once it is shown."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        status, output = xdotool("search", "--onlyvisible", "--name", WINDOW_NAME)
        if status == 0 and output.split():
            return output.split()[0]
        time.sleep(0.2)
    return None


def window_geometry(window):
    """(x, y, width, height) of the window on the screen, its position relative to the root window.
    The program moves its window after creating it: ask once its start-up lines are out."""
    completed = subprocess.run(["xwininfo", "-id", window], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, check=True)
    values = dict(line.strip().split(":", 1) for line in completed.stdout.decode().splitlines() if ":" in line)
    return tuple(int(values[key]) for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))


def wait_for_geometry(window, geometry, timeout=10):
    """Whether the window takes the given geometry within the time-out."""
    deadline = time.monotonic() + timeout
    while window_geometry(window) != geometry and time.monotonic() < deadline:
        time.sleep(0.2)
    return window_geometry(window) == geometry


def send_keys(window, *keys):
    """Gives the window the keyboard focus and types the keys (xdotool key names)."""
    xdotool("windowfocus", "--sync", window)
    xdotool("key", *keys)


class Image:
    """An RGB picture: width, height and rows of (r, g, b) bytes."""

    def __init__(self, width, height, pixels):
        self.width = width
        self.height = height
        self.pixels = pixels

    @functools.cached_property
    def colours(self):
        """The (r, g, b) tuples of the pixels, listed once for every measure taken of the picture."""
        return list(zip(self.pixels[0::3], self.pixels[1::3], self.pixels[2::3]))

    def pixel(self, x, y):
        return self.colours[y * self.width + x]

    def crop(self, x, y, width, height):
        x0, y0 = max(x, 0), max(y, 0)
        x1, y1 = min(x + width, self.width), min(y + height, self.height)
        rows = []
        for row in range(y0, y1):
            start = (row * self.width + x0) * 3
            rows.append(self.pixels[start:start + (x1 - x0) * 3])
        return Image(x1 - x0, y1 - y0, b"".join(rows))

    def differing_fraction(self, other):
        """The share of pixels that differ from the same pixels of other (of the same size)."""
        count = self.width * self.height
        differing = sum(1 for index in range(0, count * 3, 3) if self.pixels[index:index + 3] != other.pixels[index:index + 3])
        return differing / count if count else 0.0


def parse_ppm(data):
    """An 8-bit binary PPM without comments, as ImageMagick writes them."""
    header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    if not header:
        raise ValueError("not an 8-bit binary PPM")
    width, height = int(header.group(1)), int(header.group(2))
    return Image(width, height, data[header.end():header.end() + width * height * 3])


def screenshot():
    """The whole X screen."""
    completed = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, check=True, env=dict(os.environ))
    return parse_ppm(completed.stdout)
