"""Where the sweep's scripts are, for the tests beside this file; its modules become importable."""
import os
import sys

SOURCE_DIR = os.environ.get("LUMIVEX_SOURCE_DIR",
                            os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", "..")))
SWEEP_SH = os.path.join(SOURCE_DIR, "scripts", "sweep.sh")
sys.path.insert(0, os.path.join(SOURCE_DIR, "scripts", "sweep"))
