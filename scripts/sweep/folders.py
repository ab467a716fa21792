"""The folders that results go into: made when missing and checked for being writable before anything
runs, a sweep's own folder always a new one; a folder that cannot be made or written is told in one line
instead of a traceback."""
import itertools
import os
import tempfile


class FolderError(OSError):
    pass


def make(path, flag="--output"):
    """Makes path and the folders above it as needed and checks that files can be made in it; returns its
    absolute path."""
    path = os.path.abspath(path)
    if os.path.exists(path) and not os.path.isdir(path):
        raise FolderError("%s %s is not a folder" % (flag, path))
    try:
        os.makedirs(path, exist_ok=True)
    except OSError as error:
        raise FolderError("%s %s: the folder cannot be made: %s" % (flag, path, error.strerror)) from None
    try:
        os.rmdir(tempfile.mkdtemp(dir=path))
    except OSError as error:
        raise FolderError("%s %s: nothing can be written into it: %s" % (flag, path, error.strerror)) from None
    return path


def new(parent, name):
    """Makes a folder of the given name in parent, never taking one that exists (an earlier sweep's, or
    that of a sweep started in the same second): a name that is taken gets "-2", "-3" and so on, which
    sort after it. Returns its path."""
    for number in itertools.count(1):
        path = os.path.join(parent, name if number == 1 else "%s-%d" % (name, number))
        try:
            os.mkdir(path)
            return path
        except FileExistsError:
            continue
        except OSError as error:
            raise FolderError("%s: the folder cannot be made: %s" % (path, error.strerror)) from None
