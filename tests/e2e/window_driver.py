"""The actions of end-to-end programs (see run_e2e.py): display-status signals and the
fake sensor's turns on the private bus, and real input, properties and screenshots on the
private X server."""

import contextlib
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
# The actions that are one xdotool command on the key they name.
KEY_COMMANDS = {"key": "key", "key-down": "keydown", "key-up": "keyup"}
# The WM_STATE a window manager writes when it iconifies or restores a window.
WM_STATES = {"minimize": Xlib.ICONIC_STATE, "restore": Xlib.NORMAL_STATE}


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
            if self.bus:
                subprocess.run([self.sender, self.bus.address, *arguments], check=True,
                               timeout=10)
        elif name == "sensor":
            self.bus.turn_sensor(*arguments)
        elif not self.server:
            raise OSError(f"action {name} needs x-screen")
        elif name in KEY_COMMANDS:
            self.server.run("xdotool", KEY_COMMANDS[name], *arguments)
        elif name.startswith("mouse-"):
            self._pointer_to(*arguments)
            if name != "mouse-move":  # mouse-down and mouse-up: button 1
                self.server.run("xdotool", name.replace("-", ""), "1")
        elif name in WM_STATES:
            with contextlib.closing(Xlib(self.server.display)) as xlib:
                xlib.set_wm_state(self._kestro_window(), WM_STATES[name])
        else:
            handler = getattr(self, "_" + name.replace("-", "_"), None)
            if not handler:
                raise OSError(f"unknown action {name}")
            return handler(*arguments) or []
        return []

    def shots_not_taken(self):
        return [f"screenshot {name} was never taken" for name in self.pixels
                if name not in self.taken]

    def _kestro_window(self):
        if self.window is None:
            self.window = self.server.window_of("kestro")
        return self.window

    def _key_hold(self, key, milliseconds):
        self.server.run("xdotool", "keydown", key, "sleep", str(int(milliseconds) / 1000), "keyup",
                        key)

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

    def _set_root_window(self, name, value):
        with contextlib.closing(Xlib(self.server.display)) as xlib:
            xlib.set_root_window_property(name, int(value, 0))

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
        shot = self.server.screenshot()
        while not self._pixels_hold(name, shot) and time.monotonic() < deadline:
            time.sleep(0.1)
            shot = self.server.screenshot()
        if self.shots_directory:
            os.makedirs(self.shots_directory, exist_ok=True)
            shot.save_png(os.path.join(self.shots_directory, f"{self.program}-{name}.png"))
        self.failures += self._pixel_failures(name, shot)

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
