"""The sweep's reading of the program's console lines (no program runs here)."""
import unittest

from sweep.console import ConsoleLineError, RunLines

TEARING = "Warning: No support for DXGI_FEATURE_PRESENT_ALLOW_TEARING"
CONTEXT = [
    TEARING,
    "DXGI Adapter: Some GPU, 0.000003F0",
    "DXGI Output: \\\\.\\DISPLAY1",
    "DXGI SwapChain: 322 x 242, DXGI_FORMAT_R10G10B10A2_UNORM, BufferCount 3, DXGI_SWAP_EFFECT_FLIP_DISCARD",
    "DXGI Fullscreen Mode: 2560 x 1440 @ 0/1 (0.000), DXGI_FORMAT_R10G10B10A2_UNORM, "
    "DXGI_MODE_SCANLINE_ORDER_PROGRESSIVE, DXGI_MODE_SCALING_UNSPECIFIED",
]
PROMPT = "Press Ctrl+C to exit..."


def read(lines):
    result = RunLines()
    for line in lines:
        result.add(line)
    return result


class ConsoleLines(unittest.TestCase):
    def test_run_with_statistics(self):
        run = read(CONTEXT + [PROMPT,
                              "DXGI SwapChain: PresentCount +1440, +144.000/sec, PresentRefreshCount +1200, +120.000/sec, "
                              "SyncRefreshCount +1000, +100.000/sec",
                              "Statistics: PresentCount +1440 (+144.00 per second)",
                              "DXGI SwapChain Present Failure: 0x887A0005 Unknown exception",
                              "DXGI SwapChain: PresentCount +9, PresentRefreshCount +9, SyncRefreshCount +9",
                              "DXGI SwapChain: PresentCount +1000, +100.000/sec, PresentRefreshCount +1000, +100.000/sec, "
                              "SyncRefreshCount +1000, +100.000/sec",
                              "Statistics: PresentCount +1001 (+99.95 per second)",
                              "Stopping: CTRL_BREAK_EVENT"])
        self.assertEqual((run.width, run.height, run.format, run.buffer_count), (322, 242, "DXGI_FORMAT_R10G10B10A2_UNORM", 3))
        self.assertEqual(run.rates, [144.0, 99.95])
        self.assertEqual(run.frame_statistics_means(), (122.0, 110.0, 100.0))
        self.assertEqual(run.warnings, [TEARING])
        self.assertEqual(run.present_failures, ["DXGI SwapChain Present Failure: 0x887A0005 Unknown exception"])
        self.assertEqual((run.stopping, run.exception), ("Stopping: CTRL_BREAK_EVENT", None))

    def test_failed_runs(self):
        run = read(CONTEXT + [PROMPT, "Statistics: PresentCount +5 (+0.50 per second)", "Exception"])
        self.assertEqual((run.rates, run.exception, run.frame_statistics_means()), ([0.5], "Exception", (None, None, None)))

    def test_changed_lines_fail(self):
        for lines in [[PROMPT, "Statistics: PresentCount +10 (10.00 per second)"],
                      [PROMPT, "Statistics: PresentCount +10 (+1.0 per second)"],
                      [PROMPT, "DXGI SwapChain: PresentCount +9, +1.000/sec, PresentRefreshCount +9, SyncRefresh +9"],
                      ["DXGI SwapChain: 322 x 242, DXGI_FORMAT_B8G8R8A8_UNORM, Buffers 2, DXGI_SWAP_EFFECT_FLIP_DISCARD"],
                      ["Press Ctrl+C to exit"], ["Warning: No IDXGIFactory6 available"], ["Exception: 0x8007005 Bad"],
                      ["Statistics: PresentCount +10 (+1.00 per second)"]]:
            with self.subTest(lines=lines):
                self.assertRaises(ConsoleLineError, read, lines)


if __name__ == "__main__":
    unittest.main()
