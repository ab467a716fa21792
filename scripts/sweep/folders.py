"""The folders that results go into, made when missing; a folder that cannot be made is told in one line
instead of a traceback."""
import os


class FolderError(OSError):
    pass


def make(path, flag="--output"):
    """Makes path and the folders above it as needed; returns its absolute path."""
    path = os.path.abspath(path)
    if os.path.exists(path) and not os.path.isdir(path):
        raise FolderError("%s %s is not a folder" % (flag, path))
    try:
        os.makedirs(path, exist_ok=True)
    except OSError as error:
        raise FolderError("%s %s: the folder cannot be made: %s" % (flag, path, error.strerror)) from None
    return path
