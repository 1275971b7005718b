"""Runs a program in a terminal, as a person would, and reads the screen.

usage: console_screen.py --tmux <tmux> --screen <file> --cursor <x>,<y>
                         [--wait-for <text> --type <keys>] <command> [<arg>...]

The program runs in an 80x24 tmux window on a server of this test's own, so
that it gets this test's environment (Wine's prefix, say). With --wait-for,
the test waits until <text> is on the screen, then types <keys> and Enter.
When the program has ended, its exit status must be 0, the screen must read
as <file> does (trailing blank lines aside) and the cursor must stand at
column <x> of line <y>, both counted from 0.
"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

import pseudo_terminal

WAIT_SECONDS = 60
SETTLE_SECONDS = 1.0


def fail(message):
    sys.exit(message)


def wait_until(what, done):
    deadline = time.monotonic() + WAIT_SECONDS
    while not done():
        if time.monotonic() > deadline:
            fail(f"gave up after {WAIT_SECONDS} s waiting for {what}")
        time.sleep(0.1)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tmux", required=True)
    parser.add_argument("--screen", required=True)
    parser.add_argument("--cursor", required=True)
    parser.add_argument("--wait-for")
    parser.add_argument("--type")
    parser.add_argument("command", nargs=argparse.REMAINDER)
    args = parser.parse_args()
    command = [arg for arg in args.command if arg]

    pseudo_terminal.skip_unless_available()

    with tempfile.TemporaryDirectory() as work:
        status_file = os.path.join(work, "status")
        environment = {k: v for k, v in os.environ.items() if k != "TMUX"}

        def tmux(*words):
            return subprocess.run([args.tmux, "-S", os.path.join(work, "socket"), *words],
                                  env=environment, check=True, text=True,
                                  stdout=subprocess.PIPE).stdout

        def screen():
            return tmux("capture-pane", "-p", "-t", "console")

        def ended():
            return os.path.exists(status_file) and os.path.getsize(status_file) > 0

        # The window stays open when the program ends, holding its last
        # screen, and its shell only records the exit status.
        keep_open = 'status=$1; shift; "$@"; echo $? > "$status"; exec sleep 600'
        tmux("-f", os.devnull, "new-session", "-d", "-x", "80", "-y", "24",
             "-s", "console", "sh", "-c", keep_open, "sh", status_file, *command)
        try:
            if args.wait_for:
                wait_until(f"{args.wait_for!r} on the screen", lambda: args.wait_for in screen())
                tmux("send-keys", "-t", "console", "-l", args.type)
                tmux("send-keys", "-t", "console", "Enter")
            wait_until("the program to end", ended)

            # The terminal draws the output as it reads it, which may be a
            # moment after the program has ended: read the screen once it
            # has stood still for a while.
            def now_showing():
                return screen(), tmux("display-message", "-p", "-t", "console",
                                      "#{cursor_x},#{cursor_y}").strip()
            last, since = now_showing(), time.monotonic()
            while time.monotonic() - since < SETTLE_SECONDS:
                time.sleep(0.1)
                current = now_showing()
                if current != last:
                    last, since = current, time.monotonic()
            shown, cursor = last[0].rstrip("\n"), last[1]
        finally:
            tmux("kill-server")

        with open(status_file) as recorded:
            status = recorded.read().strip()

    with open(args.screen) as expected_file:
        expected = expected_file.read().rstrip("\n")
    failures = []
    if status != "0":
        failures.append(f"exit status: expected 0, got {status}")
    if shown != expected:
        failures.append(f"screen: expected\n{expected}\n--- got\n{shown}\n---")
    if cursor != args.cursor:
        failures.append(f"cursor: expected at {args.cursor}, got {cursor}")
    if failures:
        fail("\n".join(failures))


if __name__ == "__main__":
    main()
