#!/usr/bin/env python3
"""Runs one end-to-end case: run_e2e.py <topic>.<case> <executable>

The case is the function `<case>` of `<topic>_cases.py` beside this file; it gets the path of the
built executable and fails by raising. Exit status 0 on success, 1 on failure.
"""

import importlib
import os
import signal
import sys
import traceback


def _end_on_signal(number, _frame):
    # Turn ctest's or the user's interrupt into an exception, so every desktop is torn down.
    raise SystemExit(f"interrupted by signal {number}")


def main(argv):
    if len(argv) != 3 or "." not in argv[1]:
        print(__doc__, file=sys.stderr)
        return 2
    topic, case_name = argv[1].split(".", 1)
    executable = os.path.abspath(argv[2])
    signal.signal(signal.SIGTERM, _end_on_signal)
    signal.signal(signal.SIGINT, _end_on_signal)
    sys.dont_write_bytecode = True  # keep the source folder clean
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    case = getattr(importlib.import_module(topic + "_cases"), case_name)
    try:
        case(executable)
    except BaseException:
        traceback.print_exc()
        print(f"FAILED {argv[1]}")
        return 1
    print(f"passed {argv[1]}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
