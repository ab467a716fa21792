"""DXVK, Direct3D 11 and DXGI on Vulkan, beside Wine's own Direct3D: checks a folder of DXVK's x64
d3d11.dll and dxgi.dll (as DXVK's release archives have them under x64/) and the machine's Vulkan
device, and prepares the build's DXVK folder, BUILD/dxvk: copies of the build's programs beside the two
DLLs, which scripts/wine-run.sh then runs on DXVK. The build's own programs never get the DLLs beside
them, and the Wine prefix is not touched, so the builtin runs stay as they are.

    python3 -m sweep.dxvk check DIR            checks the DLLs and the Vulkan device
    python3 -m sweep.dxvk prepare DIR BUILD    checks, prepares BUILD/dxvk and says what the runs go on
    python3 -m sweep.dxvk interrupt SID        Ctrl+C to each process of session SID on its main thread
                                               (see sweep.program)

A folder without the two DLLs, or a machine without a Vulkan device, gets one line and status 2."""
import collections
import filecmp
import hashlib
import os
import re
import shutil
import struct
import subprocess
import sys

from sweep.arguments import USAGE_STATUS
from sweep.program import EXE_NAME, interrupt_session

VARIABLE = "LUMIVEX_DXVK"
FOLDER_NAME = "dxvk"
DLLS = ("d3d11.dll", "dxgi.dll")
# The build's programs that the scripts run; a build may lack the benchmark's.
PROGRAMS = (EXE_NAME, "LumivexFlatQuad.exe", "ClearPresent.exe")
# A PE file names its machine right after the "PE\0\0" signature, whose offset it keeps at 0x3C.
PE_OFFSET = 0x3C
X64 = 0x8664
# DXVK keeps its release ("v1.10.3") as a text of its own; its version resource is Windows' version.
RELEASE = re.compile(rb"\0(v\d+\.\d+(?:\.\d+)?(?:[-+.][\w.+-]*)?)\0")
DEVICE_NAME = re.compile(r"^\s*deviceName\s*=\s*(.+?)\s*$", re.M)

Dxvk = collections.namedtuple("Dxvk", "source folder release checksums device")


class DxvkError(Exception):
    """What keeps the program from running on DXVK, in one line."""


def _machine(path):
    with open(path, "rb") as stream:
        data = stream.read(4096)
    offset = struct.unpack_from("<I", data, PE_OFFSET)[0] if data[:2] == b"MZ" and len(data) >= PE_OFFSET + 4 else None
    if offset is None or data[offset:offset + 4] != b"PE\0\0" or len(data) < offset + 6:
        return None
    return struct.unpack_from("<H", data, offset + 4)[0]


def check_dlls(source):
    """Each DLL's path, after checking that it is an x64 DLL."""
    paths = [os.path.join(source, name) for name in DLLS]
    missing = [name for name, path in zip(DLLS, paths) if not os.path.isfile(path)]
    if missing:
        raise DxvkError("%s holds no %s: give the folder of DXVK's x64 d3d11.dll and dxgi.dll (x64/ in its "
                        "release archives)" % (source, " and no ".join(missing)))
    for path in paths:
        try:
            machine = _machine(path)
        except OSError as error:
            raise DxvkError("%s cannot be read: %s" % (path, error.strerror)) from None
        if machine != X64:
            raise DxvkError("%s is no x64 DLL: give the folder of DXVK's x64 DLLs (x64/ in its release archives)" % path)
    return paths


def vulkan_device():
    """The name of the first Vulkan device that vulkaninfo lists."""
    try:
        completed = subprocess.run(["vulkaninfo", "--summary"], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, timeout=60)
    except FileNotFoundError:
        raise DxvkError("vulkaninfo is missing: scripts/setup.sh installs it (vulkan-tools) with the Vulkan loader "
                        "and lavapipe") from None
    names = DEVICE_NAME.findall(completed.stdout.decode("utf-8", "replace"))
    if completed.returncode != 0 or not names:
        raise DxvkError("No Vulkan device: vulkaninfo --summary lists none (without a GPU, Debian's "
                        "mesa-vulkan-drivers gives lavapipe)")
    return names[0]


def check(source):
    """A Dxvk for the folder (its folder of programs not yet prepared); DxvkError when it cannot run."""
    source = os.path.abspath(source)
    releases, checksums = [], {}
    for path in check_dlls(source):
        with open(path, "rb") as stream:
            data = stream.read()
        releases += [match.decode() for match in RELEASE.findall(data)]
        checksums[os.path.basename(path)] = hashlib.sha256(data).hexdigest()
    return Dxvk(source, None, ", ".join(dict.fromkeys(releases)) or None, checksums, vulkan_device())


def prepare(source, build):
    """Checks the folder and makes BUILD/dxvk hold the build's programs and the DLLs as they are now;
    a file already the same is left alone (a run may be using it)."""
    dxvk = check(source)
    folder = os.path.join(os.path.abspath(build), FOLDER_NAME)
    try:
        os.makedirs(folder, exist_ok=True)
        for path in [os.path.join(build, name) for name in PROGRAMS] + [os.path.join(source, name) for name in DLLS]:
            target = os.path.join(folder, os.path.basename(path))
            if os.path.isfile(path) and not (os.path.isfile(target) and filecmp.cmp(path, target)):
                shutil.copyfile(path, target + ".part")
                os.chmod(target + ".part", 0o755)
                os.replace(target + ".part", target)
    except OSError as error:
        raise DxvkError("%s cannot be prepared: %s" % (folder, error.strerror)) from None
    return dxvk._replace(folder=folder)


def describe(dxvk):
    """The folder, DXVK's release and the DLLs' checksums, in one line."""
    return "%s (%s; %s)" % (dxvk.source, dxvk.release or "release unknown",
                            ", ".join("%s sha256 %s" % item for item in dxvk.checksums.items()))


def main(argv):
    if len(argv) != {"check": 2, "prepare": 3, "interrupt": 2}.get(argv[0] if argv else None):
        sys.exit("usage: python3 -m sweep.dxvk check DIR | prepare DIR BUILD | interrupt SID")
    try:
        if argv[0] == "interrupt":
            interrupt_session(argv[1])
            return
        if argv[0] == "check":
            check(argv[1])
            return
        dxvk = prepare(argv[1], argv[2])
    except DxvkError as error:
        sys.stderr.write("%s\n" % error)
        sys.exit(USAGE_STATUS)
    print("On DXVK %s from %s, Vulkan device %s" % (dxvk.release or "(release unknown)", dxvk.source, dxvk.device),
          flush=True)


if __name__ == "__main__":
    main(sys.argv[1:])
