"""The rendering run in the program's window on the X display: the context's start-up lines, the
statistics line, the record of frame times, the ways a run ends, start-up failures of the output and
the display mode, the swap chain's tearing flag and the switch to full screen and back."""
import csv
import os
import re
import tempfile
import time
import unittest

from rendering import PRESS, find_window, send_keys, wait_for_geometry, window_geometry, xdotool
from sweep.program import SETTLED, Run, run_lumivex

STOPPING = "Stopping: CTRL_C_EVENT"
NOT_FOUND = "Exception: 0x887A0002 Unknown exception"
STATISTICS = r"Statistics: PresentCount \+(\d+) \(\+(\d+\.\d{2}) per second\)"
NO_TEARING = "Warning: No support for DXGI_FEATURE_PRESENT_ALLOW_TEARING"
SIZE = ["-Resolution", "960", "540"]
SCANLINE_ORDERS = "UNSPECIFIED|PROGRESSIVE|UPPER_FIELD_FIRST|LOWER_FIELD_FIRST"
SCALINGS = "UNSPECIFIED|CENTERED|STRETCHED"
# Wine's DXGI names the swap-chain flags that it does not handle itself, among them
# DXGI_SWAP_CHAIN_FLAG_ALLOW_TEARING (0x800); the program's console shows no flags.
FLAGS_CHANNEL = "-all,fixme+dxgi"
UNHANDLED_FLAGS = re.compile(r"[0-9a-f]+:fixme:dxgi:wined3d_swapchain_flags_from_dxgi Unhandled flags 0x([0-9a-f]+)\.")
RESIZE_BUFFERS = re.compile(r"[0-9a-f]+:trace:dxgi:d3d11_swapchain_ResizeBuffers .*, buffer_count (\d+), "
                            r"width (\d+), height (\d+), format (\w+), flags (\w+)\.")

_report = {}


def frame_times_path():
    """A file in a folder of its own for the record of frame times: (Unix path, the program's path)."""
    folder = tempfile.mkdtemp(prefix="lumivex-frame-times-")
    path = os.path.join(folder, "times.csv")
    return path, "Z:" + path.replace("/", "\\")


def read_frame_times(path):
    """The rows of the record as (frame, start, interval, wait, present, result), and the header."""
    with open(path, newline="") as file:
        rows = list(csv.reader(file))
    os.remove(path)
    os.rmdir(os.path.dirname(path))
    return rows[0], [(int(row[0]), *map(float, row[1:5]), row[5]) for row in rows[1:]]


def adapter_report():
    """What the adapter report says about the first adapter and its first output, as the context
    lines are to name them, and the warnings the context is to print before them."""
    if not _report:
        status, lines, errors = run_lumivex(["-EnumerateAdapters"])
        if status != 0:
            # Wine's own lines say why a run ended before the program printed anything.
            raise AssertionError("the adapter report failed with status %d: %r\n%s" % (status, lines, errors[-2000:]))
        text = "\n".join(lines)
        adapter = re.search(r"^Adapter 0: (.*?), Vendor 0x[0-9A-F]+, Adapter (-?\d+\.[0-9A-F]{8})", text, re.M)
        output = re.search(r"^  Output 0: (.*?)(, BitsPerColor .*)?$", text, re.M)
        tearing = re.search(r"^Factory: DXGI_FEATURE_PRESENT_ALLOW_TEARING ([01])$", text, re.M)
        if not adapter or not output:
            raise AssertionError("no adapter 0 with an output 0: %r" % lines)
        _report["adapter"] = "DXGI Adapter: %s, %s" % adapter.groups()
        _report["output"] = "DXGI Output: %s" % output.group(1)
        _report["tearing"] = bool(tearing and tearing.group(1) == "1")
        _report["warnings"] = [] if _report["tearing"] else [NO_TEARING]
    return _report


def unhandled_flags(run):
    return [int(match.group(1), 16) for match in map(UNHANDLED_FLAGS.fullmatch, run.errors) if match]


