"""Small PNG pictures drawn as text, for the programs' image files.

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


def png_bytes(rows):
    """The PNG file (8-bit RGBA) of the rows of pixel characters, all of one length."""
    width = len(rows[0])
    if any(len(row) != width for row in rows):
        raise ValueError("image rows differ in length")
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for character in row:
            argb = COLOURS[character]
            raw += bytes(((argb >> 16) & 255, (argb >> 8) & 255, argb & 255, argb >> 24))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, len(rows), 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b""))
