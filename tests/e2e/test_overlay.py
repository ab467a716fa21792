"""The text overlay in the program's window on the X display; the units draw it offscreen, where every
pixel is known."""
import statistics
import unittest

from rendering import PRESS, SETTLED, Run, find_window, screenshot, window_geometry

KHAKI = (240, 230, 140)


def pixel(image, x, y):
    index = (y * image.width + x) * 3
    return tuple(image.pixels[index:index + 3])


def is_khaki(colour, tolerance=20):
    return all(abs(channel - wanted) <= tolerance for channel, wanted in zip(colour, KHAKI))


def khaki_bounds(image, width, height):
    """(left, top, right, bottom) and count of the khaki pixels within the given top left region."""
    points = [(x, y) for y in range(height) for x in range(width) if is_khaki(pixel(image, x, y))]
    if not points:
        return None, 0
    xs, ys = [x for x, _ in points], [y for _, y in points]
    return (min(xs), min(ys), max(xs), max(ys)), len(points)


class OverlayWindowTest(unittest.TestCase):
    """-OverlayMode 1 draws the overlay in the program's window: its khaki text at the top left."""

    def test_khaki_text_at_the_top_left(self):
        with Run(["-OverlayMode", "1"], frames=True) as run:
            self.assertTrue(run.wait_for_line(PRESS), run.lines)
            window = find_window()
            self.assertIsNotNone(window, "no window")
            self.assertTrue(run.wait_for_frames(SETTLED), run.lines)
            x, y, width, height = window_geometry(window)
            image = screenshot().crop(x, y, width, height)
            run.interrupt()
            self.assertEqual(run.wait(), 0)
        self.assertFalse([line for line in run.lines if line.startswith("Exception")], run.lines)
        text, count = khaki_bounds(image, width // 2, height // 3)
        self.assertIsNotNone(text, "no khaki text at the top left")
        self.assertGreater(count, 300)
        # Below the text the picture shows through the box darkened.
        left, _, right, bottom = text
        inside = [sum(pixel(image, column, bottom + 2)) for column in range(left, right + 1)]
        below = [sum(pixel(image, column, height // 3)) for column in range(left, right + 1)]
        self.assertLess(statistics.median(inside), statistics.median(below) * 0.6)


if __name__ == "__main__":
    unittest.main()
