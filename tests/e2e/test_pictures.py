"""The four embedded pictures in the program's window: screenshots of each run, taken until they show
the character of that picture and then until a later one shows it moved on."""
import cmath
import functools
import math
import time
import unittest

from rendering import PRESS, find_window, screenshot, window_geometry
from sweep.program import Run

WIDE, TALL = (640, 360), (360, 640)
# How far a picture may lean toward vertical or horizontal edges (see stretch), either way. Drawn to
# the frame's aspect, the pictures measure 0.45 to 1.06; drawn to the swapped aspect, below 0.15 or above 5.
STRETCH_LIMIT = 3.5
# How far the network's lattice must have turned, in degrees, for a later screenshot: it turns by
# about 1.2 to 1.7 degrees a second, and its measured angle stays within a few tenths of a degree
# while only its zoom and sparkles move.
TURNED = 2.0


def share(image, test):
    """The share of pixels whose (r, g, b) passes test."""
    return sum(1 for colour in image.colours if test(*colour)) / len(image.colours)


def brightness(image):
    return sum(image.pixels) / len(image.pixels)


def stretch(image):
    """How much more the brightness changes from column to column than from row to row, as a ratio of
    the summed squares: near 1 for round blossoms and outlines and for ribbons that turn every way, and
    far from it when they are stretched or squeezed along one axis."""
    levels = [sum(colour) for colour in image.colours]
    rows = [levels[start:start + image.width] for start in range(0, len(levels), image.width)]
    across = sum((right - left) ** 2 for row in rows for left, right in zip(row, row[1:]))
    down = sum((lower - upper) ** 2 for above, below in zip(rows, rows[1:]) for upper, lower in zip(above, below))
    return across / max(down, 1)


def unstretched(image):
    return ("unstretched", 1 / STRETCH_LIMIT < stretch(image) < STRETCH_LIMIT)


def blossoms_look(image):
    """What the image lacks of blossoms over a blue-to-white sky."""
    band = image.height // 5
    top, bottom = image.crop(0, 0, image.width, band), image.crop(0, image.height - band, image.width, band)
    blueness = [sum(b - r for r, _, b in part.colours) / (part.width * part.height) for part in (top, bottom)]
    return [trait for trait, present in (
        ("bluer at the top", blueness[0] > blueness[1] + 60),
        ("bright", brightness(image) > 140),
        ("pink blossoms", share(image, lambda r, g, b: r > b + 20 and r > g + 40) > 0.005),
        unstretched(image)) if not present]


def green(r, g, b):
    return g > r + 60 and g > b + 40


def greenish(r, g, b):
    """The outlines' green, which their light pales toward blue as they leave the anchor."""
    return g > r + 40 and g > b + 20


def purple(r, g, b):
    return r > g + 50 and b > g + 80


def blue(r, g, b):
    return b > 150 and g > r + 30


def ribbons_look(image):
    return [trait for trait, present in (
        ("mostly black", share(image, lambda r, g, b: max(r, g, b) < 40) > 0.75),
        ("purple", share(image, purple) > 0.001),
        ("blue", share(image, blue) > 0.001),
        ("a white core", share(image, lambda r, g, b: min(r, g, b) > 200) > 0.0002),
        ("no green", share(image, green) < 0.0002),
        unstretched(image)) if not present]


