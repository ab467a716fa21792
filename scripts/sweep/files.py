"""Result files written whole or not at all: each goes to a side file first and then takes the place of
the old one, so that a sweep stopped by Ctrl+C in the middle of a write leaves the previous version. A
file that cannot be written is told in one line instead of a traceback."""
import contextlib
import os

SIDE_SUFFIX = ".part"


class WriteError(OSError):
    pass


def write_text(path, text):
    _replace(path, text.encode("utf-8"))


def write_bytes(path, data):
    _replace(path, data)


def _replace(path, data):
    side = path + SIDE_SUFFIX
    try:
        with open(side, "wb") as stream:
            stream.write(data)
        os.replace(side, path)
    except OSError as error:
        with contextlib.suppress(OSError):
            os.remove(side)
        raise WriteError("%s cannot be written: %s" % (path, error.strerror)) from None
