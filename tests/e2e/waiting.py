"""Waiting for the desktop without sleeping for fixed times: poll until a condition holds."""

import ctypes
import signal
import time

DEFAULT_TIMEOUT = 30.0
POLL_INTERVAL = 0.05

_PR_SET_PDEATHSIG = 1
_libc = ctypes.CDLL(None, use_errno=True)


def die_with_parent():
    """preexec_fn for helpers: if the test runner is killed outright (ctest timeout), its helpers
    must not outlive it."""
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


class HarnessError(AssertionError):
    pass


def wait_until(condition, what, timeout=DEFAULT_TIMEOUT):
    """Polls condition() until it returns something truthy, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() >= deadline:
            raise HarnessError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(POLL_INTERVAL)
