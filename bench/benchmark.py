#!/usr/bin/env python3
"""Frame rates on the current X display, one run after another at the same size: each picture of
Lumivex.exe against the flat quad of LumivexFlatQuad.exe, which is the same program with the cheapest
picture that the pictures' interface allows.

    benchmark.py [--build BUILD] [--width W] [--height H] [--seconds S] [--rounds R] [--shaders N ...] [--references]
                 [--dxvk DIR]

A run's rate is the mean of its "Statistics:" lines after the first, whose period holds the start-up
(one line every 10 s). The flat quad runs first and again after every picture's run, and the pictures
take R rounds in turn. A picture's run is measured against the mean of the flat-quad runs just before
and after it, and a picture's ratio is the median over its rounds: the machine's own speed drifts, and
a flat-quad run can be a fifth off the next on a busy machine. With --references, the flat quad with
its overlay and a bare clear-and-present loop (ClearPresent.exe) follow. Before each run it says which
run of how many it is and about how long the runs left take. With --dxvk DIR (or LUMIVEX_DXVK) every
run goes on the DXVK DLLs in DIR instead of Wine's own Direct3D.
"""
import os
import re
import subprocess
import sys
import time
from statistics import mean, median

import sweep_package  # noqa: F401 (makes the package sweep importable)
from sweep import dxvk
from sweep.arguments import FRAME_SIZES, INTERRUPTED_STATUS, USAGE_STATUS, OneLineParser, integer_in, multiple_of
from sweep.options import PERIOD
from sweep.program import WINE_RUN, Estimate, duration, interrupt_main_thread

SWAP_CHAIN = re.compile(r"DXGI SwapChain: (\d+) x (\d+), .*")
STATISTICS = re.compile(r"Statistics: PresentCount \+(\d+) \(\+([0-9.]+) per second\)")
CLEAR_PRESENT = re.compile(r"ClearPresent: (\d+) presents in ([0-9.]+) s \(([0-9.]+) per second\)")
PICTURES = ("Blossoms", "Ribbons", "Network", "Outlines")
# The flat quad, with and without its overlay, and the clear-and-present loop.
REFERENCE_RUNS = 3


class Runs:
    """The runs one after another, each announced with its number, the count and the time left: every run
    takes its statistics periods and a start and a stop, so each run left is expected to take as long as
    the runs so far on average."""

    def __init__(self, total, periods, programs):
        self.total, self.done, self.programs = total, 0, programs
        self.estimate = Estimate((periods + 1) * PERIOD)

    def measure(self, label, measurement, *args):
        left = self.estimate.remaining([None] * (self.total - self.done))
        self.done += 1
        print("Run %d of %d, about %s left: %s" % (self.done, self.total, duration(left), label),
              file=sys.stderr, flush=True)
        started = time.monotonic()
        result = measurement(*args)
        self.estimate.add(None, time.monotonic() - started)
        return result

    def program_rate(self, build, exe, args, periods):
        return self.measure(" ".join([exe] + args), program_rate, build, os.path.join(self.programs, exe), args, periods)


