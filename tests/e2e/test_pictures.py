"""The four embedded pictures in the program's window: two screenshots of each run, a few seconds
apart, must show a moving picture with the character of that picture."""
import time
import unittest

from rendering import Run, find_window, screenshot, window_geometry

WIDTH, HEIGHT = 640, 360
CONTEXT_PREFIXES = ("DXGI Adapter: ", "DXGI Output: ", "DXGI SwapChain: ", "DXGI Fullscreen Mode: ")
PRESS = "Press Ctrl+C to exit..."


def channels(image):
    """The (r, g, b) tuples of the image's pixels."""
    pixels = image.pixels
    return list(zip(pixels[0::3], pixels[1::3], pixels[2::3]))


def share(image, test):
    """The share of pixels whose (r, g, b) passes test."""
    colours = channels(image)
    return sum(1 for colour in colours if test(*colour)) / len(colours)


def brightness(image):
    return sum(image.pixels) / len(image.pixels)


class Pictures(unittest.TestCase):
    def capture(self, index, moments):
        """Runs shader index and takes a screenshot of the window at each moment, in seconds after
        the program is ready; then interrupts the run and checks its lines and exit status."""
        with Run(["-ShaderIndex", str(index), "-Resolution", str(WIDTH), str(HEIGHT)]) as run:
            self.assertTrue(run.wait_for_line(PRESS), run.lines)
            ready = time.monotonic()
            window = find_window()
            self.assertIsNotNone(window, "no window")
            images = []
            for moment in moments:
                time.sleep(max(0.0, ready + moment - time.monotonic()))
                x, y, width, height = window_geometry(window)
                images.append(screenshot().crop(x, y, width, height))
            run.interrupt()
            self.assertEqual(run.wait(), 0)
        context = [line for line in run.lines[:run.lines.index(PRESS)] if line.startswith(CONTEXT_PREFIXES)]
        self.assertEqual(len(context), len(CONTEXT_PREFIXES), run.lines)
        for line, prefix in zip(context, CONTEXT_PREFIXES):
            self.assertTrue(line.startswith(prefix), line)
        self.assertFalse([line for line in run.lines if line.startswith("Exception")], run.lines)
        # The network starts nearly black, so only the last moment is checked for one flat colour here.
        self.assertGreater(len(images[-1].colours()), 100, "one flat colour")
        self.assertGreater(images[0].differing_fraction(images[1]), 0.02, "the picture does not move")
        return images

    def test_blossoms_over_a_blue_to_white_sky(self):
        first, second = self.capture(0, (2, 5))
        self.assertGreater(len(first.colours()), 100, "one flat colour")
        for image in (first, second):
            band = image.height // 5
            top = image.crop(0, 0, image.width, band)
            bottom = image.crop(0, image.height - band, image.width, band)
            blueness = [sum(b - r for r, _, b in channels(part)) / (part.width * part.height) for part in (top, bottom)]
            self.assertGreater(blueness[0], blueness[1] + 60, "not bluer at the top")
            self.assertGreater(brightness(image), 140, "not bright")
            self.assertGreater(share(image, lambda r, g, b: r > b + 20 and r > g + 40), 0.005, "no pink blossoms")

    def test_purple_and_blue_ribbons_on_black(self):
        first, second = self.capture(1, (2, 5))
        self.assertGreater(len(first.colours()), 100, "one flat colour")
        for image in (first, second):
            self.assertGreater(share(image, lambda r, g, b: max(r, g, b) < 40), 0.75, "not mostly black")
            self.assertGreater(share(image, lambda r, g, b: r > g + 50 and b > g + 80), 0.001, "no purple")
            self.assertGreater(share(image, lambda r, g, b: b > 150 and g > r + 30), 0.001, "no blue")
            self.assertGreater(share(image, lambda r, g, b: min(r, g, b) > 200), 0.0002, "no white core")

    def test_network_fades_in(self):
        first, second = self.capture(2, (0.5, 10))
        self.assertLess(brightness(first), 4, "not dark at the start of the fade-in")
        self.assertGreater(brightness(second), brightness(first) * 3 + 2, "not brighter some seconds later")

    def test_green_to_purple_outlines(self):
        first, second = self.capture(3, (2, 5))
        self.assertGreater(len(first.colours()), 100, "one flat colour")
        for image in (first, second):
            self.assertGreater(share(image, lambda r, g, b: g > r + 60 and g > b + 40), 0.001, "no green")
            self.assertGreater(share(image, lambda r, g, b: r > g + 50 and b > g + 80), 0.001, "no purple")


if __name__ == "__main__":
    unittest.main()
