"""Runs of Lumivex.exe and the build's other programs: where they are, Wine's environment for them,
Ctrl+C as a person gives it, and a background run whose console lines are read as they come.

Under Wine a program runs through scripts/wine-run.sh, and SIGINT to its main thread reaches it as
CTRL_C_EVENT. On Windows the sweep runs it directly in a new process group, which the system keeps out
of Ctrl+C, so it gets CTRL_BREAK_EVENT instead."""
import contextlib
import ctypes
import os
import queue
import re
import signal
import statistics
import subprocess
import threading
import time

WINDOWS = os.name == "nt"
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run.sh")
WINE_SERVER = "/usr/lib/wine/wineserver64"
BUILD_DIR = os.environ.get("LUMIVEX_BUILD_DIR", os.path.join(ROOT, "build"))
EXE_NAME = "Lumivex.exe"
# Wine's DXGI traces each present on this channel; the first one is the run's first frame.
FRAME_CHANNEL = "trace+dxgi"
PRESENT = re.compile(r"[0-9a-f]+:trace:dxgi:d3d11_swapchain_Present .*")
# Frames after which a run has made its resources (see Run.interrupt).
SETTLED = 30
# What a run takes beyond its statistics periods under Wine (start, first frame, stop), as measured here.
START_AND_STOP = 1


def program_path(path):
    """The path by which the program reaches a file of ours: under Wine through its drive Z:."""
    return path if WINDOWS else "Z:" + path.replace("/", "\\")


def wine_version():
    """The version that Wine reports, None where the program runs without it."""
    if WINDOWS:
        return None
    completed = subprocess.run([WINE_RUN, "--version"], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL)
    return completed.stdout.decode("utf-8", "replace").strip() or None


def environment(debug="-all", build=BUILD_DIR):
    """The Wine environment of a run that Run or run_lumivex starts: the build's prefix, the given debug
    channels; WINE_RUN sets the rest. A script started so (sweep.sh, run.sh) runs on Wine's own Direct3D
    unless it is given DXVK."""
    env = {name: value for name, value in os.environ.items() if name != "LUMIVEX_DXVK"}
    env.setdefault("WINEPREFIX", os.path.join(build, "wineprefix"))
    env["WINEDEBUG"] = debug
    # Wine reads the arguments in the locale's encoding and takes its code pages from it.
    env["LC_ALL"] = "C.UTF-8"
    return env


