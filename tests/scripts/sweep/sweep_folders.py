"""Sweep folders made from fixed runs, written by the sweep's own code for its results, for the tests of
what reads them back, and the command that does."""
import os

from sweep import options, results
from sweep.console import RunLines
from sweep.program import ROOT

SWEEP_SH = os.path.join(ROOT, "scripts", "sweep.sh")

CONTEXT = ["DXGI Adapter: Some GPU, 0.000003F0", "DXGI Output: \\\\.\\DISPLAY1",
           "DXGI SwapChain: 642 x 362, DXGI_FORMAT_B8G8R8A8_UNORM, BufferCount 2, DXGI_SWAP_EFFECT_FLIP_DISCARD",
           "Press Ctrl+C to exit..."]
FAILURE = "Exception: 0x80FF01E5 Failed to object IDXGISwapChain2"


def run_lines(outcome):
    """The console lines of a run that presented at the rate outcome, or failed with it as its line."""
    lines = RunLines()
    for line in CONTEXT + ([outcome] if isinstance(outcome, str)
                           else ["Statistics: PresentCount +%d (+%.2f per second)" % (outcome * 10, outcome)]):
        lines.add(line)
    return lines


def pacing(outcome):
    """The frame pacing of a run at the rate outcome: its p99 twice its mean interval, and so on."""
    if isinstance(outcome, str):
        return None
    return {"p50": 1000 / outcome, "p99": 2000 / outcome, "max": 3000 / outcome, "low": outcome / 2}


def write_sweep(path, given, repeat, outcomes, width=640):
    """Writes a sweep of the given option values (flag values by option name) into path, its runs in
    turn having the given outcomes (rates or failure lines); fewer outcomes than runs make a sweep cut
    short. Returns the results.Sweep."""
    values = options.chosen_values({axis.option: given.get(axis.option) for axis in options.AXES})
    record = {"date": "2026-01-01 00:00:00", "command_line": "sweep.py", "version": "v1", "host": "host", "os": "os",
              "wine": None, "adapter": CONTEXT[0], "output": CONTEXT[1], "swap_chain": CONTEXT[2], "fullscreen_mode": None,
              "width": width, "height": 360, "shader": 0, "seconds": 10, "repeat": repeat, "values": values,
              "axes": options.swept(values)}
    combinations = options.combinations(values)
    runs = [results.Result(index + 1, number, combination, options.arguments(combination), run_lines(outcome),
                           outcome if isinstance(outcome, str) else None, 10.5, pacing(outcome))
            for index, ((number, combination), outcome) in enumerate(zip(options.in_turn(combinations, repeat), outcomes))]
    sweep = results.Sweep("title", record, 1, combinations, runs)
    results.write(path, sweep)
    return sweep
