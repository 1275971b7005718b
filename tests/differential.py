"""Checks echo_integer against a model of formatted integer extraction.

usage: differential.py --seed N --count N [--jobs N] [--case I] <command> [<arg>...]

Generates --count inputs from --seed, runs the program once on each, and
compares what it echoes with model() below, which knows nothing of the
program: skip leading white space as the classic locale has it, take an
optional sign and decimal digits, clamp to the signed 32-bit range, and
give 0 when no digit comes. A failure prints the seed and case number, and
--case re-runs just that case.
"""

import argparse
import concurrent.futures
import os
import random
import subprocess
import sys

WHITE_SPACE = b" \t\n\v\f\r"
INT_MIN, INT_MAX = -(2**31), 2**31 - 1
LIMITS = [INT_MIN - 1, INT_MIN, INT_MIN + 1, -1, 0, 1, INT_MAX - 1, INT_MAX, INT_MAX + 1]


def model(data):
    """The number formatted extraction into a 32-bit int stores, or 0."""
    at = 0
    while at < len(data) and data[at] in WHITE_SPACE:
        at += 1
    negative = at < len(data) and data[at] == ord("-")
    if at < len(data) and data[at] in b"+-":
        at += 1
    digits = at
    while at < len(data) and data[at] in b"0123456789":
        at += 1
    if at == digits:
        return 0
    number = int(data[digits:at])
    return max(INT_MIN, min(INT_MAX, -number if negative else number))


def digits(rng):
    kind = rng.randrange(5)
    if kind == 0:
        return str(rng.choice(LIMITS)).lstrip("-").encode()
    if kind == 1:
        return str(rng.choice(LIMITS) + rng.randint(-3, 3)).lstrip("-").encode()
    if kind == 2:
        return b"0" * rng.randint(1, 30) + str(rng.randint(0, 99999)).encode()
    length = rng.randint(1, 12) if kind == 3 else rng.randint(13, 400)
    return bytes(rng.choice(b"0123456789") for _ in range(length))


def junk(rng):
    pool = [b"", b"\n", b"\r\n", b"abc", b".5", b",000", b"e9", b"x1A", b"+", b"-",
            b" 12", b"\x00", b"\x00" + b"7", b"\xff", b"\xc2\xa0", b"\x1a", b"\x80\x81"]
    return b"".join(rng.choice(pool) for _ in range(rng.randint(0, 3)))


def generate(rng):
    """One input: white space, a sign run, digits and junk, each maybe absent."""
    space = bytes(rng.choice(WHITE_SPACE) for _ in range(rng.choice([0, 0, 1, 3, 50])))
    sign = rng.choice([b""] * 6 + [b"-"] * 3 + [b"+", b"--", b"+-", b"-+", b"- "])
    number = digits(rng) if rng.random() < 0.9 else b""
    if rng.random() < 0.1:
        return rng.choice([b"", space, space + sign, bytes(rng.randrange(256) for _ in range(8))])
    return space + sign + number + junk(rng)


def run(command, data):
    done = subprocess.run(command, input=data, capture_output=True, timeout=60)
    return done.returncode, done.stdout, done.stderr


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seed", type=int, required=True)
    parser.add_argument("--count", type=int, required=True)
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--case", type=int)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    options = parser.parse_args()
    command = [arg for arg in options.command if arg]

    rng = random.Random(options.seed)
    inputs = [generate(rng) for _ in range(options.count)]
    cases = range(options.count) if options.case is None else [options.case]

    with concurrent.futures.ThreadPoolExecutor(options.jobs) as pool:
        results = pool.map(lambda case: (case, run(command, inputs[case])), cases)
        failures = 0
        for case, (status, out, err) in results:
            expected = b"Enter an integer: You entered %d" % model(inputs[case])
            if (status, out, err) != (0, expected, b""):
                failures += 1
                print(f"seed {options.seed} case {case}: input {inputs[case]!r}\n"
                      f"  expected: status 0, stdout {expected!r}, stderr b''\n"
                      f"  actual:   status {status}, stdout {out!r}, stderr {err!r}\n"
                      f"  again:    {sys.argv[0]} --seed {options.seed} "
                      f"--count {options.count} --case {case} {' '.join(command)}")
    print(f"{len(cases) - failures} passed, {failures} failed")
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
