"""Makes the package sweep (scripts/sweep) importable for the benchmark scripts beside this file, which
run as files (python3 bench/NAME.py, or bench/NAME.py) and share its runs of the program and its checks."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
