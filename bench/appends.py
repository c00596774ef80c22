#!/usr/bin/env python3
"""Times appends to a string and to an array.

Each program runs with COUNT and with 4 x COUNT appends, and again with the append
replaced by dropping its operands, so that the loop's own cost (and start-up) can be
taken off. The time is the CPU time of the kestro process, the best of RUNS runs.
Prints the nanoseconds per append, which stay flat as the count grows when appends
are amortised O(1).

Usage: bench/appends.py [--build DIR] [--count N] [--runs R]
"""

import argparse
import os
import re
import subprocess
import tempfile

PROGRAMS = [
    ("append_chars", "native String, 63"),
    ("append_texts", "native String, 62"),
    ("append_elements", "native IntArray, 19"),
]
COUNT_LINE = re.compile(r"push 1000000 +; count")


def variant(source, appends, native, replacement):
    text = COUNT_LINE.sub(f"push {appends}", source)
    return re.sub(rf"^    {re.escape(native)}\b.*$", f"    {replacement}", text, flags=re.M)


def cpu_seconds(build, directory):
    """Runs kestro in the directory; returns its CPU time and its log lines."""
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    process = subprocess.Popen([os.path.join(build, "src", "kestro")], cwd=directory, env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    log = process.stderr.read().decode("latin-1")
    _, status, usage = os.wait4(process.pid, 0)
    if status != 0:
        raise SystemExit(f"kestro failed in {directory}:\n{log}")
    lines = [line[5:] for line in log.splitlines() if line.startswith("LOG: ")]
    return usage.ru_utime + usage.ru_stime, " ".join(lines)


def best_time(build, work, source, appends, native, replacement, runs):
    directory = tempfile.mkdtemp(dir=work)
    program = os.path.join(directory, "program.kasm")
    with open(program, "w") as out:
        out.write(variant(source, appends, native, replacement))
    subprocess.run([os.path.join(build, "tools", "kestro-asm"), program, "-o",
                    os.path.join(directory, "index.mcb")], check=True)
    results = [cpu_seconds(build, directory) for _ in range(runs)]
    return min(seconds for seconds, _ in results), results[0][1]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build/release")
    parser.add_argument("--count", type=int, default=1000000)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    bench = os.path.dirname(os.path.abspath(__file__))
    build = os.path.abspath(args.build)
    print(f"{'program':<16} {'appends':>10} {'ns/append':>10} {'loop ns/iter':>13}  result")
    with tempfile.TemporaryDirectory() as work:
        for name, native in PROGRAMS:
            with open(os.path.join(bench, name + ".kasm")) as source_file:
                source = source_file.read()
            for appends in (args.count, 4 * args.count):
                with_append, result = best_time(build, work, source, appends, native, native,
                                                args.runs)
                without, _ = best_time(build, work, source, appends, native, "adjust -2",
                                       args.runs)
                per_append = (with_append - without) / appends * 1e9
                print(f"{name:<16} {appends:>10} {per_append:>10.1f} "
                      f"{without / appends * 1e9:>13.1f}  {result}")


if __name__ == "__main__":
    main()
