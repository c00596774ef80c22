"""A private X server for window tests, and what a test does with it: real input through
xdotool, window-manager properties through xprop (and, for the types xprop cannot write,
through Xlib), screenshots through xwd, read pixel by pixel."""

import ctypes
import os
import struct
import subprocess
import time
import zlib


class XServer:
    """Starts Xvfb with one screen of `size` (width, height) on a free display number;
    `display` is what DISPLAY takes. The server keeps root-window properties when its
    last client goes, so that a property set by one tool is there for the next."""

    def __init__(self, size):
        read_end, write_end = os.pipe()
        width, height = size
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            self.process.kill()
            raise OSError("Xvfb did not start")
        self.display = ":" + number
        self.env = dict(os.environ, DISPLAY=self.display)

    def run(self, *command, check=True):
        """Runs an X client on this display; returns its standard output."""
        result = subprocess.run(list(command), env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=20)
        if check and result.returncode != 0:
            raise OSError(f"{' '.join(command)} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode("latin-1")

    def window_of(self, class_name, timeout=10):
        """The id of the first mapped window whose WM_CLASS instance is `class_name`."""
        deadline = time.monotonic() + timeout
        while True:
            found = self.run("xdotool", "search", "--onlyvisible", "--classname",
                             f"^{class_name}$", check=False).split()
            if found:
                return int(found[0])
            if time.monotonic() > deadline:
                raise OSError(f"no window of class {class_name}")
            time.sleep(0.05)

    def screenshot(self):
        return Screenshot(self.run_bytes("xwd", "-root", "-silent"))

    def run_bytes(self, *command):
        return subprocess.run(list(command), env=self.env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=20,
                              check=True).stdout

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Xlib:
    """The few Xlib calls for properties that xprop cannot write: a property of type WINDOW,
    and the window manager's WM_STATE of a window."""

    PROP_MODE_REPLACE = 0
    XA_WINDOW = 33
    ICONIC_STATE = 3
    NORMAL_STATE = 1

    def __init__(self, display):
        self.lib = ctypes.CDLL("libX11.so.6")
        self.lib.XOpenDisplay.restype = ctypes.c_void_p
        self.lib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.lib.XDefaultRootWindow.restype = ctypes.c_ulong
        self.lib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.lib.XInternAtom.restype = ctypes.c_ulong
        self.lib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        self.lib.XChangeProperty.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int,
            ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
        self.lib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.lib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.connection = self.lib.XOpenDisplay(display.encode())
        if not self.connection:
            raise OSError(f"cannot open display {display}")

    def atom(self, name):
        return self.lib.XInternAtom(self.connection, name.encode(), 0)

    def set_property(self, window, name, type_atom, values):
        """Replaces the property with 32-bit items (Xlib passes them as longs)."""
        items = (ctypes.c_ulong * len(values))(*values)
        self.lib.XChangeProperty(self.connection, window, self.atom(name), type_atom, 32,
                                 self.PROP_MODE_REPLACE, items, len(values))
        self.lib.XSync(self.connection, 0)

    def set_root_window_property(self, name, value):
        root = self.lib.XDefaultRootWindow(self.connection)
        self.set_property(root, name, self.XA_WINDOW, [value])

    def set_wm_state(self, window, state):
        """What a window manager writes when it iconifies (3) or restores (1) a window."""
        self.set_property(window, "WM_STATE", self.atom("WM_STATE"), [state, 0])

    def close(self):
        self.lib.XCloseDisplay(self.connection)


class Screenshot:
    """A screen image read from xwd's output: 32 bits a pixel, red, green and blue in bits 16
    to 23, 8 to 15 and 0 to 7, as Xvfb's 24-bit screens have it."""

    def __init__(self, data):
        (header_size, _, pixmap_format, _, self.width, self.height, _, byte_order, _, _, _,
         bits_per_pixel, self.stride, _, red_mask, green_mask, blue_mask, _, _, colours,
         *_) = struct.unpack(">25I", data[:100])
        if (pixmap_format, bits_per_pixel, red_mask, green_mask, blue_mask) != (
                2, 32, 0xFF0000, 0xFF00, 0xFF):
            raise OSError("unexpected xwd image format")
        start = header_size + 12 * colours
        self.pixels = bytearray(data[start:start + self.height * self.stride])
        # The top byte of each pixel is no colour: whatever the drawing left there goes.
        self.order = "little" if byte_order == 0 else "big"
        self.pixels[3 if byte_order == 0 else 0::4] = bytes(len(self.pixels) // 4)

    def pixel(self, x, y):
        offset = y * self.stride + 4 * x
        return int.from_bytes(self.pixels[offset:offset + 4], self.order)

    def holds(self, x, y, width, height, colour):
        """Whether every pixel of the rectangle has the colour (0xRRGGBB); quick enough to
        ask of a large screen again and again."""
        return not any(self._wrong_rows(x, y, width, height, colour))

    def mismatches(self, x, y, width, height, colour):
        """How many pixels of the rectangle differ from the colour (0xRRGGBB), and the first
        of them as (x, y, colour found)."""
        count, first = 0, None
        left, right = max(0, x), min(self.width, x + width)
        for row in self._wrong_rows(x, y, width, height, colour):
            for column in range(left, right):
                value = self.pixel(column, row)
                if value != colour:
                    count += 1
                    first = first or (column, row, value)
        return count, first

    def _wrong_rows(self, x, y, width, height, colour):
        left, right = max(0, x), min(self.width, x + width)
        expected = colour.to_bytes(4, self.order) * (right - left)
        for row in range(max(0, y), min(self.height, y + height)):
            offset = row * self.stride + 4 * left
            if self.pixels[offset:offset + len(expected)] != expected:
                yield row

    def save_png(self, path):
        """Writes the image as an RGB PNG file."""
        rows = bytearray()
        for y in range(self.height):
            row = self.pixels[y * self.stride:y * self.stride + 4 * self.width]
            if self.order == "little":
                rgb = bytearray(3 * self.width)
                rgb[0::3], rgb[1::3], rgb[2::3] = row[2::4], row[1::4], row[0::4]
            else:
                rgb = bytearray(3 * self.width)
                rgb[0::3], rgb[1::3], rgb[2::3] = row[1::4], row[2::4], row[3::4]
            rows += b"\0" + rgb

        def chunk(kind, payload):
            body = kind + payload
            return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body))

        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0,
                                                 0)))
            out.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
            out.write(chunk(b"IEND", b""))
