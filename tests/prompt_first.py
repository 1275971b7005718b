"""Proves that echo_integer's prompt reaches a pipe before any input is sent.

usage: prompt_first.py <command> [<arg>...]

A script driving the program waits for the prompt and only then answers,
so the prompt has to arrive while the program is still waiting for input.
"""

import queue
import subprocess
import sys
import threading

PROMPT = b"Enter an integer: "
ANSWER = b"42\n"
EXPECTED = PROMPT + b"You entered 42"
WAIT_SECONDS = 30


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def main():
    command = [arg for arg in sys.argv[1:] if arg]
    program = subprocess.Popen(command, stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)

    # Reads in a thread, so that waiting for the prompt can time out.
    chunks = queue.Queue()

    def pump(stream, sink):
        for chunk in iter(lambda: stream.read1(4096), b""):
            sink.put(chunk)
        sink.put(None)

    threading.Thread(target=pump, args=(program.stdout, chunks), daemon=True).start()

    received = b""
    while len(received) < len(PROMPT):
        try:
            chunk = chunks.get(timeout=WAIT_SECONDS)
        except queue.Empty:
            program.kill()
            fail(f"no prompt within {WAIT_SECONDS} s while input was held back; "
                 f"got {received!r}")
        if chunk is None:
            fail(f"stdout ended before any input was sent; got {received!r}")
        received += chunk
    if received != PROMPT:
        fail(f"expected {PROMPT!r} before any input, got {received!r}")

    program.stdin.write(ANSWER)
    program.stdin.close()
    status = program.wait(timeout=WAIT_SECONDS)
    while (chunk := chunks.get(timeout=WAIT_SECONDS)) is not None:
        received += chunk
    errors = program.stderr.read()

    if received != EXPECTED:
        fail(f"stdout: expected {EXPECTED!r}, got {received!r}")
    if errors:
        fail(f"stderr: expected nothing, got {errors!r}")
    if status != 0:
        fail(f"exit status: expected 0, got {status}")


if __name__ == "__main__":
    main()
