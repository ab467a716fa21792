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


def brightness(colour):
    return sum(colour)


class OverlayWindowTest(unittest.TestCase):
    """The overlay in the program's window."""

    def edge(self, image, lines, start, along_rows):
        """The first pixel position from start onwards, right or down, past which the picture is more
        than twice as bright, as the median over the given rows or columns; and the median ratio of
        the brightness inside to the brightness outside at that edge."""
        positions, ratios = [], []
        for line in lines:
            at = (lambda position: pixel(image, position, line)) if along_rows else (lambda position: pixel(image, line, position))
            for position in range(start, (image.width if along_rows else image.height) - 2):
                inside, outside = brightness(at(position)), brightness(at(position + 2))
                if outside > 2 * inside + 30:
                    positions.append(position)
                    ratios.append(inside / outside)
                    break
        self.assertGreater(len(positions), len(lines) * 0.8, "no edge of a darkened box")
        return statistics.median(positions), statistics.median(ratios)

    def test_khaki_text_in_a_darkened_box_at_the_top_left(self):
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
        left_text, top_text, right_text, bottom_text = text
        # 60 % black over the picture leaves 40 % of its brightness (the picture changes little
        # across the few pixels between the two samples); where the box ends, the probe pins.
        right, right_ratio = self.edge(image, range(top_text, bottom_text + 1, 3), right_text + 2, True)
        bottom, bottom_ratio = self.edge(image, range(left_text, right_text + 1, 5), bottom_text + 2, False)
        self.assertAlmostEqual(right_ratio, 0.4, delta=0.08)
        self.assertAlmostEqual(bottom_ratio, 0.4, delta=0.08)
        self.assertLess(right, width // 2)
        self.assertLess(bottom, height // 3)


if __name__ == "__main__":
    unittest.main()
