#!/usr/bin/env python3
"""Key-to-draw latency on a private Xvfb screen (a release build must exist): a key press
is sent through the XTEST extension, and the time until the application's draw call that
the press asked for has said so on standard error is taken, press after press (each draw
call names the presses it has seen, so a repaint nobody asked for does not count).

Usage: bench/key_latency.py [--presses N]"""

import argparse
import ctypes
import os
import statistics
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from paint import start_application  # noqa: E402
from x_display import XServer  # noqa: E402


class Keyboard:
    """Key presses and releases through XTEST, as a real keyboard's reach the server."""

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.xtest = ctypes.CDLL("libXtst.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                 ctypes.c_ulong]
        self.connection = self.x11.XOpenDisplay(display.encode())
        self.space = self.x11.XKeysymToKeycode(self.connection, 0x20)

    def key(self, pressed):
        self.xtest.XTestFakeKeyEvent(self.connection, self.space, int(pressed), 0)
        self.x11.XFlush(self.connection)


def wait_for(stream, text):
    for raw in stream:
        if raw.decode("latin-1").strip() == text:
            return
    raise OSError(f"kestro ended before '{text}'")


def latencies(presses):
    server = XServer((800, 480))
    try:
        with tempfile.TemporaryDirectory() as directory:
            process = start_application(server, directory, "key_latency")
            try:
                wait_for(process.stderr, "LOG: ready")
                wait_for(process.stderr, "LOG: drawn 0")  # the repaint after start-up
                server.run("xdotool", "search", "--classname", "^kestro$", "windowfocus",
                           "--sync")
                keyboard = Keyboard(server.display)
                times = []
                for press in range(1, presses + 1):
                    started = time.perf_counter()
                    keyboard.key(True)
                    wait_for(process.stderr, f"LOG: drawn {press}")
                    times.append(time.perf_counter() - started)
                    keyboard.key(False)
                    time.sleep(0.01)
                return times
            finally:
                process.kill()
    finally:
        server.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--presses", type=int, default=300)
    times = sorted(1000 * t for t in latencies(parser.parse_args().presses))
    print(f"key press to draw call, {len(times)} presses: best {times[0]:.2f} ms, "
          f"median {statistics.median(times):.2f} ms, "
          f"90th percentile {times[int(0.9 * len(times))]:.2f} ms, worst {times[-1]:.2f} ms")


if __name__ == "__main__":
    main()
