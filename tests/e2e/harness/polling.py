"""Waiting for conditions: every wait polls with a deadline, none sleeps a
fixed time."""

import time


class WaitTimeout(AssertionError):
    """A condition did not come true before its deadline."""


def wait_for(probe, expected, timeout=10.0, interval=0.05, observed=None):
    """Calls probe() until it returns a truthy value, which is returned.

    expected: text naming what was awaited, for the failure message.
    observed: optional callable giving a text of what was seen last.
    """
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() >= deadline:
            message = f"expected {expected} within {timeout:g} s"
            if observed is not None:
                message += f"; last seen: {observed()}"
            raise WaitTimeout(message)
        time.sleep(interval)
