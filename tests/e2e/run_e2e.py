#!/usr/bin/env python3
"""Runs the end-to-end tests: one Xvfb display and one throw-away Wine prefix
for the whole run, torn down at the end whatever happened.

Usage: run_e2e.py --vesk EXE --standin EXE --driver EXE [TEST_NAME...]
TEST_NAME as for unittest, e.g. test_shutdown or test_shutdown.ShutdownTests.
"""

import argparse
import os
import re
import signal
import subprocess
import sys
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

from harness import session as session_module  # noqa: E402
from harness.session import Session  # noqa: E402


def parse_args():
    repo = os.path.dirname(os.path.dirname(HERE))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--vesk", required=True, help="vesk.exe to test")
    parser.add_argument("--standin", required=True, help="standin-game.exe")
    parser.add_argument("--driver", required=True, help="vesk_e2e_driver.exe")
    parser.add_argument("--repo", default=repo, help="repository root (for scripts/)")
    parser.add_argument("--examples", default=os.path.join(repo, "examples"),
                        help="folder with the three example data files")
    parser.add_argument("--artifacts", default=os.path.join(os.getcwd(), "e2e-artifacts"),
                        help="where screenshots are kept, in a folder of each run's own")
    parser.add_argument("--keep", action="store_true", help="keep the temporary folder")
    parser.add_argument("tests", nargs="*", help="unittest names; all tests when omitted")
    return parser.parse_args()


def wine_version():
    """What `wine --version` prints, e.g. "wine-8.0 (Debian 8.0~repack-4)"."""
    try:
        result = subprocess.run(["wine", "--version"], stdin=subprocess.DEVNULL,
                                capture_output=True, text=True, timeout=60, check=False)
    except (OSError, subprocess.TimeoutExpired) as error:
        return f"wine of unknown version ({error})"
    lines = result.stdout.strip().splitlines()
    return lines[0] if lines else "wine of unknown version"


def interrupt(signum, _frame):
    # Turns a kill by CTest's timeout into an exception, so that the
    # teardown below still stops Xvfb and the wineserver.
    raise KeyboardInterrupt(f"signal {signum}")


def main():
    args = parse_args()
    # Japan's time zone (or VESK_TEST_TZ) for the harness and every Wine
    # process it starts: the deadlines the tests compute and those vesk shows
    # then differ if vesk takes the local offset the wrong way round.
    os.environ["TZ"] = os.environ.get("VESK_TEST_TZ") or "JST-9"
    time.tzset()
    started = time.monotonic()
    wine = wine_version()
    print(f"e2e: under {wine}", flush=True)
    for sig in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(sig, interrupt)
    session = Session(args.repo, os.path.abspath(args.vesk), os.path.abspath(args.standin),
                      os.path.abspath(args.driver), os.path.abspath(args.examples),
                      os.path.abspath(args.artifacts), keep=args.keep)
    major = re.match(r"wine-(\d+)", wine)
    session.wine_major = int(major.group(1)) if major else 0
    try:
        session.start()
        print(f"e2e: display {session.display.name}, prefix ready after "
              f"{time.monotonic() - started:.1f} s; screenshots in {session.artifacts_dir}",
              flush=True)
        session_module.current = session
        loader = unittest.TestLoader()
        if args.tests:
            suite = loader.loadTestsFromNames(args.tests)
        else:
            suite = loader.discover(HERE, pattern="test_*.py", top_level_dir=HERE)
        result = unittest.TextTestRunner(verbosity=2, stream=sys.stdout).run(suite)
    finally:
        session_module.current = None
        session.stop()
    # A test with failing subtests appears once per subtest: count tests.
    failed = len({getattr(test, "test_case", test).id()
                  for test, _ in result.failures + result.errors}
                 | {test.id() for test in result.unexpectedSuccesses})
    skipped = len(result.skipped)
    passed = result.testsRun - failed - skipped - len(result.expectedFailures)
    # One line, which scripts/test.sh reads for its counts.
    print(f"e2e under {wine}: {passed} passed, {failed} failed" + (f", {skipped} skipped" if skipped else "")
          + f"; {session.prefix.starts} Wine process starts, "
          f"{session.prefix.loader_retries} loader retries, "
          f"{session.driver.server_restarts if session.driver else 0} driver server restarts; "
          f"e2e wall time {time.monotonic() - started:.1f} s")
    return 0 if failed == 0 and result.testsRun > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
