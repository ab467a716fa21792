import os
import pty
import re
import subprocess
import unittest

from lumivex import EXE
from sweep.program import BUILD_DIR, WINE_RUN, environment, run_lumivex

SYNTAX = [
    "Syntax: Lumivex [options]",
    "",
    "Options: ",
    "  -DisableDebugOutput - Disable forward of debug output to console output in debug mode (should appear before -Debug)",
    "  -Debug[:<Normal|Full|<Value>>] - Enable self-debugging capability with specific minidump type",
    "  -EnumerateAdapters - Enumerate DXGI adapters and exit",
    "  -AdapterIndex <index> - Specify DXGI adapter index (default is 0)",
    "  -OutputIndex <index> - Specify DXGI output index (default is 0)",
    "  -Resolution <width> <height> - Specify resolution of generated video (default is 1920 x 1080)",
    "  -Format <format> - Specify DXGI format (b8g8r8a8, r8g8b8a8, r10g10b10a2, r16g16b16a16; default is b8g8r8a8)",
    "  -AllowModeSwitch <mode> - Specify \"allow mode switch\" mode (0 Default, 1 Automatic, 2 Disable, 3 Enable; default is 0)",
    "  -WaitableObject <mode> - Specify \"waitiable object\" mode (0 Default, 1 Automatic, 2 Disable, 3 Enable; default is 0)",
    "  -AllowTearing <mode> - Specify \"allow tearing\" mode (0 Default, 1 Automatic, 2 Disable, 3 Enable; default is 0)",
    "  -SwapChainBufferCount <count> - Specify DXGI swapchain buffer count (default is 2)",
    "  -Fullscreen - Start in full screen mode (otherwise use Alt+Enter to switch)",
    "  -Rate <numerator> <denominator> - Specify frame rate for fullscreen mode (default is 144 Hz)",
    "  -ShaderIndex <index> - Specify embedded resource shader index (0..3; default is 0)",
    "  -OverlayMode <mode> - Specify overlay mode, non-zero overlaying requires b8g8r8a8 format (0..1; default is 0)",
    "  -PresentSyncInterval <interval> - Use specific presentation synchronization interval (default is auto-selection)",
    "  -FrameTimes <path> - Write a CSV row per frame: its start, interval, wait and present times in milliseconds and its present result",
]

INVALID = "Exception: 0x80070057 Unknown exception"
WAITABLE_FULLSCREEN = "Exception: 0x80070057 Use of waitiable object is not compatible with full screen mode"


class CommandLine(unittest.TestCase):
    def assertOutput(self, args, expected):
        status, lines, _ = run_lumivex(args)
        self.assertEqual(lines, expected)
        self.assertEqual(status, 0)

    def test_syntax_spellings_and_the_first_mode_option_wins(self):
        # The syntax ignores invalid options wherever they stand.
        for args in [["-?"], ["-Syntax:x", "-EnumerateAdapters"], ["-ShaderIndex", "9", "-Foo", "-syntax", "-Resolution"]]:
            with self.subTest(args=args):
                self.assertOutput(args, SYNTAX)
        status, lines, _ = run_lumivex(["-EnumerateAdapters", "-Syntax"])
        self.assertEqual(status, 0)
        self.assertTrue(lines and lines[0].startswith("Factory: "), lines)

    def test_rejected_arguments_and_warnings_then_failure(self):
        # The rules are the configuration's unit tests; here the one line that main prints for each kind
        # of failure: without a message and with one.
        self.assertOutput(["-Resolution", "1280"], [INVALID])
        # -Debug would start the debugger copy: its own warnings are checked with the debugging tests.
        self.assertOutput(["-Foo", "-Foo:bar", "-DisableDebugOutput", "-Fullscreen", "1", "-WaitableObject", "3"],
                          ["Warning, command line option argument not recognized: Foo",
                           "Warning, command line option argument not recognized: Foo",
                           "Warning, command line argument not recognized: 1",
                           WAITABLE_FULLSCREEN])

    def test_wide_text_in_the_code_page(self):
        # Without a console the ANSI code page, which has no "日", takes the wide text.
        self.assertOutput(["ab日cd", "-ab日cd:x", "-si", "9"],
                          ["Warning, command line argument not recognized: ab?cd",
                           "Warning, command line option argument not recognized: ab?cd",
                           "Exception: 0x80070057 ShaderIndex argument is out of 0..3 range"])

    def test_every_character_on_a_terminal(self):
        # Wine gives a program on a terminal a console, which shows wide text in the locale's UTF-8.
        lines = run_on_terminal(["-é:x", "-xéy", "aéb", "日Ж", "-si", "9"])
        expected = ["Warning, command line option argument not recognized: é",
                    "Warning, command line option argument not recognized: xéy",
                    "Warning, command line argument not recognized: aéb",
                    "Warning, command line argument not recognized: 日Ж",
                    "Exception: 0x80070057 ShaderIndex argument is out of 0..3 range"]
        self.assertEqual([line for line in lines if line.startswith(("Warning", "Exception"))], expected)


# What a terminal is told beyond the text: escape sequences that set the cursor, the title and modes.
TERMINAL_CONTROL = re.compile(r"\x1b(\[[0-?]*[ -/]*[@-~]|\][^\x07]*\x07|[@-Z\\-_])")


def run_on_terminal(args):
    """The lines that the program shows on a pseudo-terminal, read until the program has ended."""
    master, slave = pty.openpty()
    process = subprocess.Popen([WINE_RUN, EXE] + args, cwd=BUILD_DIR, env=environment(), stdin=slave, stdout=slave,
                               stderr=slave, start_new_session=True)
    os.close(slave)
    output = b""
    while True:
        try:
            chunk = os.read(master, 4096)
        except OSError:
            break
        if not chunk:
            break
        output += chunk
    os.close(master)
    process.wait(60)
    text = TERMINAL_CONTROL.sub("", output.decode("utf-8", "replace"))
    return [line.strip("\r") for line in text.split("\n")]


class AdapterReport(unittest.TestCase):
    def test_report_shape(self):
        status, lines, _ = run_lumivex(["-EA"])
        self.assertEqual(status, 0)
        self.assertRegex(lines[0], r"^Factory: DXGI_FEATURE_PRESENT_ALLOW_TEARING [01]$")
        self.assertRegex(lines[1], r"^Adapter 0: .+, Vendor 0x[0-9A-F]{4}, Adapter -?\d+\.[0-9A-F]{8}(, Flags .+)?$")
        self.assertRegex(lines[2], r"^  Output 0: \\\\\.\\DISPLAY1(, BitsPerColor \d+, ColorSpace DXGI_COLOR_SPACE_\w+)?")
        for line in lines[1:]:
            self.assertRegex(line, r"^(Adapter \d+: |  Output \d+: )")


if __name__ == "__main__":
    unittest.main()
