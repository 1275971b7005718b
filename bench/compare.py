#!/usr/bin/env python3
"""Measures what one run of each program costs, against a static C floor.

usage: bench/compare.py [--runs N]

Builds the `release` and `default` presets and bench/reference.c (a static
C program making the same write calls), then measures each command:

- wall time with hyperfine (warm-up, then --runs runs, no shell between),
  stdin empty, so echo_integer reads end of input at once;
- user-space instructions with valgrind's callgrind, which repeat exactly
  from run to run; echo_integer reads "42\\n" there.

Prints a Markdown table of both, each as a ratio to the C reference that
makes the same calls (swap or echo). Run it on a quiet machine.
"""

import argparse
import json
import os
import platform
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def build():
    for preset in ("release", "default"):
        subprocess.run(["cmake", "--preset", preset], cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", "--preset", preset], cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)
    reference = os.path.join(ROOT, "build", "reference")
    subprocess.run(["cc", "-O2", "-static", "-s", "-o", reference,
                    os.path.join(ROOT, "bench", "reference.c")], check=True)
    return reference


def instructions(command, stdin):
    with open(stdin, "rb") as given:
        done = subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=/dev/null",
                               *command], stdin=given, stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE, text=True, check=True)
    return int(re.search(r"Collected : (\d+)", done.stderr).group(1))


def wall_times(commands, runs):
    with tempfile.NamedTemporaryFile(suffix=".json") as report:
        subprocess.run(["hyperfine", "--shell=none", "--warmup", "200", "--runs", str(runs),
                        "--style", "none", "--export-json", report.name,
                        *[" ".join(command) for command in commands]],
                       check=True, stdout=subprocess.DEVNULL)
        results = json.load(open(report.name))["results"]
    return [(result["mean"], result["stddev"]) for result in results]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=3000)
    options = parser.parse_args()

    reference = build()
    release = os.path.join(ROOT, "build", "release")
    default = os.path.join(ROOT, "build", "default")
    with tempfile.NamedTemporaryFile("w", suffix=".in", delete=False) as number:
        number.write("42\n")

    # name, command, stdin for callgrind, which reference it is compared with
    rows = [
        ("C reference, swap calls", [reference, "swap"], os.devnull, "swap"),
        ("C reference, echo calls", [reference, "echo"], number.name, "echo"),
        ("release swap_values", [os.path.join(release, "swap_values")], os.devnull, "swap"),
        ("release echo_integer", [os.path.join(release, "echo_integer")], number.name, "echo"),
        ("default swap_values", [os.path.join(default, "swap_values")], os.devnull, "swap"),
        ("default echo_integer", [os.path.join(default, "echo_integer")], number.name, "echo"),
        ("/bin/true", ["/bin/true"], os.devnull, "swap"),
    ]
    times = wall_times([row[1] for row in rows], options.runs)
    counts = [instructions(command, stdin) for _, command, stdin, _ in rows]
    os.unlink(number.name)
    floor = {rows[i][3]: (times[i][0], counts[i]) for i in (0, 1)}

    cpu = next((line.split(":", 1)[1].strip() for line in open("/proc/cpuinfo")
                if line.startswith("model name")), platform.processor())
    print(f"{cpu}, {os.cpu_count()} cores, {platform.system()} {platform.release()}; "
          f"{options.runs} runs each\n")
    print("| Command | Wall time | vs C | Instructions | vs C |")
    print("|---|---:|---:|---:|---:|")
    for (name, _, _, kind), (mean, stddev), count in zip(rows, times, counts):
        wall, instr = floor[kind]
        print(f"| {name} | {mean * 1e6:.0f} µs ± {stddev * 1e6:.0f} | {mean / wall:.2f}x "
              f"| {count:,} | {count / instr:.2f}x |")


if __name__ == "__main__":
    sys.exit(main())
