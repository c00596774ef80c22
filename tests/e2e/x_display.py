"""A private X server for window tests, and what a test does with it: real input through
xdotool, window-manager properties through xprop (and, for the types xprop cannot write,
through Xlib), screenshots through xwd, read pixel by pixel."""

import ctypes
import os
import struct
import subprocess
import time

from png_image import decoded, encoded


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

    def run(self, *command, check=True, text=True):
        """Runs an X client on this display; returns its standard output (bytes unless
        `text`)."""
        result = subprocess.run(list(command), env=self.env, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=20)
        if check and result.returncode != 0:
            raise OSError(f"{' '.join(command)} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode("latin-1") if text else result.stdout

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
        return Screenshot(self.run("xwd", "-root", "-silent", text=False))

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Xlib:
    """The few Xlib calls for properties that xprop cannot write: a property of type WINDOW,
    and the window manager's WM_STATE of a window."""

    XA_WINDOW = 33
    ICONIC_STATE = 3
    NORMAL_STATE = 1

    def __init__(self, display):
        self.lib = ctypes.CDLL("libX11.so.6")
        pointer, number, xid = ctypes.c_void_p, ctypes.c_int, ctypes.c_ulong
        for name, result, arguments in (
                ("XOpenDisplay", pointer, [ctypes.c_char_p]),
                ("XDefaultRootWindow", xid, [pointer]),
                ("XInternAtom", xid, [pointer, ctypes.c_char_p, number]),
                ("XChangeProperty", number,
                 [pointer, xid, xid, xid, number, number, pointer, number]),
                ("XSync", number, [pointer, number]), ("XCloseDisplay", number, [pointer])):
            function = getattr(self.lib, name)
            function.restype, function.argtypes = result, arguments
        self.connection = self.lib.XOpenDisplay(display.encode())
        if not self.connection:
            raise OSError(f"cannot open display {display}")

    def atom(self, name):
        return self.lib.XInternAtom(self.connection, name.encode(), 0)

    def set_property(self, window, name, type_atom, values):
        """Replaces the property with 32-bit items (Xlib passes them as longs)."""
        items = (ctypes.c_ulong * len(values))(*values)
        self.lib.XChangeProperty(self.connection, window, self.atom(name), type_atom, 32,
                                 0, items, len(values))  # 0: PropModeReplace
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
        width, channels, rows = decoded(data)
        image = cls.__new__(cls)
        image.width, image.height, image.stride = width, len(rows), 4 * width
        image.order, image.size = "little", 4
        image.pixels = bytearray(4 * width * len(rows))
        for y, row in enumerate(rows):
            for colour, byte in ((0, 2), (1, 1), (2, 0)):
                image.pixels[y * 4 * width + byte:(y + 1) * 4 * width:4] = row[colour::channels]
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
        size, rows = self.size, []
        red, green, blue = (2, 1, 0) if self.order == "little" else (size - 3, size - 2, size - 1)
        for y in range(self.height):
            row = self.pixels[y * self.stride:y * self.stride + size * self.width]
            rgb = bytearray(3 * self.width)
            rgb[0::3], rgb[1::3], rgb[2::3] = row[red::size], row[green::size], row[blue::size]
            rows.append(bytes(rgb))
        with open(path, "wb") as out:
            out.write(encoded(self.width, 2, rows))
