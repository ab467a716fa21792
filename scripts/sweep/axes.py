"""The presentation options that a sweep can vary. Each axis is one option of Lumivex.exe, with the
value the program takes when the option is not given and the values that a default sweep tries; the
default sweep tries every combination of sync interval, buffer count and waitable object."""
import collections
import itertools

Axis = collections.namedtuple("Axis", "option flag program_default sweep_default description")

FULLSCREEN_VALUES = ["off", "on"]

AXES = [
    Axis("PresentSyncInterval", "--sync-interval", "-1", ["-1", "0", "1"], "present sync interval; -1 selects automatically"),
    Axis("SwapChainBufferCount", "--buffers", "2", ["2", "3"], "swap-chain buffer count"),
    Axis("WaitableObject", "--waitable", "0", ["0", "3"], "waitable object mode: 0 Default, 1 Automatic, 2 Disable, 3 Enable"),
    Axis("AllowTearing", "--tearing", "0", ["0"], "allow tearing mode: 0 Default, 1 Automatic, 2 Disable, 3 Enable"),
    Axis("AllowModeSwitch", "--mode-switch", "0", ["0"], "allow mode switch mode: 0 Default, 1 Automatic, 2 Disable, 3 Enable"),
    Axis("Format", "--format", "b8g8r8a8", ["b8g8r8a8"], "format: b8g8r8a8, r8g8b8a8, r10g10b10a2, r16g16b16a16"),
    Axis("Fullscreen", "--fullscreen", "off", ["off"], "start in full screen: off or on"),
    Axis("OverlayMode", "--overlay", "0", ["0"], "overlay mode: 0 or 1"),
]


def chosen_values(given):
    """The values of each axis: those given, the program's default for an axis not given, or the default
    sweep when no axis was given at all (given maps option names to value lists or None)."""
    if all(given[axis.option] is None for axis in AXES):
        return {axis.option: axis.sweep_default for axis in AXES}
    return {axis.option: given[axis.option] or [axis.program_default] for axis in AXES}


def swept(values):
    """The axes whose values are other than the program's default alone, as (axis, values) pairs."""
    return [(axis, values[axis.option]) for axis in AXES if values[axis.option] != [axis.program_default]]


def combinations(values):
    """Every combination of the values of each axis, each a dictionary from option name to value."""
    names = [axis.option for axis in AXES]
    return [dict(zip(names, combination)) for combination in itertools.product(*(values[name] for name in names))]


def arguments(combination):
    """The program's options for a combination; an option at the program's default is left out."""
    result = []
    for axis in AXES:
        value = combination[axis.option]
        if value == axis.program_default:
            continue
        result += ["-" + axis.option] if axis.option == "Fullscreen" else ["-" + axis.option, value]
    return result