def network_look(image):
    """What the image lacks of pale sparkling points all over a dark ground, once faded in."""
    tiles = [image.crop(column * image.width // 3, row * image.height // 3, image.width // 3, image.height // 3)
             for row in range(3) for column in range(3)]
    return [trait for trait, present in (
        ("mostly dark", share(image, lambda r, g, b: max(r, g, b) < 40) > 0.6),
        ("sparkles all over", all(share(tile, lambda r, g, b: min(r, g, b) > 150) > 0.0002 for tile in tiles)),
        ("no strong colour", max(share(image, test) for test in (green, purple, blue)) < 0.0002)) if not present]


@functools.lru_cache(maxsize=4)
def lattice_angle(image):
    """The turn of the network's lattice in degrees, modulo 60: its three families of links lie a sixth
    of a turn apart, so the brightness gradients, each at six times its angle and weighted by its
    strength, add up to the turn of all three."""
    levels = [sum(colour) for colour in image.colours]
    width, total = image.width, 0j
    for index in range(width + 1, len(levels) - width - 1):
        gradient = complex(levels[index + 1] - levels[index - 1], levels[index + width] - levels[index - width])
        if gradient:
            total += gradient ** 6 / abs(gradient) ** 4
    return math.degrees(cmath.phase(total)) / 6


def turned(first, second):
    """How far the lattice turned from one image to the other, in degrees, the shorter way round."""
    return abs((lattice_angle(second) - lattice_angle(first) + 30) % 60 - 30)


def outlines_look(image):
    """The stream starts at the green glow of its anchor beyond the left edge."""
    tenth = image.width // 10
    edges = image.crop(0, 0, tenth, image.height), image.crop(image.width - tenth, 0, tenth, image.height)
    greenness = [sum(g - r for r, g, _ in edge.colours) / (tenth * image.height) for edge in edges]
    return [trait for trait, present in (
        ("mostly dark", share(image, lambda r, g, b: max(r, g, b) < 40) > 0.6),
        ("green", share(image, greenish) > 0.001),
        ("purple", share(image, purple) > 0.001),
        ("a green glow at the left edge", greenness[0] > greenness[1] + 10),
        unstretched(image)) if not present]


class Pictures(unittest.TestCase):
    def capture(self, index, first_state, *later_states, size=WIDE, timeout=60):
        """Runs shader index, waits for a screenshot of the window in first_state (a test of an image),
        then for a later one in each of later_states in turn (a test of the screenshot before and the
        later one); then interrupts the run and checks that it failed nowhere. Returns the
        screenshots; each is the last one taken when its state did not come in time."""
        with Run(["-ShaderIndex", str(index), "-Resolution"] + [str(length) for length in size]) as run:
            self.assertTrue(run.wait_for_line(PRESS), run.lines)
            window = find_window()
            self.assertIsNotNone(window, "no window")
            images = [self.wait_for_screenshot(window, first_state, timeout)]
            for state in later_states:
                images.append(self.wait_for_screenshot(window, lambda image: state(images[-1], image), timeout))
            run.interrupt()
            self.assertEqual(run.wait(), 0)
        self.assertFalse([line for line in run.lines if line.startswith("Exception")], run.lines)
        return images

    @staticmethod
    def wait_for_screenshot(window, state, timeout):
        deadline = time.monotonic() + timeout
        while True:
            x, y, width, height = window_geometry(window)
            image = screenshot().crop(x, y, width, height)
            if state(image) or time.monotonic() > deadline:
                return image

    def check_moving_picture(self, index, look):
        """In a wide and in a tall frame, the picture shows its look, and a later one shows it too with a
        good share of pixels changed."""
        for size in WIDE, TALL:
            with self.subTest(size=size):
                first, second = self.capture(index, lambda image: not look(image),
                                             lambda first, image: not look(image) and moved(first, image), size=size)
                self.assertEqual(look(first), [], "missing")
                self.assertEqual(look(second), [], "missing")
                self.assertTrue(moved(first, second), "the picture does not move")

    def test_blossoms_over_a_blue_to_white_sky(self):
        self.check_moving_picture(0, blossoms_look)

    def test_purple_and_blue_ribbons_on_black(self):
        self.check_moving_picture(1, ribbons_look)

    def test_network_fades_in_and_turns(self):
        # The picture starts black and brightens over 20 s; the window is white until the first frame.
        # Its zoom and its sparkles move anyway; the lattice turns too.
        first, second, third = self.capture(
            2, lambda image: brightness(image) < 6,
            lambda first, image: brightness(image) > brightness(first) * 2 + 3 and not network_look(image),
            lambda second, image: turned(second, image) > TURNED)
        self.assertLess(brightness(first), 6, "not dark at the start of the fade-in")
        self.assertGreater(brightness(second), brightness(first) * 2 + 3, "not brighter some seconds later")
        self.assertEqual(network_look(second), [], "missing")
        self.assertTrue(moved(first, second), "the picture does not move")
        self.assertGreater(turned(second, third), TURNED, "the network does not turn")

    def test_green_to_purple_outlines(self):
        self.check_moving_picture(3, outlines_look)


def moved(first, second):
    return first.differing_fraction(second) > 0.02


if __name__ == "__main__":
    unittest.main()
