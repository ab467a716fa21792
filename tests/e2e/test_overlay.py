"""The text overlay: offscreen through OverlayProbe.exe, where every pixel is known, and in the real
program's window on the X display."""
import os
import statistics
import tempfile
import unittest

from lumivex import BUILD_DIR, run_lumivex
from rendering import PRESS, SETTLED, Run, find_window, parse_ppm, screenshot, window_geometry

PROBE = os.path.join(BUILD_DIR, "OverlayProbe.exe")
KHAKI = (240, 230, 140)
# What the probe fills the frame's picture with, and that colour under the box: 60 % black over it.
PICTURE = bytes((64, 128, 192))
SHADED = tuple(round(channel * 0.4) for channel in PICTURE)


def run_probe(*args):
    status, lines, _ = run_lumivex(args, exe=PROBE)
    return status, lines


def probe_picture(width, height, frame=42, frame_time=37234560000, rate=59.94):
    """The back buffer after one overlay frame drawn by the probe over a one-colour picture."""
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "overlay.ppm")
        status, lines = run_probe("draw", width, height, frame, frame_time, rate, path)
        if status != 0 or lines != ["Drawn %dx%d" % (width, height)]:
            raise AssertionError("OverlayProbe draw failed: %r" % lines)
        with open(path, "rb") as stream:
            return parse_ppm(stream.read())


def pixel(image, x, y):
    index = (y * image.width + x) * 3
    return tuple(image.pixels[index:index + 3])


def is_khaki(colour, tolerance=20):
    return all(abs(channel - wanted) <= tolerance for channel, wanted in zip(colour, KHAKI))


def changed_bounds(image, unchanged):
    """(left, top, right, bottom), inclusive, of the pixels that differ from the colour unchanged."""
    row = unchanged * image.width
    rows = [y for y in range(image.height) if image.pixels[y * image.width * 3:(y + 1) * image.width * 3] != row]
    if not rows:
        return None
    columns = [x for y in rows for x in range(image.width) if pixel(image, x, y) != tuple(unchanged)]
    return min(columns), rows[0], max(columns), rows[-1]


def khaki_bounds(image, width, height):
    """(left, top, right, bottom) and count of the khaki pixels within the given top left region."""
    points = [(x, y) for y in range(height) for x in range(width) if is_khaki(pixel(image, x, y))]
    if not points:
        return None, 0
    xs, ys = [x for x, _ in points], [y for _, y in points]
    return (min(xs), min(ys), max(xs), max(ys)), len(points)


class OverlayProbeTest(unittest.TestCase):
    """The overlay drawn into an offscreen back buffer of the program's format."""

    def test_box_and_text_over_an_untouched_picture(self):
        image = probe_picture(1280, 720)
        bounds = changed_bounds(image, PICTURE)
        self.assertIsNotNone(bounds, "the overlay left the picture as it was")
        left, top, right, bottom = bounds
        # The box sits in the top left corner: a quarter of the time line's height from the top, and
        # two thirds minus a quarter of it from the left.
        self.assertLess(right, 640)
        self.assertLess(bottom, 180)
        self.assertGreater(top, 2)
        self.assertAlmostEqual(left, top * 5 / 3, delta=1.5)
        # Everything else is the picture as rendered: the copy replaced the back buffer's old content.
        outside = [pixel(image, x, y) for y in (0, top - 1, bottom + 1, 719) for x in range(0, 1280, 7)]
        self.assertEqual(set(outside), {tuple(PICTURE)})
        shaded = khaki = 0
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                colour = pixel(image, x, y)
                if all(abs(channel - wanted) <= 1 for channel, wanted in zip(colour, SHADED)):
                    shaded += 1
                elif is_khaki(colour, 12):
                    khaki += 1
                    # Text pixels keep clear of the box's margin (a quarter of the time line's height).
                    self.assertTrue(left + top - 2 <= x <= right - top + 2 and 2 * top - 2 <= y <= bottom - top + 2, (x, y))
                else:
                    # Anti-aliased text edges: between the shaded picture and khaki in every channel.
                    self.assertTrue(all(low - 2 <= channel <= high + 2 for channel, low, high in zip(colour, SHADED, KHAKI)), colour)
        area = (right - left + 1) * (bottom - top + 1)
        self.assertGreater(shaded, area * 0.6, "the box is not the picture under 60 % black")
        self.assertGreater(khaki, 300, "no khaki text in the box")

    def test_two_lines_of_text_sized_by_the_frame_height(self):
        image = probe_picture(1280, 720)
        left, top, right, bottom = changed_bounds(image, PICTURE)
        # The frame line starts one time line's height (four margins) below the time line, which
        # starts two margins from the top; a row between them is free of text.
        frame_line_top = 6 * top
        rows = {y for y in range(top, bottom + 1) for x in range(left, right + 1) if is_khaki(pixel(image, x, y), 12)}
        self.assertTrue(any(y < frame_line_top for y in rows), "no time line")
        self.assertTrue(any(y > frame_line_top for y in rows), "no frame line")
        self.assertTrue(any(y not in rows for y in range(min(rows), max(rows))), "the two lines run together")
        large = changed_bounds(probe_picture(1920, 1080), PICTURE)
        # Left, top and bottom; the right edge also follows the longer "1920x1080".
        for index in (0, 1, 3):
            self.assertAlmostEqual(large[index], (left, top, right, bottom)[index] * 1.5, delta=2.5)
        self.assertGreater(large[2], right * 1.5)

    def test_numbers_read_back(self):
        """The figures that the text shows, read back by comparing frames: equal figures draw equal
        pixels, and each figure redraws its own place in the box."""
        usual = probe_picture(1280, 720)
        top = changed_bounds(usual, PICTURE)[1]

        def redrawn(image):
            """(leftmost column, rows) of the pixels that differ from the usual frame."""
            points = [(x, y) for y in range(usual.height) for x in range(usual.width) if pixel(image, x, y) != pixel(usual, x, y)]
            self.assertTrue(points, "the same pixels")
            return min(x for x, _ in points), {y for _, y in points}
        # The frame line starts six margins from the top (see above).
        _, time_rows = redrawn(probe_picture(1280, 720, frame_time=37234560000 + 10000))
        self.assertLess(max(time_rows), 6 * top)
        figures = [redrawn(probe_picture(1280, 720, frame=43)), redrawn(probe_picture(1290, 720).crop(0, 0, 1280, 720)),
                   redrawn(probe_picture(1280, 720, rate=59.96))]
        self.assertGreater(min(min(rows) for _, rows in figures), 6 * top)
        # "#000043 - 1280x720 - 59.9 fps": the number, then the size, then the rate.
        lefts = [left for left, _ in figures]
        self.assertEqual(lefts, sorted(lefts))
        self.assertGreater(lefts[1], lefts[0] + top)
        self.assertGreater(lefts[2], lefts[1] + top)


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