def program_rate(build, exe, args, periods):
    """The mean rate of the statistics periods after the first, and the swap chain's size (exe: the
    program's path, which may lie in the build's DXVK folder; the runs take the build's Wine prefix)."""
    process = subprocess.Popen([WINE_RUN, exe] + args, cwd=build,
                               stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    size, rates, lines = None, [], []
    try:
        for raw in process.stdout:
            lines.append(raw.decode("utf-8", "replace").rstrip("\r\n"))
            swap_chain, statistics = SWAP_CHAIN.fullmatch(lines[-1]), STATISTICS.fullmatch(lines[-1])
            size = size or swap_chain and (int(swap_chain.group(1)), int(swap_chain.group(2)))
            rates += [float(statistics.group(2))] if statistics else []
            if len(rates) > periods:
                break
        else:
            sys.exit("%s ended early: %s" % (exe, lines))
        interrupt_main_thread(process.pid)
        process.wait(60)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait(30)
    return sum(rates[1:]) / periods, size


def clear_present_rate(build, programs, width, height, seconds):
    completed = subprocess.run([WINE_RUN, os.path.join(programs, "ClearPresent.exe"), str(width), str(height), str(seconds)],
                               cwd=build, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, timeout=seconds + 120, check=True)
    match = CLEAR_PRESENT.search(completed.stdout.decode())
    if not match:
        sys.exit("ClearPresent printed no rate: %s" % completed.stdout.decode())
    return float(match.group(3))


def parse_options():
    parser = OneLineParser("benchmark.py", __doc__)
    parser.add_build()
    parser.add_argument("--width", type=integer_in(*FRAME_SIZES, "a frame width"), default=1920)
    parser.add_argument("--height", type=integer_in(*FRAME_SIZES, "a frame height"), default=1080)
    parser.add_argument("--seconds", type=multiple_of(PERIOD, "a number of seconds"), default=PERIOD,
                        help="measured time per run, a multiple of 10")
    parser.add_argument("--rounds", type=integer_in(1, None, "a number of rounds"), default=3,
                        help="runs of each picture, each between two flat-quad runs")
    parser.add_argument("--shaders", type=integer_in(0, len(PICTURES) - 1, "a shader index"), nargs="+",
                        default=list(range(len(PICTURES))))
    parser.add_argument("--references", action="store_true", help="also the overlay's cost and a clear-and-present loop")
    parser.add_argument("--dxvk", metavar="DIR", default=os.environ.get(dxvk.VARIABLE) or None,
                        help="run on the DXVK DLLs in DIR, the folder of DXVK's x64 d3d11.dll and dxgi.dll "
                             "(default: $%s; none: Wine's own Direct3D)" % dxvk.VARIABLE)
    return parser.parse_args()


def programs_folder(build, options):
    """The folder of the programs to run: the build, or its DXVK folder, said once."""
    if not options.dxvk:
        print("Direct3D: Wine's own", flush=True)
        return build
    try:
        on_dxvk = dxvk.prepare(options.dxvk, build)
    except dxvk.DxvkError as error:
        sys.stderr.write("benchmark.py: --dxvk: %s\n" % error)
        sys.exit(USAGE_STATUS)
    print("Direct3D: DXVK %s, Vulkan device %s" % (dxvk.describe(on_dxvk), on_dxvk.device), flush=True)
    return on_dxvk.folder


def measure_pictures(build, options, size, periods, runs, plan):
    """Fills runs (picture index to (picture rate, flat-quad rate) pairs) round by round, each run through
    the Runs plan; returns the swap chain's size."""
    flat, _ = plan.program_rate(build, "LumivexFlatQuad.exe", size, periods)
    for _ in range(options.rounds):
        for shader in options.shaders:
            picture, frame = plan.program_rate(build, "Lumivex.exe", size + ["-ShaderIndex", str(shader)], periods)
            after, _ = plan.program_rate(build, "LumivexFlatQuad.exe", size, periods)
            runs[shader].append((picture, (flat + after) / 2))
            print("%d %-9s %8.2f  flat quad %8.2f and %8.2f  ratio %6.3f"
                  % (shader, PICTURES[shader], picture, flat, after, 2 * picture / (flat + after)), file=sys.stderr, flush=True)
            flat = after
    return frame


def print_pictures(runs, rounds, periods):
    """Each picture's rate, the flat quad's and their ratio over the rounds that were measured, if any."""
    if not any(runs.values()):
        return
    print("%d s measured per run after %d s of start-up, %d rounds" % (periods * PERIOD, PERIOD, rounds))
    print("Picture          frames per second   flat quad   picture / flat quad (median)   rounds' lowest to highest")
    for shader, pairs in runs.items():
        if not pairs:
            continue
        ratios = [picture / flat for picture, flat in pairs]
        print("%d %-9s       %8.2f        %8.2f   %8.3f                       %.3f to %.3f"
              % (shader, PICTURES[shader], mean(picture for picture, _ in pairs), mean(flat for _, flat in pairs),
                 median(ratios), min(ratios), max(ratios)))


def print_references(build, size, frame, periods, plan):
    plain, _ = plan.program_rate(build, "LumivexFlatQuad.exe", size, periods)
    overlay, _ = plan.program_rate(build, "LumivexFlatQuad.exe", size + ["-OverlayMode", "1"], periods)
    # The program's window is sized for a border it does not have: the loop takes the swap chain's size.
    clear = plan.measure("ClearPresent.exe", clear_present_rate, build, plan.programs, frame[0], frame[1], periods * PERIOD)
    print("Flat quad               %8.2f frames per second" % plain)
    print("Flat quad with overlay  %8.2f frames per second" % overlay)
    print("Clear and present       %8.2f frames per second" % clear)
    print("Flat quad / clear       %8.3f" % (plain / clear))
    print("Overlay cost            %8.2f ms per frame" % (1000 / overlay - 1000 / plain))


def interrupted(what):
    print("Interrupted; what was measured so far: %s" % what, flush=True)
    sys.exit(INTERRUPTED_STATUS)


def main():
    options = parse_options()
    build = options.build
    periods = options.seconds // PERIOD
    size = ["-Resolution", str(options.width), str(options.height)]
    runs = {shader: [] for shader in options.shaders}
    # The flat quad first, then each picture followed by the flat quad, round by round.
    plan = Runs(1 + 2 * options.rounds * len(options.shaders) + (REFERENCE_RUNS if options.references else 0), periods,
                programs_folder(build, options))
    try:
        frame = measure_pictures(build, options, size, periods, runs, plan)
    except KeyboardInterrupt:
        print_pictures(runs, options.rounds, periods)
        interrupted("%d of %d picture runs" % (sum(len(pairs) for pairs in runs.values()), options.rounds * len(runs)))
    print("Frame size %d x %d, " % frame, end="")
    print_pictures(runs, options.rounds, periods)
    if options.references:
        try:
            print_references(build, size, frame, periods, plan)
        except KeyboardInterrupt:
            interrupted("the pictures above, not the references")


if __name__ == "__main__":
    main()
