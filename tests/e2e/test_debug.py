import glob
import ntpath
import os
import pathlib
import re
import shutil
import subprocess
import tempfile
import unittest

from lumivex import EXE
from minidump import EXCEPTION, MEMORY64_LIST, MEMORY_LIST, MiniDump
from rendering import PRESS
from sweep.program import BUILD_DIR, ROOT, WINE_RUN, Run, environment, run_lumivex

DEBUGGEE = os.path.join(BUILD_DIR, "TestDebuggee.exe")
DUMP_PATTERN = os.path.join(BUILD_DIR, "Lumivex.exe-*-DebugException-*.dmp")
ENUM_ADAPTERS_TRACE = re.compile(
    r"Context\.cpp\(\d+\): Application::Context::Context: Throwing an exception, 0x887A0002, "
    r"expression m_Factory2->EnumAdapters1\(m_Configuration\.m_AdapterIndex, m_Adapter1\.GetAddressOf\(\)\)")
COM_EXCEPTION_LINE = "Exception: Module Lumivex.exe, ComException, 0x887A0002"
FAILURE_LINE = "Exception: 0x887A0002 Unknown exception"
# The codes that the system and GCC's runtime raise: an access violation, a CLR exception, a C++ throw.
ACCESS_VIOLATION, CLR_EXCEPTION, GCC_THROW = 0xC0000005, 0xE0434352, 0x20474343
# The context that the dump writer is given: control, integer, segment, floating-point and debug registers.
CONTEXT_ALL = 0x10001F
# Free room beside the program on the full file system: enough for a stack dump, not for the full memory.
FULL_DISK_ROOM = 256 * 1024
# The length of a Windows folder path that leaves room for the program's path, not for a dump's.
DEEP_FOLDER = 230
CTRL_C_LINES = [r"^ApplicationRun\.cpp\(\d+\): Application::InternalHandlerRoutine: Type CTRL_C_EVENT$",
                r"^Stopping: CTRL_C_EVENT$"]


def remove_dumps():
    for path in glob.glob(DUMP_PATTERN):
        if os.path.isfile(path):
            os.remove(path)


def dumps():
    """The file names of the dumps next to the program."""
    return {os.path.basename(path) for path in glob.glob(DUMP_PATTERN) if os.path.isfile(path)}


class DumpsRemoved(unittest.TestCase):
    def setUp(self):
        remove_dumps()
        self.addCleanup(remove_dumps)

    def assertDebuggable(self, name, executable, code):
        """Checks that the dump holds what a debugger starts from; returns it."""
        dump = MiniDump(os.path.join(BUILD_DIR, name))
        self.assertIn(EXCEPTION, dump.streams, name)
        exception = dump.exception()
        self.assertEqual(exception.code, code, name)
        self.assertEqual(hex(exception.context_flags & CONTEXT_ALL), hex(CONTEXT_ALL), name)
        self.assertEqual(exception.rip, exception.address, name)
        modules = dump.modules()
        self.assertTrue(any(base <= exception.rip < base + size for base, size, _ in modules), name)
        self.assertIn(executable, [ntpath.basename(path) for _, _, path in modules])
        start, size = dump.stacks()[exception.thread]
        self.assertTrue(start <= exception.rsp < start + size, name)
        return dump


