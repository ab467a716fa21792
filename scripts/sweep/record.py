"""Where and how a sweep ran: the date, the command line, the checkout's version, the host, its system
and, under Wine, the Wine version; for runs on DXVK its folder, release and DLLs' checksums and the Vulkan
device; the adapter, output, swap-chain and full-screen lines of the first run
that printed them join later. Written into each sweep folder as sweep.json."""
import json
import os
import platform
import shlex
import socket
import subprocess
import sys
import time

import dxvk
from files import write_text
from lumivex_run import ROOT, wine_version

RECORD_NAME = "sweep.json"
UNKNOWN = "unknown"
# The context lines of a run, by their key in the record, with their title.
CONTEXT_LINES = [("adapter", "Adapter"), ("output", "Output"), ("swap_chain", "Swap chain"),
                 ("fullscreen_mode", "Full screen")]
# The command line as typed, which sweep.sh passes on; a sweep.py started by hand records its own.
COMMAND_VARIABLE = "LUMIVEX_SWEEP_COMMAND"
ENVIRONMENT = [("date", "Date"), ("command_line", "Command line"), ("version", "Version"), ("host", "Host"),
               ("os", "OS"), ("wine", "Wine"), ("dxvk", "DXVK"), ("vulkan_device", "Vulkan device")]
# Told only where they are known; a record written before they were is read as without them.
OPTIONAL = ("wine", "dxvk", "vulkan_device")


def new_record(on_dxvk=None):
    """The record of a sweep that starts now, without its context lines; on_dxvk is the dxvk.Dxvk of its
    runs on DXVK, if any."""
    record = {
        "date": time.strftime("%Y-%m-%d %H:%M:%S"),
        "command_line": os.environ.get(COMMAND_VARIABLE) or shlex.join(sys.argv),
        "version": version(),
        "host": socket.gethostname(),
        "os": operating_system(),
        "wine": wine_version(),
        "dxvk": dxvk.describe(on_dxvk) if on_dxvk else None,
        "vulkan_device": on_dxvk.device if on_dxvk else None,
    }
    record.update({key: None for key, _ in CONTEXT_LINES})
    return record


def version():
    """git describe of the checkout that holds the sweep, or "unknown" outside one."""
    try:
        completed = subprocess.run(["git", "-C", ROOT, "describe", "--always", "--dirty"], stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, check=True)
    except (OSError, subprocess.CalledProcessError):
        return UNKNOWN
    return completed.stdout.decode("utf-8", "replace").strip() or UNKNOWN


def operating_system():
    """The system's name and release, with the distribution's name where there is one."""
    try:
        distribution = platform.freedesktop_os_release()["PRETTY_NAME"] + ", "
    except (OSError, KeyError, AttributeError):
        distribution = ""
    return distribution + platform.platform()


def add_context(record, lines):
    """Takes the context lines that the record has not got yet from one run's RunLines."""
    for key, _ in CONTEXT_LINES:
        record[key] = record[key] or getattr(lines, key)


def environment_lines(record):
    """The record's environment and context as (title, text) pairs, for the Markdown files."""
    return [(title, record.get(key) or "") for key, title in ENVIRONMENT + CONTEXT_LINES
            if record.get(key) or key not in OPTIONAL]


def save(folder, record):
    write_text(os.path.join(folder, RECORD_NAME), json.dumps(record, indent=2) + "\n")


def load(folder):
    with open(os.path.join(folder, RECORD_NAME), encoding="utf-8") as stream:
        return json.load(stream)
