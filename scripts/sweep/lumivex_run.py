"""One background run of Lumivex.exe whose console lines are read as they come, stopped the way a person
stops it. Under Wine the program runs through scripts/wine-run.sh in a session of its own, and SIGINT
to its main thread reaches it as CTRL_C_EVENT. On Windows it runs directly in a new process group,
which the system keeps out of Ctrl+C, so it gets CTRL_BREAK_EVENT instead."""
import ctypes
import os
import queue
import signal
import subprocess
import threading
import time

WINDOWS = os.name == "nt"
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WINE_RUN = os.path.join(ROOT, "scripts", "wine-run.sh")


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


class LumivexRun:
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
