"""The program on DXVK, which has what Wine's own Direct3D lacks (IDXGISwapChain2, frame statistics,
tearing support): a sweep of the waitable object's modes on both side by side, full screen with F and
Escape in the formats, -Debug with the overlay stopped by Ctrl+C, the adapter report. Each run waits
for a statistics line before keys or Ctrl+C, as Wine's traces of frames are not there on DXVK."""
import json
import os
import re
import subprocess
import tempfile
import unittest

from lumivex import DXVK, DXVK_EXE, on_dxvk
from rendering import PRESS, find_window, parse_ppm, screenshot, send_keys, wait_for_geometry, window_geometry
from sweep.program import WINE_RUN, Run, run_lumivex
from test_debug import CTRL_C_LINES
from test_overlay import khaki_points
from test_render import STATISTICS, screen_size, swap_chain_line
from test_sweep import BAR_COLOUR, NO_SWAP_CHAIN2, folder_of, rows, sweep

SIZE = ["-Resolution", "640", "360"]
FORMATS = ["DXGI_FORMAT_R8G8B8A8_UNORM", "DXGI_FORMAT_R10G10B10A2_UNORM"]
# The overlay's text of a 640 x 360 frame: about 130 khaki pixels on either implementation.
KHAKI_TEXT = 60
DXVK_BAR_COLOUR = b"\xff\x7f\x0e"


