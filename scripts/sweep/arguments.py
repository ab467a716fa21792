"""Command-line checks that answer a bad value with one line naming the flag and what it takes, before
anything runs, and the exit statuses that the sweep and the benchmark share."""
import argparse
import os
import sys

from sweep.program import BUILD_DIR

USAGE_STATUS = 2
# A script that Ctrl+C ended, as a shell reports it.
INTERRUPTED_STATUS = 130
# Direct3D 11 textures are at most 16384 pixels wide and high.
FRAME_SIZES = (1, 16384)


class OneLineParser(argparse.ArgumentParser):
    """An argument parser whose every complaint is one line: the program, the flag and the reason, and
    where the whole syntax is (argparse would print its usage block first). Its description, the
    script's docstring, is shown as it is written."""

    def __init__(self, prog, description):
        super().__init__(prog=prog, description=description, formatter_class=argparse.RawDescriptionHelpFormatter)

    def add_build(self):
        """--build, the build folder, which must exist; its absolute path (default: $LUMIVEX_BUILD_DIR or build)."""
        self.add_argument("--build", type=lambda text: os.path.abspath(folder(text)), default=BUILD_DIR)

    def error(self, message):
        sys.stderr.write("%s: %s (%s --help lists the options)\n" % (self.prog, message, self.prog))
        sys.exit(USAGE_STATUS)


def folder(text):
    """An argument type taking a folder that exists."""
    if not os.path.isdir(text):
        raise argparse.ArgumentTypeError("%s is not a folder" % text)
    return text


def integer_in(low, high, what, accepted=None):
    """An argument type taking a decimal integer from low to high (high None: no upper bound); accepted
    says the values in words when the bare range would not."""
    accepted = accepted or ("%d or more" % low if high is None else "%d to %d" % (low, high))

    def check(text):
        value = _integer(text)
        if value is None or value < low or (high is not None and value > high):
            raise argparse.ArgumentTypeError("%s is not %s; accepted: %s" % (text, what, accepted))
        return value

    check.accepted = accepted
    return check


def multiple_of(step, what):
    """An argument type taking a positive decimal multiple of step."""
    def check(text):
        value = _integer(text)
        if value is None or value < step or value % step:
            raise argparse.ArgumentTypeError("%s is not %s; accepted: %d, %d, %d and so on"
                                             % (text, what, step, 2 * step, 3 * step))
        return value

    return check


def one_of(names, what):
    """An argument type taking one of the names in any case. names maps each accepted spelling, in
    lower case, to the name given back; the message lists the names given back."""
    listed = list(dict.fromkeys(names.values()))

    def check(text):
        if text.lower() not in names:
            raise argparse.ArgumentTypeError("%s is not %s; accepted: %s" % (text, what, check.accepted))
        return names[text.lower()]

    check.accepted = ", ".join(listed)
    return check


def _integer(text):
    """The value of a decimal integer with an optional sign; None for anything else ("0x10", "1.5", "x"),
    which the program would read as a number all the same."""
    digits = text[1:] if text[:1] in "+-" else text
    return int(text) if digits.isascii() and digits.isdigit() else None
