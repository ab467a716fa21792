"""The sweep's command line and the presentation options that a sweep can vary. Every value is checked
against what the program accepts before anything runs, and a bad one is answered with one line that
names the flag and the accepted values.

Each axis is one option of Lumivex.exe, with the value the program takes when the option is not given,
the values that a default sweep tries, and the check of a value against what the program accepts. The
default sweep tries every combination of sync interval, buffer count and waitable object.

The Direct3D implementation that runs the program, Wine's own ("builtin") or DXVK, is an axis too, though
no option of the program: it is always the last, so that a combination's runs on each lie side by side.

An option given two or more values is an axis of the sweep: its combinations differ in it. An option
given one value is a setting that every run shares."""
import argparse
import collections
import itertools
import os

from sweep import dxvk
from sweep.arguments import FRAME_SIZES, OneLineParser, integer_in, multiple_of, one_of
from sweep.program import BUILD_DIR

PROGRAM = "sweep.sh"
# The program prints a "Statistics:" line every PERIOD seconds.
PERIOD = 10
SHADERS = (0, 3)
DEFAULTS = {"width": 1920, "height": 1080, "shader": 0, "seconds": PERIOD, "repeat": 3}
# The comparison's threshold, a fraction of A's median; given and shown in percent.
DEFAULT_THRESHOLD = 0.05
PERCENT = 100

Axis = collections.namedtuple("Axis", "option flag program_default sweep_default description value")

# The program's swap-chain formats, by the short name it also accepts.
FORMATS = {
    "b8g8r8a8": "DXGI_FORMAT_B8G8R8A8_UNORM",
    "r8g8b8a8": "DXGI_FORMAT_R8G8B8A8_UNORM",
    "r10g10b10a2": "DXGI_FORMAT_R10G10B10A2_UNORM",
    "r16g16b16a16": "DXGI_FORMAT_R16G16B16A16_FLOAT",
}
FORMAT_NAMES = dict([(short, short) for short in FORMATS] + [(name.lower(), short) for short, name in FORMATS.items()])
FULLSCREEN_VALUES = ["off", "on"]
MODES = "0 Default, 1 Automatic, 2 Disable, 3 Enable"
# Present takes sync intervals 0 to 4; the program selects one itself for -1.
SYNC_INTERVALS = "-1 (automatic) or 0 to 4"
# A flip-model swap chain has from 2 to 16 buffers.
BUFFER_COUNTS = (2, 16)
D3D = "D3D"
BUILTIN, DXVK = "builtin", "dxvk"


def _text(check):
    """The check of an integer option, giving the value back as the program's argument text."""
    def text(value):
        return str(check(value))

    text.accepted = check.accepted
    return text


AXES = [
    Axis("PresentSyncInterval", "--sync-interval", "-1", ["-1", "0", "1"], "present sync interval",
         _text(integer_in(-1, 4, "a sync interval", SYNC_INTERVALS))),
    Axis("SwapChainBufferCount", "--buffers", "2", ["2", "3"], "swap-chain buffer count",
         _text(integer_in(*BUFFER_COUNTS, "a buffer count"))),
    Axis("WaitableObject", "--waitable", "0", ["0", "3"], "waitable object mode",
         _text(integer_in(0, 3, "a waitable object mode", MODES))),
    Axis("AllowTearing", "--tearing", "0", ["0"], "allow tearing mode",
         _text(integer_in(0, 3, "an allow tearing mode", MODES))),
    Axis("AllowModeSwitch", "--mode-switch", "0", ["0"], "allow mode switch mode",
         _text(integer_in(0, 3, "an allow mode switch mode", MODES))),
    Axis("Format", "--format", "b8g8r8a8", ["b8g8r8a8"], "swap-chain format",
         one_of(FORMAT_NAMES, "a format")),
    Axis("Fullscreen", "--fullscreen", "off", ["off"], "start in full screen",
         one_of({value: value for value in FULLSCREEN_VALUES}, "off or on")),
    Axis("OverlayMode", "--overlay", "0", ["0"], "overlay mode",
         _text(integer_in(0, 1, "an overlay mode", "0 (none) or 1 (text overlay)"))),
    Axis(D3D, "--d3d", BUILTIN, [BUILTIN], "Direct3D implementation (dxvk with --dxvk DIR or LUMIVEX_DXVK)",
         one_of({BUILTIN: BUILTIN, DXVK: DXVK}, "a Direct3D implementation")),
]
# The options that only a sweep takes, and those that only a comparison takes.
SWEEP_ONLY = list(DEFAULTS) + [axis.option for axis in AXES] + ["dxvk"]
COMPARE_ONLY = ["threshold"]


def chosen_values(given):
    """The values of each axis: those given (each once, in their order), the program's default for an
    axis not given, or the default sweep when no option of the program was given at all (given maps option
    names to value lists or None)."""
    default_sweep = all(given[axis.option] is None for axis in AXES if axis.option != D3D)
    return {axis.option: axis.sweep_default if default_sweep and axis.option != D3D
            else list(dict.fromkeys(given[axis.option] or [axis.program_default])) for axis in AXES}


def swept(values):
    """The options given two or more values: the axes of the sweep, by option name."""
    return [axis.option for axis in AXES if len(values[axis.option]) > 1]


def settings(values):
    """The options given one value, by option name, with that value."""
    return {axis.option: values[axis.option][0] for axis in AXES if len(values[axis.option]) == 1}


def combinations(values):
    """Every combination of the values of each axis, each a dictionary from option name to value."""
    names = [axis.option for axis in AXES]
    return [dict(zip(names, combination)) for combination in itertools.product(*(values[name] for name in names))]


def in_turn(combinations, repeat):
    """The runs of a sweep in their order, as (repeat number, combination) pairs: every combination once,
    then every combination again, repeat times."""
    return [(index + 1, combination) for index in range(repeat) for combination in combinations]


def arguments(combination):
    """The program's options for a combination; an option at the program's default is left out."""
    result = []
    for axis in AXES:
        value = combination[axis.option]
        if value == axis.program_default or axis.option == D3D:
            continue
        result += ["-" + axis.option] if axis.option == "Fullscreen" else ["-" + axis.option, value]
    return result


def key(combination):
    """A combination as a tuple of its values in the order of AXES."""
    return tuple(combination[axis.option] for axis in AXES)


def threshold(text):
    try:
        value = float(text.rstrip("%"))
    except ValueError:
        value = -1.0
    if not 0 <= value < PERCENT:
        raise argparse.ArgumentTypeError("%s is not a percentage; accepted: 0 to below 100, such as 5 or 2.5" % text)
    return value / PERCENT


def parser(description):
    result = OneLineParser(PROGRAM, description)
    result.add_argument("--build", default=BUILD_DIR,
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
    for axis in AXES:
        result.add_argument(axis.flag, nargs="+", metavar="VALUE", type=axis.value, dest=axis.option,
                            help="%s%s: %s (default sweep: %s)" % ("" if axis.option == D3D else "-%s, " % axis.option,
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
    if given[D3D] is None and options.dxvk:
        given[D3D] = [DXVK]
    if DXVK in (given[D3D] or []) and not options.dxvk:
        command.error("--d3d dxvk needs --dxvk DIR or %s=DIR, the folder of DXVK's x64 DLLs" % dxvk.VARIABLE)
    options.threshold = DEFAULT_THRESHOLD if options.threshold is None else options.threshold
    options.values = chosen_values(given)
    return options
