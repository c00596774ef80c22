#!/usr/bin/env python3
"""The paint benchmarks, on private Xvfb screens (a release build must exist):

1. The host's cost of one frame (paint_bench) in a window of 800x480, where the picture
   is shown as it is, and of 1920x1080, where it is scaled by 2.25 and smoothed.
2. Memory over a timer animation: kestro runs bench/paint.kasm at 60 frames a second for
   10,000 frames; its resident set size is read at every 1,000th frame.

Usage: bench/paint.py [--frames N] [--skip-memory]"""

import argparse
import os
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "release")
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from x_display import XServer  # noqa: E402


def frame_costs(frames):
    for size in ((800, 480), (1920, 1080)):
        server = XServer(size)
        try:
            env = dict(server.env, QT_QPA_PLATFORM="xcb")
            result = subprocess.run([os.path.join(BUILD, "bench", "paint_bench"), str(frames)],
                                    env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                    check=True, timeout=600)
            print(result.stdout.decode().strip())
        finally:
            server.close()


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def start_application(server, directory, program):
    """Assembles bench/PROGRAM.kasm into the directory and starts kestro there on the X
    server; its standard error is a pipe."""
    subprocess.run([os.path.join(BUILD, "tools", "kestro-asm"),
                    os.path.join(ROOT, "bench", program + ".kasm"), "-o",
                    os.path.join(directory, "index.mcb")], check=True)
    return subprocess.Popen([os.path.join(BUILD, "src", "kestro")], cwd=directory,
                            env=dict(server.env, QT_QPA_PLATFORM="xcb"), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)


def memory_over_frames():
    server = XServer((800, 480))
    try:
        with tempfile.TemporaryDirectory() as directory:
            started = time.monotonic()
            process = start_application(server, directory, "paint")
            print(f"{'frames':>8} {'seconds':>8} {'RSS KiB':>9}")
            for raw in process.stderr:
                line = raw.decode("latin-1").strip()
                if line.startswith("LOG: frames "):
                    print(f"{line.split()[2]:>8} {time.monotonic() - started:8.1f} "
                          f"{resident_kib(process.pid):9d}", flush=True)
            process.wait()
    finally:
        server.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--frames", type=int, default=2000, help="frames to time (default 2000)")
    parser.add_argument("--skip-memory", action="store_true", help="only the frame costs")
    args = parser.parse_args()
    frame_costs(args.frames)
    if not args.skip_memory:
        memory_over_frames()


if __name__ == "__main__":
    main()
