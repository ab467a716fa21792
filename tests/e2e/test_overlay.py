"""The text overlay in the program's window on the X display; the units draw it offscreen, where every
pixel is known."""
import statistics
import unittest

from rendering import PRESS, find_window, screenshot, window_geometry
from sweep.program import SETTLED, Run

KHAKI = (240, 230, 140)


def khaki_points(image, width, height):
    """The (x, y) of the khaki pixels within the given top left region."""
    return [(x, y) for y in range(height) for x in range(width)
            if all(abs(channel - wanted) <= 20 for channel, wanted in zip(image.pixel(x, y), KHAKI))]


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
        points = khaki_points(image, width // 2, height // 3)
        self.assertGreater(len(points), 300, "no khaki text at the top left")
        # Below the text the picture shows through the box darkened.
        left, right, bottom = min(x for x, _ in points), max(x for x, _ in points), max(y for _, y in points)
        inside = [sum(image.pixel(column, bottom + 2)) for column in range(left, right + 1)]
        below = [sum(image.pixel(column, height // 3)) for column in range(left, right + 1)]
        self.assertLess(statistics.median(inside), statistics.median(below) * 0.6)


if __name__ == "__main__":
    unittest.main()
