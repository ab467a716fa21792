"""The scripts around Lumivex.exe: the presentation sweep (python3 -m sweep, which scripts/sweep.sh
runs) and its comparison of two sweeps, DXVK beside Wine's own Direct3D, the summary of a record of
frame times, and what the benchmark scripts and the end-to-end tests share with them: running the
program under Wine and stopping it with Ctrl+C, and command lines that answer a bad value in one line.

    program     runs of the program: paths, Wine's environment, Ctrl+C, a run's lines as they come
    arguments   the one-line command-line checks and the exit statuses the scripts share
    dxvk        the DXVK DLLs and the Vulkan device checked, the build's DXVK folder prepared
    options     the presentation options a sweep varies (its axes) and the sweep's command line
    console     the program's console lines read, and one combination run to its statistics lines
    frame_times the summary of a record of frame times
    results     what a sweep writes: its folder, sweep.csv, sweep.json, sweep.md
    compare     two sweep folders read back and compared, with a verdict per combination
    charts      the PNG charts of a sweep, a comparison and a record of frame times
    __main__    the sweep itself"""