def run_lumivex(args, timeout=60, exe=None, cwd=None, build=BUILD_DIR):
    """Runs the program (or another of the build's programs, or a copy) to its end; returns (exit
    status, stdout lines, stderr text)."""
    completed = subprocess.run([WINE_RUN, exe or os.path.join(build, EXE_NAME)] + [str(arg) for arg in args],
                               cwd=cwd or build, env=environment(build=build),
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
    stdout = completed.stdout.decode("utf-8", "replace").replace("\r\n", "\n")
    return completed.returncode, stdout.splitlines(), completed.stderr.decode("utf-8", "replace")


def interrupt_main_thread(pid):
    """Sends SIGINT to the main thread of the Wine process pid. A signal sent to the process goes to any
    thread that does not block it, and Wine blocks it in its main thread during every call to its server:
    on DXVK a thread that Mesa started without Wine may then take it, and the run ends with a
    segmentation fault instead of "Stopping: CTRL_C_EVENT" (here 2 runs in 3 with sync interval 1, 3 in
    5 with the waitable object). Sent to the main thread, the signal waits for it."""
    libc = ctypes.CDLL(None, use_errno=True)
    if libc.tgkill(pid, pid, signal.SIGINT) != 0:
        error = ctypes.get_errno()
        raise OSError(error, os.strerror(error))


def interrupt_session(session):
    """Ctrl+C to each process of the session on its main thread: with -Debug, the program's debugger
    copy too."""
    listed = subprocess.run(["pgrep", "-s", str(session)], stdout=subprocess.PIPE).stdout.split()
    for pid in map(int, listed):
        with contextlib.suppress(ProcessLookupError):  # it has ended
            interrupt_main_thread(pid)


class LumivexRun:
    """One run of the sweep, in a session of its own, whose console lines come one by one, and which
    is stopped the way a person stops it."""

    def __init__(self, exe, args):
        command = [exe] + list(args) if WINDOWS else [WINE_RUN, exe] + list(args)
        group = {"creationflags": subprocess.CREATE_NEW_PROCESS_GROUP} if WINDOWS else {"start_new_session": True}
        self._process = subprocess.Popen(command, cwd=os.path.dirname(exe), stdin=subprocess.DEVNULL,
                                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, **group)
        self._lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for raw in self._process.stdout:
            self._lines.put(raw.decode("utf-8", "replace").rstrip("\r\n"))
        self._lines.put(None)

    def next_line(self, deadline):
        """The next console line, None once the output has ended; TimeoutError when the deadline (a
        time.monotonic() value) passes first."""
        try:
            return self._lines.get(timeout=max(deadline - time.monotonic(), 0))
        except queue.Empty:
            raise TimeoutError from None

    def interrupt(self):
        if WINDOWS:
            self._process.send_signal(signal.CTRL_BREAK_EVENT)
        else:
            interrupt_main_thread(self._process.pid)

    def ended(self):
        return self._process.poll() is not None

    def status(self):
        return self._process.wait()

    def kill(self):
        """Ends the run at once when it is still going."""
        if self.ended():
            return
        if WINDOWS:
            self._process.kill()
        else:
            os.killpg(self._process.pid, signal.SIGKILL)
        self._process.wait()


class Run:
    """One background run under Wine in Wine's environment (see environment), its console lines and
    errors kept as they come; use as a context manager so that it never outlives its caller. With
    frames, Wine traces every present, so that the caller can wait for frames (see interrupt)."""

    def __init__(self, args, debug="-all", frames=False, group=False, command=None, without=(), build=BUILD_DIR):
        """group: the run gets a process group of its own, which interrupt() signals as a whole, as a
        console's Ctrl+C reaches every process attached to it. command: what runs with the arguments
        (the build's Lumivex.exe under Wine); without: environment variables that it does not get."""
        self.group = group
        self.lines = []
        self.errors = []
        self._condition = threading.Condition()
        self._frames = frames
        if frames:
            debug += "," + FRAME_CHANNEL
        env = {name: value for name, value in environment(debug, build).items() if name not in without}
        command = command or (WINE_RUN, os.path.join(build, EXE_NAME))
        self._process = subprocess.Popen(list(command) + list(args), cwd=build, env=env,
                                         stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                         start_new_session=group)
        self._readers = [threading.Thread(target=self._read, args=(self._process.stdout, self.lines), daemon=True),
                         threading.Thread(target=self._read, args=(self._process.stderr, self.errors), daemon=True)]
        for reader in self._readers:
            reader.start()

    def _read(self, stream, target):
        for raw in stream:
            with self._condition:
                target.append(raw.decode("utf-8", "replace").rstrip("\r\n"))
                self._condition.notify_all()

    @property
    def pid(self):
        return self._process.pid

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        if self.group and self.processes_left():
            os.killpg(self._process.pid, signal.SIGKILL)
        if self._process.poll() is None:
            self._process.kill()
            self._process.wait(30)
        return False

    def _wait(self, found, timeout):
        """Waits until found() gives a true value and returns it; returns its last value when the
        output ended or time ran out first."""
        deadline = time.monotonic() + timeout
        with self._condition:
            while True:
                result = found()
                if result or time.monotonic() >= deadline or not any(reader.is_alive() for reader in self._readers):
                    return result
                self._condition.wait(min(max(deadline - time.monotonic(), 0), 0.2))

    def wait_for_line(self, text, timeout=60):
        """Waits until a console line equals text; returns False when the run ended or time ran out first."""
        return self._wait(lambda: text in self.lines, timeout)

    def wait_for_pattern(self, pattern, timeout=60, count=1):
        """Waits for count console lines that match pattern; returns the matches (the one match when
        count is 1), or None."""
        expression = re.compile(pattern)

        def matches():
            found = [match for match in map(expression.fullmatch, self.lines) if match]
            return (found if count > 1 else found[0]) if len(found) >= count else None
        return self._wait(matches, timeout)

    def presents(self):
        return sum(1 for line in self.errors if PRESENT.fullmatch(line))

    def wait_for_frames(self, count=1, timeout=60):
        """Waits until the run has presented count frames in all (a run with frames)."""
        return self._wait(lambda: self.presents() >= count, timeout)

    def interrupt(self, one_by_one=False):
        """Sends SIGINT, which reaches the program as CTRL_C_EVENT: to the run's process group as a
        terminal does, or with one_by_one (or without a group) to each process's main thread (see
        interrupt_main_thread). Wine starts the thread for the console event from inside its signal
        handler; when the signal lands on Wine's Direct3D thread while that thread allocates memory, as
        it does for the first frames, the thread creation waits for the allocator's lock that the
        interrupted code holds, and the run hangs without a "Stopping" line. So a run with frames is
        interrupted once its first frames are out."""
        if self._frames and not self.wait_for_frames(SETTLED):
            raise AssertionError("no frame before the interrupt: %r" % self.lines)
        if not self.group:
            with contextlib.suppress(ProcessLookupError):
                interrupt_main_thread(self._process.pid)
        elif one_by_one:
            # The group's leader started a session of its own: the group is that session.
            interrupt_session(self._process.pid)
        else:
            os.killpg(self._process.pid, signal.SIGINT)

    def processes_left(self, timeout=0):
        """The ids of the processes of the run's own group that still run the program, once there are
        none or the time-out has passed."""
        deadline = time.monotonic() + timeout
        while True:
            completed = subprocess.run(["pgrep", "-g", str(self._process.pid), "-f", EXE_NAME],
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
            left = completed.stdout.decode().split()
            if not left or time.monotonic() >= deadline:
                return left
            time.sleep(0.2)

    def wait(self, timeout=60):
        """Waits for the end of the run; returns its exit status after all output is read."""
        status = self._process.wait(timeout)
        for reader in self._readers:
            reader.join(timeout)
        return status


def duration(seconds):
    minutes, rest = divmod(int(round(seconds)), 60)
    return "%d min %02d s" % (minutes, rest) if minutes else "%d s" % rest


class Estimate:
    """The time left of runs one after another: each remaining run is expected to take as long as the
    runs of its own kind took on average (a failing combination of a sweep ends in seconds, a running one
    takes its statistics periods and the program's start and stop), a kind not yet run as long as the
    runs so far on average, and the first run the asked time plus a start-and-stop time measured on this
    machine."""

    def __init__(self, seconds):
        self._first_guess = seconds + START_AND_STOP
        self._durations = {}

    def add(self, key, seconds):
        """One run of the kind key (a sweep's combination by options.key) took this long."""
        self._durations.setdefault(key, []).append(seconds)

    def remaining(self, keys):
        """The expected time of runs of the given kinds."""
        return sum(self._each(key) for key in keys)

    def _each(self, key):
        if key in self._durations:
            return statistics.mean(self._durations[key])
        every = [seconds for durations in self._durations.values() for seconds in durations]
        return statistics.mean(every) if every else self._first_guess
