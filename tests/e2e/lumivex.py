"""Runs the cross-built Lumivex.exe under Wine for the end-to-end tests."""
import os
import subprocess

SOURCE_DIR = os.environ.get("LUMIVEX_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
BUILD_DIR = os.environ.get("LUMIVEX_BUILD_DIR", os.path.join(SOURCE_DIR, "build"))
WINE_RUN = os.path.join(SOURCE_DIR, "scripts", "wine-run.sh")
EXE = os.path.join(BUILD_DIR, "Lumivex.exe")


def environment(debug="-all"):
    """The Wine environment of every test run: the build's prefix, the given debug channels; WINE_RUN
    sets the rest."""
    env = dict(os.environ)
    env.setdefault("WINEPREFIX", os.path.join(BUILD_DIR, "wineprefix"))
    env["WINEDEBUG"] = debug
    # Wine reads the arguments in the locale's encoding and takes its code pages from it.
    env["LC_ALL"] = "C.UTF-8"
    return env


def run_lumivex(args, timeout=60, exe=EXE, cwd=BUILD_DIR):
    """Runs the program (or another of the build's programs, or a copy) to its end; returns (exit
    status, stdout lines, stderr text)."""
    completed = subprocess.run([WINE_RUN, exe] + [str(arg) for arg in args], cwd=cwd, env=environment(),
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=timeout)
    stdout = completed.stdout.decode("utf-8", "replace").replace("\r\n", "\n")
    return completed.returncode, stdout.splitlines(), completed.stderr.decode("utf-8", "replace")