@on_dxvk
class WaitableModesOnBoth(unittest.TestCase):
    """Wine's own Direct3D fails the swap chain that has the waitable object's flag, which mode 3 alone
    sets; on DXVK every mode presents, and the DXGI line counts what the "Statistics:" line counts. With
    sync interval 1 a Ctrl+C that reached Mesa's presentation thread used to end DXVK's runs."""

    @classmethod
    def setUpClass(cls):
        cls.temporary = tempfile.TemporaryDirectory()
        cls.status, cls.stdout = sweep(["--d3d", "builtin", "dxvk", "--dxvk", DXVK, "--waitable", "0", "1", "2", "3", "--sync-interval", "1",
                                        "--width", "640", "--height", "360", "--repeat", "1", "--output", cls.temporary.name])
        cls.folder = folder_of(cls.temporary.name)

    @classmethod
    def tearDownClass(cls):
        cls.temporary.cleanup()

    def test_runs_side_by_side(self):
        self.assertEqual(self.status, 0, self.stdout)
        found = rows(os.path.join(self.folder, "sweep.csv"))
        self.assertEqual([(row["WaitableObject"], row["D3D"]) for row in found],
                         [(mode, d3d) for mode in "0123" for d3d in ("builtin", "dxvk")])
        for row in found:
            with self.subTest(mode=row["WaitableObject"], d3d=row["D3D"]):
                if row["D3D"] == "builtin" and row["WaitableObject"] == "3":
                    self.assertEqual(row["failure"], NO_SWAP_CHAIN2)
                    continue
                self.assertEqual(row["failure"], "")
                rate = float(row["mean_rate"])
                self.assertGreater(rate, 0)
                # Only the swap chain with the waitable object's flag waits on it, and only DXVK has one.
                frames = rows(os.path.join(self.folder, "run-%02d-frames.csv" % int(row["run"])))
                self.assertEqual(any(float(frame["WaitMs"]) > 0 for frame in frames),
                                 row["D3D"] == "dxvk" and row["WaitableObject"] == "3")
                if row["D3D"] == "dxvk":
                    self.assertLess(abs(float(row["dxgi_present_rate"]) - rate), rate * 0.01 + 0.5, row)
        self.assertRegex(self.stdout, r"\| 0 \| builtin \| 1 of 1 \| [\d.]+ \|[^\n]*\n\| 0 \| dxvk \| 1 of 1 \| [\d.]+ \|")

    def test_record_and_chart_name_both(self):
        with open(os.path.join(self.folder, "sweep.json")) as stream:
            record = json.load(stream)
        self.assertEqual(record["axes"], ["WaitableObject", "D3D"])
        self.assertRegex(record["dxvk"], r"^%s \(.*d3d11\.dll sha256 [0-9a-f]{64}, dxgi\.dll sha256 [0-9a-f]{64}\)$"
                         % re.escape(os.path.abspath(DXVK)))
        self.assertTrue(record["vulkan_device"], record)
        chart = parse_ppm(subprocess.run(["convert", os.path.join(self.folder, "sweep.png"), "-depth", "8", "ppm:-"],
                                         stdout=subprocess.PIPE, check=True).stdout)
        # Three bars of each, each a good part of the chart's width long.
        for colour in (BAR_COLOUR, DXVK_BAR_COLOUR):
            bar = sum(1 for index in range(0, len(chart.pixels), 3) if chart.pixels[index:index + 3] == colour)
            self.assertGreater(bar, 3 * chart.width // 8 * 10, colour)


@on_dxvk
class OnDxvk(unittest.TestCase):
    def run_on_dxvk(self, args, group=False):
        return Run(SIZE + args, group=group, command=(WINE_RUN, DXVK_EXE))

    def test_full_screen_with_f_and_escape_in_each_format(self):
        screen = (0, 0) + screen_size()
        for name in FORMATS:
            with self.subTest(format=name), self.run_on_dxvk(["-Format", name.split("_")[2].lower()]) as run:
                self.assertTrue(run.wait_for_pattern(STATISTICS), run.lines)
                window = find_window()
                windowed = window_geometry(window)
                for key, geometry in (("f", screen), ("Escape", windowed)):
                    send_keys(window, key)
                    self.assertTrue(wait_for_geometry(window, geometry), (key, window_geometry(window)))
                # Frames go on after the switches.
                self.assertTrue(run.wait_for_pattern(STATISTICS, count=2), run.lines)
                run.interrupt()
                self.assertEqual(run.wait(), 0)
            self.assertTrue([line for line in run.lines if re.fullmatch(swap_chain_line(name, 2), line)], run.lines)
            self.assertEqual(run.lines[-1], "Stopping: CTRL_C_EVENT")

    def test_debug_with_the_overlay_stops_on_ctrl_c(self):
        with self.run_on_dxvk(["-Debug", "-OverlayMode", "1"], group=True) as run:
            self.assertTrue(run.wait_for_pattern(STATISTICS, 120), run.lines)
            x, y, width, height = window_geometry(find_window())
            image = screenshot().crop(x, y, width, height)
            run.interrupt(one_by_one=True)
            self.assertEqual(run.wait(), 0)
            self.assertEqual(run.processes_left(timeout=30), [])
        self.assertGreater(len(khaki_points(image, width // 2, height // 3)), KHAKI_TEXT, "no khaki text at the top left")
        tail = [line for line in run.lines[run.lines.index(PRESS) + 1:] if not line.startswith(("Statistics: ", "DXGI "))]
        self.assertEqual(len(tail), len(CTRL_C_LINES), tail)
        for line, expected in zip(tail, CTRL_C_LINES):
            self.assertRegex(line, expected)
        self.assertFalse([name for name in os.listdir(os.path.dirname(DXVK_EXE)) if name.endswith(".dmp")])

    def test_tearing_support_and_a_format_without_display_modes(self):
        status, lines, _ = run_lumivex(["-EnumerateAdapters"], exe=DXVK_EXE)
        self.assertEqual((status, lines[0]), (0, "Factory: DXGI_FEATURE_PRESENT_ALLOW_TEARING 1"))
        # DXVK has no display mode in the half-float format either, and says so with DXGI_ERROR_NOT_FOUND.
        status, lines, _ = run_lumivex(SIZE + ["-Format", "r16g16b16a16"], exe=DXVK_EXE)
        self.assertEqual((status, lines[-1]), (0, "Exception: 0x887A0002 Unknown exception"))
        self.assertRegex(lines[-2], swap_chain_line("DXGI_FORMAT_R16G16B16A16_FLOAT", 2))


if __name__ == "__main__":
    unittest.main()