def debug_another(*args, exe=EXE):
    """Runs the debugger copy (exe) on a TestDebuggee run with args; yields the debuggee's process id,
    then (the copy's exit status and lines, the debuggee's own lines after its process id)."""
    debuggee = subprocess.Popen([WINE_RUN, DEBUGGEE] + list(args), cwd=BUILD_DIR, env=environment(),
                                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        pid = int(debuggee.stdout.readline().decode().strip())
        yield pid
        status, lines, _ = run_lumivex(["-ParentProcessDebug", str(pid)], timeout=120, exe=exe)
        own = debuggee.stdout.read().decode().split()
        assert debuggee.wait(60) == 0
    finally:
        if debuggee.poll() is None:
            debuggee.kill()
        debuggee.stdout.close()
    yield status, lines, own


def digits(length):
    return ("0123456789" * (length // 10 + 1))[:length]


class DebuggerOfAnotherProcess(DumpsRemoved):
    """The debugger copy attached to a debuggee that raises the system's exceptions and throws."""

    # The access violation and the CLR exception show as the bare word; the runtime error's message
    # is shown as it is, line end included; then the debuggee's own throws, from its executable and
    # from a module that it loads.
    LINES = ["Debuggee attached", "Caf? au lait", "Exception: ", "Windows Runtime error: the parameter is incorrect.", "",
             "Exception: ", "Exception: Module TestDebuggee.exe, ComException, 0x887A0002, No adapter at this index",
             "Exception: Module TestDebuggeeModule.dll, HRESULT, 0x80004001", "Debuggee done"]
    TAGS = ["0xC0000005", "0x80131509", "0x887A0002", "0x80004001"]
    CODES = [ACCESS_VIOLATION, CLR_EXCEPTION, GCC_THROW, GCC_THROW]

    def dump_names(self, pid):
        return ["Lumivex.exe-%d-DebugException-%d-%s.dmp" % (pid, counter, tag) for counter, tag in enumerate(self.TAGS)]

    def test_debug_strings_exceptions_and_dumps(self):
        run = debug_another()
        pid = next(run)
        status, lines, _ = next(run)
        self.assertEqual(status, 0)
        self.assertEqual(lines, self.LINES)
        self.assertEqual(dumps(), set(self.dump_names(pid)))
        for name, code in zip(self.dump_names(pid), self.CODES):
            self.assertDebuggable(name, "TestDebuggee.exe", code)

    def test_dumps_that_cannot_be_written_are_reported_and_the_run_goes_on(self):
        # A copy of the program in a folder so deep that no dump's path fits in a Windows path.
        top = tempfile.mkdtemp(prefix="lumivex-deep-")
        self.addCleanup(shutil.rmtree, top)
        deep = os.path.join(top, "d" * (DEEP_FOLDER - len("Z:" + top) - 1))
        os.mkdir(deep)
        shutil.copy(EXE, deep)
        run = debug_another(exe=os.path.join(deep, "Lumivex.exe"))
        pid = next(run)
        status, lines, _ = next(run)
        self.assertEqual(status, 0)
        folder = "Z:" + deep.replace("/", "\\")
        failures = ["Minidump Failure: 0x800700CE %s\\%s" % (folder, name) for name in self.dump_names(pid)]
        self.assertEqual([line for line in lines if line.startswith("Minidump Failure: ")], failures)
        self.assertEqual([line for line in lines if not line.startswith("Minidump Failure: ")], self.LINES)
        # Each failure follows the line of its exception.
        self.assertTrue(all(lines[lines.index(failure) - 1].startswith("Exception: ") for failure in failures), lines)
        self.assertEqual(os.listdir(deep), ["Lumivex.exe"])

    def test_long_strings_control_characters_and_a_burst(self):
        run = debug_another("text")
        next(run)
        status, lines, _ = next(run)
        self.assertEqual(status, 0)
        # The event tells a length modulo 65,536; the text is read to the limit whatever it says.
        self.assertEqual(lines[:2], [digits(8191)] * 2)
        self.assertEqual(lines[2], "Bell?, ?[31mred?[0m and a ?return")
        for thread in range(4):
            prefix = "Burst %d " % thread
            self.assertEqual([line for line in lines if line.startswith(prefix)], [prefix + str(index) for index in range(1000)])
        self.assertEqual(len(lines), 3 + 4000 + 1)
        self.assertEqual(lines[-1], "Texts done")


class SelfDebugging(DumpsRemoved):
    """-Debug: the program debugs itself through a copy of its own."""

    def failed_run(self, *options):
        status, lines, _ = run_lumivex(list(options) + ["-AdapterIndex", "9"])
        self.assertEqual(status, 0)
        return lines

    def assertNewDump(self, before, memory):
        """Checks the one dump written since before, its memory in the given stream: the stacks' list or
        the full memory's; returns its name."""
        found = dumps() - before
        self.assertEqual(len(found), 1, found)
        name = found.pop()
        self.assertRegex(name, r"^Lumivex\.exe-\d+-DebugException-0-0x887A0002(-\d{4})?\.dmp$")
        streams = self.assertDebuggable(name, "Lumivex.exe", GCC_THROW).streams
        self.assertEqual({MEMORY_LIST, MEMORY64_LIST} & set(streams), {memory})
        return name

    def test_trace_exception_and_dumps_beside_earlier_ones(self):
        lines = self.failed_run("-Debug")
        self.assertEqual(len(lines), 3, lines)
        self.assertRegex(lines[0], ENUM_ADAPTERS_TRACE)
        self.assertEqual(lines[1:], [COM_EXCEPTION_LINE, FAILURE_LINE])
        first = self.assertNewDump(set(), MEMORY_LIST)
        kept = pathlib.Path(BUILD_DIR, first).read_bytes()

        # The options are matched without regard to case; the disabling one comes first. The second
        # run's dump leaves the first one's as it was, also when the process id comes back (under Wine
        # it nearly always does): it takes the name with a discriminator then.
        self.assertEqual(self.failed_run("-disabledebugoutput", "-debug:full"), [COM_EXCEPTION_LINE, FAILURE_LINE])
        second = self.assertNewDump({first}, MEMORY64_LIST)
        self.assertEqual(pathlib.Path(BUILD_DIR, first).read_bytes(), kept)
        if second.split("-")[1] == first.split("-")[1]:
            self.assertEqual(second, first[:-len(".dmp")] + "-0002.dmp")

    @unittest.skipUnless(hasattr(os, "geteuid") and os.geteuid() == 0, "a small file system of its own needs root to mount")
    def test_a_dump_the_disk_cannot_hold_is_reported_and_not_left(self):
        # The program on a file system with room for little more than itself: the full memory's dump
        # cannot be written whole.
        folder = tempfile.mkdtemp(prefix="lumivex-full-")
        self.addCleanup(os.rmdir, folder)
        size = os.path.getsize(EXE) + FULL_DISK_ROOM
        subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%d" % size, "tmpfs", folder], check=True)
        self.addCleanup(subprocess.run, ["umount", "-l", folder], check=True)
        shutil.copy(EXE, folder)
        status, lines, _ = run_lumivex(["-Debug:Full", "-AdapterIndex", "9"], exe=os.path.join(folder, "Lumivex.exe"), cwd=folder)
        self.assertEqual(status, 0)
        self.assertEqual(len(lines), 4, lines)
        self.assertRegex(lines[2], r"^Minidump Failure: 0x80070070 Z:\\.*\\Lumivex\.exe-\d+-DebugException-0-0x887A0002\.dmp$")
        self.assertEqual([lines[1], lines[3]], [COM_EXCEPTION_LINE, FAILURE_LINE])
        self.assertEqual(os.listdir(folder), ["Lumivex.exe"])

    def test_trace_names_the_true_line(self):
        # Wine's swap chain has no IDXGISwapChain2: the check fails with its fixed code, and its trace
        # line names the line that it is on.
        status, lines, _ = run_lumivex(["-Debug", "-Resolution", "960", "540", "-WaitableObject", "3"])
        self.assertEqual(status, 0)
        source = pathlib.Path(ROOT, "render", "Context.cpp").read_text(encoding="utf-8").splitlines()
        number = next(index for index, line in enumerate(source, 1) if "CHECK_CONDITION(m_SwapChain2 " in line)
        trace = "Context.cpp(%d): Application::Context::Context: Throwing an exception, 0x80FF01E5, expression m_SwapChain2 || " % number
        self.assertTrue([line for line in lines if line.startswith(trace)], lines)
        self.assertTrue(lines[-1].startswith("Exception: 0x80FF01E5 Failed to object IDXGISwapChain2 "), lines)

    def test_ctrl_c_to_the_console_stops_the_run_in_order(self):
        # A console's Ctrl+C reaches every process attached to it: the program and its debugger copy.
        # Wine may hang on a Ctrl+C during the first frames, so it comes with the first statistics line.
        with Run(["-Debug", "-Resolution", "640", "360"], group=True) as run:
            self.assertTrue(run.wait_for_pattern(r"Statistics: .*", 120), run.lines)
            run.interrupt()
            status = run.wait()
            left = run.processes_left(timeout=30)
        self.assertEqual(status, 0)
        self.assertEqual(left, [])
        # The handler's trace line comes from the debugger copy, which forwards it.
        tail = [line for line in run.lines[run.lines.index(PRESS) + 1:] if not line.startswith("Statistics: ")]
        self.assertEqual(len(tail), len(CTRL_C_LINES), tail)
        for line, expected in zip(tail, CTRL_C_LINES):
            self.assertRegex(line, expected)
        self.assertEqual(dumps(), set())

    def test_attach_request_without_a_process_is_an_ordinary_run(self):
        lines = self.failed_run("-ParentProcessDebug", "0")
        self.assertEqual(lines, ["Warning, command line option argument not recognized: ParentProcessDebug",
                                 "Warning, command line argument not recognized: 0", FAILURE_LINE])
        self.assertEqual(dumps(), set())


if __name__ == "__main__":
    unittest.main()
