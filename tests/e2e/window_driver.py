"""The actions of end-to-end programs (see run_e2e.py): display-status signals and the
fake sensor's turns on the private bus, and real input, properties and screenshots on the
private X server."""

import glob
import os
import re
import struct
import subprocess
import time
import zlib

from x_display import Screenshot, Xlib

# How long a screenshot is taken again while its expectations do not hold yet: long enough
# for a slow machine, where a paint of a large screen in a sanitizer build takes a while.
SCREENSHOT_PATIENCE = 15.0


class WindowDriver:
    def __init__(self, display_status_sender, bus, server, pixels, shots_directory, program,
                 directory):
        self.sender = display_status_sender
        self.bus = bus
        self.server = server
        self.pixels = pixels  # shot name -> [(x, y, width, height, colour)]
        self.shots_directory = shots_directory
        self.program = os.path.splitext(os.path.basename(program))[0]
        self.directory = directory  # the application directory
        self.window = None
        self.pointer = None
        self.taken = set()
        self.pngs_read = set()
        self.failures = []

    def do(self, words):
        """Does one action; returns the lines it reports (bytes, each ending in a newline)."""
        if not words:
            return []
        name, arguments = words[0], words[1:]
        if name == "display-status":
            self._display_status(*arguments)
            return []
        if name == "sensor":
            self.bus.turn_sensor(*arguments)
            return []
        if not self.server:
            raise OSError(f"action {name} needs x-screen")
        handler = getattr(self, "_" + name.replace("-", "_"), None)
        if not handler:
            raise OSError(f"unknown action {name}")
        return handler(*arguments) or []

    def shots_not_taken(self):
        return [f"screenshot {name} was never taken" for name in self.pixels
                if name not in self.taken]

    def _display_status(self, status):
        if self.bus:
            subprocess.run([self.sender, self.bus.address, status], check=True, timeout=10)

    def _kestro_window(self):
        if self.window is None:
            self.window = self.server.window_of("kestro")
        return self.window

    def _key(self, key):
        self.server.run("xdotool", "key", key)

    def _key_down(self, key):
        self.server.run("xdotool", "keydown", key)

    def _key_up(self, key):
        self.server.run("xdotool", "keyup", key)

    def _key_hold(self, key, milliseconds):
        self.server.run("xdotool", "keydown", key, "sleep", str(int(milliseconds) / 1000), "keyup",
                        key)

    def _mouse_down(self, x, y):
        self._pointer_to(x, y)
        self.server.run("xdotool", "mousedown", "1")

    def _mouse_move(self, x, y):
        self._pointer_to(x, y)

    def _mouse_up(self, x, y):
        self._pointer_to(x, y)
        self.server.run("xdotool", "mouseup", "1")

    def _pointer_to(self, x, y):
        # xdotool waits for a move to happen, so a move to where the pointer is is left out.
        if self.pointer is None:
            fields = dict(field.split(":") for field in
                          self.server.run("xdotool", "getmouselocation").split())
            self.pointer = (fields["x"], fields["y"])
        if self.pointer != (x, y):
            self.server.run("xdotool", "mousemove", "--sync", x, y)
            self.pointer = (x, y)

    def _focus(self):
        self.server.run("xdotool", "windowfocus", "--sync", str(self._kestro_window()))

    def _minimize(self):
        self._set_wm_state(Xlib.ICONIC_STATE)

    def _restore(self):
        self._set_wm_state(Xlib.NORMAL_STATE)

    def _set_wm_state(self, state):
        xlib = Xlib(self.server.display)
        try:
            xlib.set_wm_state(self._kestro_window(), state)
        finally:
            xlib.close()

    def _set_root_window(self, name, value):
        xlib = Xlib(self.server.display)
        try:
            xlib.set_root_window_property(name, int(value, 0))
        finally:
            xlib.close()

    def _xprop(self, *arguments):
        if any("{window}" in argument for argument in arguments):
            window = str(self._kestro_window())
            arguments = [argument.replace("{window}", window) for argument in arguments]
        output = self.server.run("xprop", *arguments)
        # xprop separates a property's name from its value with a tab or with spaces.
        return [("XPROP: " + re.sub(r"\s+", " ", line.strip()) + "\n").encode("latin-1")
                for line in output.splitlines() if line.strip()]

    def _screenshot(self, name):
        self.taken.add(name)
        deadline = time.monotonic() + SCREENSHOT_PATIENCE
        while True:
            shot = self.server.screenshot()
            if self._pixels_hold(name, shot) or time.monotonic() > deadline:
                break
            time.sleep(0.1)
        wrong = self._pixel_failures(name, shot)
        if self.shots_directory:
            os.makedirs(self.shots_directory, exist_ok=True)
            shot.save_png(os.path.join(self.shots_directory, f"{self.program}-{name}.png"))
        self.failures += wrong

    def _png(self, name, pattern):
        """A PNG file matching the pattern (in the application directory) that no earlier
        png action read, as the shot NAME, once it is there and complete."""
        self.taken.add(name)
        deadline = time.monotonic() + SCREENSHOT_PATIENCE
        while True:
            found = set(glob.glob(os.path.join(self.directory, pattern), include_hidden=True))
            try:
                path = min(found - self.pngs_read)
                with open(path, "rb") as png:
                    shot = Screenshot.from_png(png.read())
                self.pngs_read.add(path)
                break
            except (ValueError, OSError, struct.error, zlib.error, TypeError):
                if time.monotonic() > deadline:
                    self.failures.append(f"no readable PNG file {pattern} for {name}")
                    return
                time.sleep(0.1)
        self.failures += self._pixel_failures(name, shot)

    def _pixels_hold(self, name, shot):
        return all(shot.holds(*area) for area in self.pixels.get(name, []))

    def _pixel_failures(self, name, shot):
        failures = []
        for x, y, width, height, colour in self.pixels.get(name, []):
            count, first = shot.mismatches(x, y, width, height, colour)
            if count:
                column, row, found = first
                failures.append(f"screenshot {name}: {count} pixels of ({x}, {y}, {width}, "
                                f"{height}) are not {colour:06X}; the first, at ({column}, "
                                f"{row}), is {found:06X}")
        return failures
