"""The window of a rendering run of Lumivex.exe (sweep.program.Run) on the X display: found, driven
with keys, and taken in screenshots."""
import functools
import os
import re
import subprocess
import time

WINDOW_NAME = "^Lumivex$"
# The line after which a rendering run draws its frames.
PRESS = "Press Ctrl+C to exit..."


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
