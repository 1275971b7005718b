"""Types 42 and Enter at echo_integer's prompt on a pseudo-terminal.

usage: console_transcript.py <command> [<arg>...]

The screen must read exactly "Enter an integer: 42", a line end made by the
terminal's echo of Enter, and "You entered 42" with no line end after it.
"""

import io
import sys

import pexpect

import pseudo_terminal

PROMPT = "Enter an integer: "
EXPECTED = b"Enter an integer: 42\r\nYou entered 42"


def main():
    command = [arg for arg in sys.argv[1:] if arg]
    pseudo_terminal.skip_unless_available()
    screen = io.BytesIO()
    console = pexpect.spawn(command[0], command[1:], timeout=30)
    console.logfile_read = screen

    console.expect_exact(PROMPT)
    console.send("42\r")  # what the Enter key sends
    console.expect(pexpect.EOF)
    console.close()

    if screen.getvalue() != EXPECTED:
        sys.exit(f"screen: expected {EXPECTED!r}, got {screen.getvalue()!r}")
    if console.exitstatus != 0:
        sys.exit(f"exit status: expected 0, got {console.exitstatus} "
                 f"(signal {console.signalstatus})")


if __name__ == "__main__":
    main()
