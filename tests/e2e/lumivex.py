"""Runs the cross-built Lumivex.exe under Wine for the end-to-end tests."""
import os
import subprocess
import sys
import unittest

SOURCE_DIR = os.environ.get("LUMIVEX_SOURCE_DIR", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..")))
BUILD_DIR = os.environ.get("LUMIVEX_BUILD_DIR", os.path.join(SOURCE_DIR, "build"))
WINE_RUN = os.path.join(SOURCE_DIR, "scripts", "wine-run.sh")
EXE = os.path.join(BUILD_DIR, "Lumivex.exe")
# The folder of DXVK's DLLs that the runs on DXVK take (scripts/test.sh says when it is missing); the
# build's DXVK folder holds copies of the programs beside them.
DXVK = os.environ.get("LUMIVEX_DXVK")
DXVK_EXE = os.path.join(BUILD_DIR, "dxvk", "Lumivex.exe")
_prepared = []


def on_dxvk(test):
    """Runs the test, or all the tests of a class, only where DXVK is given, its build folder prepared once."""
    if DXVK and not _prepared:
        subprocess.run([sys.executable, os.path.join(SOURCE_DIR, "scripts", "sweep", "dxvk.py"), "prepare", DXVK, BUILD_DIR],
                       stdout=subprocess.DEVNULL, check=True)
        _prepared.append(DXVK)
    return unittest.skipUnless(DXVK, "LUMIVEX_DXVK is not set")(test)


def environment(debug="-all"):
    """The Wine environment of every test run: the build's prefix, the given debug channels; WINE_RUN
    sets the rest. The scripts run on Wine's own Direct3D unless a test gives them DXVK."""
    env = {name: value for name, value in os.environ.items() if name != "LUMIVEX_DXVK"}
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