def swap_chain_line(format_name, buffer_count):
    return r"DXGI SwapChain: (\d+) x (\d+), %s, BufferCount %d, DXGI_SWAP_EFFECT_FLIP_DISCARD" % (format_name, buffer_count)


def screen_size():
    return tuple(int(value) for value in xdotool("getdisplaygeometry")[1].split())


class ContextLineChecks:
    """The lines the context prints while it is built, ahead of the prompt."""

    def assertContextLines(self, lines, format_name, buffer_count):
        """Checks the adapter, output, swap-chain and full-screen mode lines at the head of lines;
        returns the swap chain's size."""
        report = adapter_report()
        head = report["warnings"] + [report["adapter"], report["output"]]
        self.assertEqual(lines[:len(head)], head)
        rest = lines[len(head):]
        self.assertGreaterEqual(len(rest), 2, lines)
        swap_chain = re.fullmatch(swap_chain_line(format_name, buffer_count), rest[0])
        self.assertIsNotNone(swap_chain, rest[0])
        mode = re.fullmatch(r"DXGI Fullscreen Mode: (\d+) x (\d+) @ (\d+)/(\d+) \((\d+\.\d{3})\), %s, "
                            r"DXGI_MODE_SCANLINE_ORDER_(?:%s), DXGI_MODE_SCALING_(?:%s)" % (format_name, SCANLINE_ORDERS, SCALINGS),
                            rest[1])
        self.assertIsNotNone(mode, rest[1])
        numerator, denominator = int(mode.group(3)), int(mode.group(4))
        self.assertNotEqual(denominator, 0)
        self.assertEqual(mode.group(5), "%.3f" % (numerator / denominator))
        return int(swap_chain.group(1)), int(swap_chain.group(2))

    def assertStoppedOnce(self, lines):
        """After the prompt: statistics lines, then the one stop."""
        self.assertIn(PRESS, lines)
        tail = lines[lines.index(PRESS) + 1:]
        self.assertEqual(tail[-1:], [STOPPING], lines)
        self.assertTrue(all(line.startswith("Statistics: ") for line in tail[:-1]), lines)


class ContextLines(ContextLineChecks, unittest.TestCase):
    def test_format_buffer_count_and_no_tearing(self):
        args = ["-Format", "r10g10b10a2", "-SwapChainBufferCount", "3", "-AllowTearing", "2"]
        with Run(SIZE + args, debug=FLAGS_CHANNEL, frames=True) as run:
            self.assertTrue(run.wait_for_line(PRESS), run.lines)
            run.interrupt()
            self.assertEqual(run.wait(), 0)
        self.assertContextLines(run.lines, "DXGI_FORMAT_R10G10B10A2_UNORM", 3)
        self.assertStoppedOnce(run.lines)
        self.assertEqual(unhandled_flags(run), [])


