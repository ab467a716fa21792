#!/usr/bin/env python3
"""Frame rates on the current X display, one run after another at the same size for the same time:
Lumivex.exe with and without its overlay, and a minimal clear-and-present loop (ClearPresent.exe).

    benchmark.py [--build BUILD] [--width W] [--height H] [--seconds S] [--shader N]

Lumivex reports its rate on its own "Statistics:" line, every 10 s; the comparison loop runs as long.
"""
import argparse
import os
import re
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
SWAP_CHAIN = r"DXGI SwapChain: (\d+) x (\d+), .*"
STATISTICS = re.compile(r"Statistics: PresentCount \+(\d+) \(\+([0-9.]+) per second\)")
CLEAR_PRESENT = re.compile(r"ClearPresent: (\d+) presents in ([0-9.]+) s \(([0-9.]+) per second\)")
PERIOD = 10


def lumivex_rate(rendering, args, periods):
    """The mean rate of the first full statistics periods of one run, and its frame size."""
    with rendering.Run(args) as run:
        if not run.wait_for_line("Press Ctrl+C to exit...", 120):
            sys.exit("Lumivex did not start: %s" % run.lines)
        size = run.wait_for_pattern(SWAP_CHAIN, 0)
        rates = []
        while len(rates) < periods:
            rates = [float(match.group(2)) for match in map(STATISTICS.fullmatch, list(run.lines)) if match][:periods]
            if len(rates) < periods and not run.running():
                sys.exit("Lumivex ended early: %s" % run.lines)
            time.sleep(0.5)
        run.interrupt()
        run.wait(60)
    return sum(rates) / len(rates), (int(size.group(1)), int(size.group(2)))


def clear_present_rate(build, env, width, height, seconds):
    completed = subprocess.run([os.path.join(ROOT, "scripts", "wine-run.sh"), os.path.join(build, "ClearPresent.exe"),
                                str(width), str(height), str(seconds)], cwd=build, env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, timeout=seconds + 120, check=True)
    match = CLEAR_PRESENT.search(completed.stdout.decode())
    if not match:
        sys.exit("ClearPresent printed no rate: %s" % completed.stdout.decode())
    return float(match.group(3))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", default=os.environ.get("LUMIVEX_BUILD_DIR", os.path.join(ROOT, "build")))
    parser.add_argument("--width", type=int, default=1920)
    parser.add_argument("--height", type=int, default=1080)
    parser.add_argument("--seconds", type=int, default=20, help="a multiple of 10")
    parser.add_argument("--shader", type=int, default=0)
    options = parser.parse_args()
    os.environ["LUMIVEX_BUILD_DIR"] = os.path.abspath(options.build)
    sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
    import rendering

    periods = max(options.seconds // PERIOD, 1)
    common = ["-Resolution", str(options.width), str(options.height), "-ShaderIndex", str(options.shader)]
    plain, (width, height) = lumivex_rate(rendering, common, periods)
    overlay, _ = lumivex_rate(rendering, common + ["-OverlayMode", "1"], periods)
    # The program's window is sized for a border it does not have: the loop takes the swap chain's size.
    clear = clear_present_rate(options.build, rendering.environment(), width, height, periods * PERIOD)

    print("Frame size %d x %d, %d s per run, shader %d" % (width, height, periods * PERIOD, options.shader))
    print("Lumivex                 %8.2f frames per second" % plain)
    print("Lumivex with overlay    %8.2f frames per second" % overlay)
    print("Clear and present       %8.2f frames per second" % clear)
    print("Lumivex / clear         %8.3f" % (plain / clear))
    print("Overlay cost            %8.2f ms per frame" % (1000 / overlay - 1000 / plain))


if __name__ == "__main__":
    main()
