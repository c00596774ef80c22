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
    """A screen image read from xwd's output: 32 bits a pixel (24 where windows of several
    kinds share the screen), red, green and blue in bits 16 to 23, 8 to 15 and 0 to 7, as
    Xvfb's 24-bit screens have it."""

    def __init__(self, data):
        (header_size, _, pixmap_format, _, self.width, self.height, _, byte_order, _, _, _,
         bits_per_pixel, self.stride, _, red_mask, green_mask, blue_mask, _, _, colours,
         *_) = struct.unpack(">25I", data[:100])
        if (pixmap_format, red_mask, green_mask, blue_mask) != (2, 0xFF0000, 0xFF00, 0xFF) or \
                bits_per_pixel not in (24, 32):
            raise OSError("unexpected xwd image format")
        start = header_size + 12 * colours
        self.size = bits_per_pixel // 8
        self.pixels = bytearray(data[start:start + self.height * self.stride])
        self.order = "little" if byte_order == 0 else "big"
        if self.size == 4:
            # The top byte of each pixel is no colour: whatever the drawing left there goes.
            self.pixels[3 if byte_order == 0 else 0::4] = bytes(len(self.pixels) // 4)

    @classmethod
    def from_png(cls, data):
        """An image read from a PNG file of 8-bit RGB or RGBA pixels (the alpha left out),
        laid out as xwd's."""
        if data[:8] != b"\x89PNG\r\n\x1a\n":
            raise OSError("not a PNG file")
        at, compressed, header = 8, b"", None
        while at + 8 <= len(data):
            length, kind = struct.unpack(">I4s", data[at:at + 8])
            if kind == b"IHDR":
                header = struct.unpack(">IIBBBBB", data[at + 8:at + 21])
            elif kind == b"IDAT":
                compressed += data[at + 8:at + 8 + length]
            at += 12 + length
        width, height, depth, colour_type, _, _, interlaced = header
        channels = {2: 3, 6: 4}.get(colour_type)
        if depth != 8 or not channels or interlaced:
            raise OSError("unexpected PNG format")
        image = cls.__new__(cls)
        image.width, image.height, image.stride, image.order = width, height, 4 * width, "little"
        image.size = 4
        image.pixels = bytearray(4 * width * height)
        raw, stride, previous = zlib.decompress(compressed), width * channels, bytes(width * channels)
        for y in range(height):
            start = y * (stride + 1) + 1
            row = _unfiltered(raw[start - 1], bytearray(raw[start:start + stride]), previous,
                              channels)
            for colour, byte in ((0, 2), (1, 1), (2, 0)):
                image.pixels[y * 4 * width + byte:(y + 1) * 4 * width:4] = row[colour::channels]
            previous = row
        return image

    def pixel(self, x, y):
        offset = y * self.stride + self.size * x
        return int.from_bytes(self.pixels[offset:offset + self.size], self.order)

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
        expected = colour.to_bytes(self.size, self.order) * (right - left)
        for row in range(max(0, y), min(self.height, y + height)):
            offset = row * self.stride + self.size * left
            if self.pixels[offset:offset + len(expected)] != expected:
                yield row

    def save_png(self, path):
        """Writes the image as an RGB PNG file."""
        rows = bytearray()
        size = self.size
        red, green, blue = (2, 1, 0) if self.order == "little" else (size - 3, size - 2, size - 1)
        for y in range(self.height):
            row = self.pixels[y * self.stride:y * self.stride + size * self.width]
            rgb = bytearray(3 * self.width)
            rgb[0::3], rgb[1::3], rgb[2::3] = row[red::size], row[green::size], row[blue::size]
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


def _unfiltered(kind, row, previous, step):
    """A PNG row with its filter (0 to 4) undone."""
    if kind == 0:
        return row
    for i in range(len(row)):
        left = row[i - step] if i >= step else 0
        up, corner = previous[i], previous[i - step] if i >= step else 0
        if kind == 1:
            row[i] = (row[i] + left) & 255
        elif kind == 2:
            row[i] = (row[i] + up) & 255
        elif kind == 3:
            row[i] = (row[i] + (left + up) // 2) & 255
        else:
            guess = left + up - corner
            near = min((abs(guess - left), 0, left), (abs(guess - up), 1, up),
                       (abs(guess - corner), 2, corner))
            row[i] = (row[i] + near[2]) & 255
    return row