class DefaultRun(ContextLineChecks, unittest.TestCase):
    """One run with the default options but a smaller window, stopped by SIGINT after its second
    statistics line."""

    @classmethod
    def setUpClass(cls):
        path, argument = frame_times_path()
        with Run(SIZE + ["-FrameTimes", argument], debug=FLAGS_CHANNEL, frames=True) as run:
            cls.prompted = run.wait_for_line(PRESS)
            prompt_time = time.monotonic()
            window = find_window()
            cls.geometry = window_geometry(window) if window else None
            cls.times = []
            for count in (1, 2):
                cls.statistics = run.wait_for_pattern(STATISTICS, timeout=40, count=count)
                cls.times.append(time.monotonic() - prompt_time)
            run.interrupt()
            cls.status = run.wait()
            cls.presents = run.presents()
        cls.lines = run.lines
        cls.flags = unhandled_flags(run)
        cls.header, cls.frame_times = read_frame_times(path)

    def setUp(self):
        self.assertTrue(self.prompted, self.lines)

    def test_frame_times_record_every_present(self):
        self.assertEqual(self.header, ["Frame", "StartMs", "IntervalMs", "WaitMs", "PresentMs", "Result"])
        rows = self.frame_times
        self.assertEqual([row[0] for row in rows], list(range(1, len(rows) + 1)))
        self.assertLessEqual(abs(len(rows) - self.presents), 1, (len(rows), self.presents))
        # The rows that start within each statistics period are the presents that its line counts;
        # a period ends with the first frame past its 10 s, which the line counts too.
        counts = [int(match.group(1)) for match in self.statistics]
        end = 0.0
        for count in counts:
            within = [row for row in rows if end < row[1] <= end + 10000]
            closing = rows[min(within[-1][0], len(rows) - 1)]
            self.assertLessEqual(abs(len(within) + 1 - count), 3, (count, len(within), end))
            end = closing[1]
        # The last row came after the last statistics line; the intervals add up to the rows' span.
        self.assertGreater(rows[-1][1], end)
        self.assertEqual(rows[0][2], 0)
        self.assertAlmostEqual(sum(row[2] for row in rows), rows[-1][1] - rows[0][1], delta=0.001 * len(rows))
        self.assertEqual({row[3] for row in rows}, {0.0}, "no waiting without the waitable object")
        self.assertTrue(all(row[4] >= 0 for row in rows))
        self.assertEqual({row[5] for row in rows}, {"0x00000000"})

    def test_context_lines_then_prompt(self):
        width, height = self.assertContextLines(self.lines, "DXGI_FORMAT_B8G8R8A8_UNORM", 2)
        # The window is made for a client area of 960 x 540 with a sizing border that it does not
        # have, so the client area it gets, which the swap chain takes, comes out a little larger.
        self.assertTrue(960 < width < 1000 and 540 < height < 580, (width, height))
        self.assertEqual(self.lines[len(adapter_report()["warnings"]) + 4], PRESS)

    def test_window_centred_on_the_output(self):
        self.assertIsNotNone(self.geometry, "no window")
        x, y, client_width, client_height = self.geometry
        screen_width, screen_height = screen_size()
        width, height = self.assertContextLines(self.lines, "DXGI_FORMAT_B8G8R8A8_UNORM", 2)
        # The window's outer size becomes the swap chain's size; the X window is its client area,
        # centred across and pushed down by half the caption.
        self.assertLess(client_width, width)
        self.assertLess(client_height, height)
        self.assertLessEqual(abs(x + client_width / 2 - screen_width / 2), 1)
        self.assertGreaterEqual(y + client_height / 2 - screen_height / 2, 0)
        self.assertLessEqual(y + client_height / 2 - screen_height / 2, (height - client_height) / 2 + 1)

    def test_a_statistics_line_every_ten_seconds_for_its_own_period(self):
        self.assertIsNotNone(self.statistics, self.lines)
        counts = []
        for match in self.statistics:
            count, rate = int(match.group(1)), float(match.group(2))
            # The rate is the count over the period, which ends with the first frame past 10 s.
            self.assertTrue(count > 0 and 9.95 <= count / rate <= 11, (count, rate))
            counts.append(count)
        self.assertGreaterEqual(self.times[0], 9.5)
        self.assertGreaterEqual(self.times[1] - self.times[0], 9.5)
        # Wine traces every present: the two periods together hold the presents up to the second line,
        # which came out a few frames before the stop.
        self.assertLessEqual(sum(counts), self.presents)
        self.assertGreater(sum(counts), self.presents * 0.8, (counts, self.presents))

    def test_tearing_flag_follows_the_support(self):
        self.assertEqual(self.flags, [0x800] if adapter_report()["tearing"] else [])

    def test_interrupt_stops_once_and_exits_0(self):
        self.assertEqual(self.status, 0)
        self.assertStoppedOnce(self.lines)


