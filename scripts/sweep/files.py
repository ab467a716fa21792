"""Result files written whole or not at all: each goes to a side file first and then takes the place of
the old one, so that a sweep stopped by Ctrl+C in the middle of a write leaves the previous version."""
import os

SIDE_SUFFIX = ".part"


def write_text(path, text):
    _replace(path, text.encode("utf-8"))


def write_bytes(path, data):
    _replace(path, data)


def _replace(path, data):
    side = path + SIDE_SUFFIX
    with open(side, "wb") as stream:
        stream.write(data)
    os.replace(side, path)
