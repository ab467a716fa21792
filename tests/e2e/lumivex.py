"""The programs that the end-to-end tests run under Wine (through the package sweep's runs of them)."""
import os
import unittest

from sweep import dxvk
from sweep.program import BUILD_DIR, EXE_NAME

EXE = os.path.join(BUILD_DIR, EXE_NAME)
# The folder of DXVK's DLLs that the runs on DXVK take (scripts/test.sh says when it is missing); the
# build's DXVK folder holds copies of the programs beside them.
DXVK = os.environ.get(dxvk.VARIABLE)
DXVK_EXE = os.path.join(BUILD_DIR, dxvk.FOLDER_NAME, EXE_NAME)
_prepared = []


def on_dxvk(test):
    """Runs the test, or all the tests of a class, only where DXVK is given, its build folder prepared once."""
    if DXVK and not _prepared:
        dxvk.prepare(DXVK, BUILD_DIR)
        _prepared.append(DXVK)
    return unittest.skipUnless(DXVK, "LUMIVEX_DXVK is not set")(test)
