"""PNG files: small pictures drawn as text, for the programs' image files, written, and
the files kestro saves, read.

Each character of a row is one pixel:

    .  black        #  white        +  grey (0x80)     t  transparent black
    r  red          g  green        b  blue            y  yellow
    h  red at half opacity (0x80FF0000)

Bitmap fonts read the blue channel as coverage: '.' is none, '#' and 'b' full, '+' half.
"""

import struct
import zlib

COLOURS = {
    ".": 0xFF000000, "#": 0xFFFFFFFF, "+": 0xFF808080, "t": 0x00000000,
    "r": 0xFFFF0000, "g": 0xFF00FF00, "b": 0xFF0000FF, "y": 0xFFFFFF00,
    "h": 0x80FF0000,
}
SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {2: 3, 6: 4}  # colour type: RGB, RGBA


def png_bytes(rows):
    """The PNG file (8-bit RGBA) of the rows of pixel characters, all of one length."""
    if any(len(row) != len(rows[0]) for row in rows):
        raise ValueError("image rows differ in length")
    pixels = [b"".join(bytes(((argb >> 16) & 255, (argb >> 8) & 255, argb & 255, argb >> 24))
                       for argb in map(COLOURS.__getitem__, row)) for row in rows]
    return encoded(len(rows[0]), 6, pixels)


def encoded(width, colour_type, rows):
    """The PNG file of 8-bit rows of pixels (bytes) of the colour type, unfiltered."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data)))

    header = struct.pack(">IIBBBBB", width, len(rows), 8, colour_type, 0, 0, 0)
    raw = b"".join(b"\0" + row for row in rows)
    return (SIGNATURE + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw))
            + chunk(b"IEND", b""))


def decoded(data):
    """(width, channels, rows of bytes) of a PNG file of 8-bit RGB or RGBA pixels."""
    if data[:8] != SIGNATURE:
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
    channels = CHANNELS.get(colour_type)
    if depth != 8 or not channels or interlaced:
        raise OSError("unexpected PNG format")
    raw, stride, rows = zlib.decompress(compressed), width * channels, []
    previous = bytes(stride)
    for y in range(height):
        start = y * (stride + 1) + 1
        previous = unfiltered(raw[start - 1], bytearray(raw[start:start + stride]), previous,
                              channels)
        rows.append(previous)
    return width, channels, rows


def unfiltered(kind, row, previous, step):
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