class WindowEndsRun(unittest.TestCase):
    """Keys typed into the window end the run without a console event."""

    def assertKeysEndRun(self, *keys):
        """The keys end the run without a console event; the record of frame times keeps every frame."""
        path, argument = frame_times_path()
        with Run(SIZE + ["-FrameTimes", argument], frames=True) as run:
            self.assertTrue(run.wait_for_line(PRESS), run.lines)
            window = find_window()
            self.assertIsNotNone(window, "no window")
            self.assertTrue(run.wait_for_frames(SETTLED), run.lines)
            send_keys(window, *keys)
            self.assertEqual(run.wait(20), 0)
        self.assertIn(PRESS, run.lines)
        self.assertFalse([line for line in run.lines if line.startswith("Stopping")], run.lines)
        _, rows = read_frame_times(path)
        self.assertEqual([row[0] for row in rows], list(range(1, len(rows) + 1)))
        self.assertLessEqual(abs(len(rows) - run.presents()), 1, (len(rows), run.presents()))

    def test_ctrl_c_in_the_window(self):
        self.assertKeysEndRun("ctrl+c")

    def test_closing_the_window(self):
        # Without a window manager the window has no close box; Alt+F4 closes it the same way.
        self.assertKeysEndRun("alt+F4")


class StartupFailures(unittest.TestCase):
    def test_a_frame_times_file_that_cannot_be_made_ends_the_run_before_its_window(self):
        status, lines, _ = run_lumivex(SIZE + ["-FrameTimes", "Z:\\no such folder\\times.csv"])
        self.assertEqual((status, lines), (0, ["Exception: 0x80070003 Failed to create the frame times file Z:\\no such folder\\times.csv"]))

    def test_output_index_past_the_last_output_and_a_format_without_display_modes(self):
        report = adapter_report()
        head = report["warnings"] + [report["adapter"]]
        self.assertEqual(run_lumivex(SIZE + ["-oi", "9"])[:2], (0, head + [NOT_FOUND]))
        # Wine has no display mode in the half-float format, so the closest-mode search fails with
        # E_FAIL and the run ends right after the swap-chain line.
        status, lines, _ = run_lumivex(SIZE + ["-Format", "r16g16b16a16"])
        self.assertEqual(status, 0)
        self.assertEqual(lines[:len(head) + 1], head + [report["output"]])
        self.assertEqual(len(lines), len(head) + 3, lines)
        self.assertRegex(lines[-2], "^%s$" % swap_chain_line("DXGI_FORMAT_R16G16B16A16_FLOAT", 2))
        self.assertEqual(lines[-1], "Exception: 0x80004005 Unknown exception")


class FullScreen(ContextLineChecks, unittest.TestCase):
    """F enters full screen, Escape leaves it; each switch resizes the buffers to the frame size."""

    def test_f_enters_and_escape_leaves(self):
        screen = (0, 0) + screen_size()
        with Run(SIZE, frames=True) as run:
            self.assertTrue(run.wait_for_line(PRESS), run.lines)
            window = find_window()
            self.assertIsNotNone(window, "no window")
            self.assertTrue(run.wait_for_frames(SETTLED), run.lines)
            windowed = window_geometry(window)
            self.assertNotEqual(windowed, screen)

            def resizes():
                return [match.groups() for match in map(RESIZE_BUFFERS.fullmatch, list(run.errors)) if match]

            frame = [("2", "960", "540", "DXGI_FORMAT_B8G8R8A8_UNORM", "0")]
            steps = [("f", screen, frame), ("f", screen, []), ("Escape", windowed, frame),
                     ("Escape", windowed, []), ("shift+f", screen, frame)]
            for key, geometry, resized in steps:
                before, presents = len(resizes()), run.presents()
                send_keys(window, key)
                self.assertTrue(wait_for_geometry(window, geometry), (key, window_geometry(window)))
                # The key is handled before the next frame; some frames later every resize is out.
                self.assertTrue(run.wait_for_frames(presents + SETTLED), key)
                self.assertEqual(window_geometry(window), geometry, key)
                self.assertEqual(resizes()[before:], resized, key)
            run.interrupt()
            self.assertEqual(run.wait(), 0)
        self.assertStoppedOnce(run.lines)


if __name__ == "__main__":
    unittest.main()
