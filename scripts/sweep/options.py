"""The sweep's command line. Every value is checked against what the program accepts before anything
runs, and a bad one is answered with one line that names the flag and the accepted values."""
import argparse
import os

import axes
import dxvk
from checks import FRAME_SIZES, OneLineParser, integer_in, multiple_of
from lumivex_run import ROOT
from verdict import DEFAULT_THRESHOLD, PERCENT

PROGRAM = "sweep.sh"
PERIOD = 10
SHADERS = (0, 3)
DEFAULTS = {"width": 1920, "height": 1080, "shader": 0, "seconds": PERIOD, "repeat": 3}
# The options that only a sweep takes, and those that only a comparison takes.
SWEEP_ONLY = list(DEFAULTS) + [axis.option for axis in axes.AXES] + ["dxvk"]
COMPARE_ONLY = ["threshold"]


def threshold(text):
    try:
        value = float(text.rstrip("%"))
    except ValueError:
        value = -1.0
    if not 0 <= value < PERCENT:
        raise argparse.ArgumentTypeError("%s is not a percentage; accepted: 0 to below 100, such as 5 or 2.5" % text)
    return value / PERCENT


def parser(description):
    result = OneLineParser(prog=PROGRAM, description=description, formatter_class=argparse.RawDescriptionHelpFormatter)
    result.add_argument("--build", default=os.environ.get("LUMIVEX_BUILD_DIR", os.path.join(ROOT, "build")),
                        help="folder of Lumivex.exe (default: build)")
    result.add_argument("--output", help="where the dated result folder goes (default: BUILD/sweeps); with --compare, "
                                         "where the comparison goes (default: B's folder)")
    result.add_argument("--width", type=integer_in(*FRAME_SIZES, "a frame width"), help="frame width (default: 1920)")
    result.add_argument("--height", type=integer_in(*FRAME_SIZES, "a frame height"), help="frame height (default: 1080)")
    result.add_argument("--shader", type=integer_in(*SHADERS, "a shader index"), help="shader index, 0..3 (default: 0)")
    result.add_argument("--seconds", type=multiple_of(PERIOD, "a number of seconds"),
                        help="seconds per run, a multiple of 10 (default: 10)")
    result.add_argument("--repeat", type=integer_in(1, None, "a number of repeats"),
                        help="runs of each combination, taken in turn over the combinations (default: 3)")
    for axis in axes.AXES:
        result.add_argument(axis.flag, nargs="+", metavar="VALUE", type=axis.value, dest=axis.option,
                            help="%s%s: %s (default sweep: %s)" % ("" if axis.option == axes.D3D else "-%s, " % axis.option,
                                                                   axis.description, axis.value.accepted,
                                                                   " ".join(axis.sweep_default)))
    result.add_argument("--dxvk", metavar="DIR", help="the folder of DXVK's x64 d3d11.dll and dxgi.dll (default: "
                                                      "$%s); alone, the runs go on DXVK" % dxvk.VARIABLE)
    result.add_argument("--compare", nargs=2, metavar=("A", "B"),
                        help="compare two sweep folders instead of running a sweep")
    result.add_argument("--threshold", type=threshold,
                        help="with --compare, the change of a median, in percent of A's, below which a combination "
                             "is the same (default: %g)" % (DEFAULT_THRESHOLD * PERCENT))
    result.add_argument("--check", action="store_true", help="check the options and the output folder, run nothing")
    return result


def parse_options(description, argv=None):
    """The options, with .values holding each axis's values for a sweep; the defaults filled in."""
    command = parser(description)
    options = command.parse_args(argv)
    given = vars(options)
    flags = {action.dest: action.option_strings[0] for action in command._actions if action.option_strings}
    wrong = [flags[name] for name in (SWEEP_ONLY if options.compare else COMPARE_ONLY) if given[name] is not None]
    if wrong:
        command.error("%s does not go with --compare" % wrong[0] if options.compare
                      else "%s goes with --compare only" % wrong[0])
    for name, default in DEFAULTS.items():
        given[name] = default if given[name] is None else given[name]
    options.dxvk = options.dxvk or os.environ.get(dxvk.VARIABLE) or None
    if given[axes.D3D] is None and options.dxvk:
        given[axes.D3D] = [axes.DXVK]
    if axes.DXVK in (given[axes.D3D] or []) and not options.dxvk:
        command.error("--d3d dxvk needs --dxvk DIR or %s=DIR, the folder of DXVK's x64 DLLs" % dxvk.VARIABLE)
    options.threshold = DEFAULT_THRESHOLD if options.threshold is None else options.threshold
    options.values = axes.chosen_values(given)
    return options
