"""Waiting for a condition the way every Python suite does: ask again every
few hundredths of a second until it holds or the time is up."""
import time


def poll(what, check, timeout, interval=0.05, failure=AssertionError):
    """Calls check until it returns something true and returns that; raises
    failure("timed out waiting for WHAT") after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        result = check()
        if result:
            return result
        if time.monotonic() > deadline:
            raise failure("timed out waiting for " + what)
        time.sleep(interval)
