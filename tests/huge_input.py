"""Streams a huge input through a pipe into echo_integer, in constant memory.

usage: huge_input.py <gnu time> <kind> <command> [<arg>...]

<kind> is "blanks" (256 MiB of white space, then 42), "zeros" (256 MiB of
leading zeros, then 42) or "nines" (256 MiB of nines, clamped to the
maximum). The input is made here as it is sent, never stored. The program
must echo the right number and stay under 8 MiB of peak resident memory,
as GNU time measures it (this script's own getrusage would count the memory
of the Python process it was forked from).
"""

import subprocess
import sys
import tempfile
import threading

MIB = 1 << 20
SIZE = 256 * MIB
LIMIT_KIB = 8 * 1024
KINDS = {
    "blanks": (b" \t\n\v\f\r" * (MIB // 6 + 1), b"42\n", b"42"),
    "zeros": (b"0" * MIB, b"42\n", b"42"),
    "nines": (b"9" * MIB, b"\n", b"2147483647"),
}


def main():
    time, kind = sys.argv[1:3]
    command = [arg for arg in sys.argv[3:] if arg]
    chunk, tail, number = KINDS[kind]
    chunk = chunk[:MIB]
    report = tempfile.NamedTemporaryFile(mode="r", suffix=".maxrss")

    program = subprocess.Popen([time, "-f", "%M", "-o", report.name, *command],
                               stdin=subprocess.PIPE,
                               stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    captured = {}

    def drain(name, stream):
        captured[name] = stream.read()

    readers = [threading.Thread(target=drain, args=("out", program.stdout)),
               threading.Thread(target=drain, args=("err", program.stderr))]
    for reader in readers:
        reader.start()
    try:
        for _ in range(SIZE // MIB):
            program.stdin.write(chunk)
        program.stdin.write(tail)
        program.stdin.close()
    except BrokenPipeError:
        pass  # it stopped reading early: the checks below say what it wrote
    status = program.wait()
    for reader in readers:
        reader.join()
    peak_kib = int(report.read().split()[-1])

    expected = b"Enter an integer: You entered " + number
    failures = []
    if captured["out"] != expected:
        failures.append(f"stdout: expected {expected!r}, got {captured['out'][:200]!r}")
    if captured["err"]:
        failures.append(f"stderr: expected nothing, got {captured['err'][:200]!r}")
    if status != 0:
        failures.append(f"exit status: expected 0, got {status}")
    if peak_kib >= LIMIT_KIB:
        failures.append(f"peak resident memory: {peak_kib} KiB, limit {LIMIT_KIB} KiB")
    print(f"{kind}: {SIZE // MIB} MiB in, peak resident memory {peak_kib} KiB")
    if failures:
        sys.exit("\n".join(failures))


if __name__ == "__main__":
    main()
