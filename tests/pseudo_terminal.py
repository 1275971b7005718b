"""Shared by the tests that run a program on a pseudo-terminal."""

import os
import sys


def skip_unless_available():
    """Reports a skip and ends the test where no pseudo-terminal can be had,
    as in a container without /dev/pts."""
    try:
        for end in os.openpty():
            os.close(end)
    except OSError as error:
        print(f"SKIPPED: no pseudo-terminal to give ({error})")
        sys.exit(0)
