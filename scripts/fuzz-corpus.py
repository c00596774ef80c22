#!/usr/bin/env python3
"""Makes the seeds of the fuzz targets in build/fuzz/seeds/ from the test programs.

Every program of tests/e2e/programs and tests/corpus that assembles gives a module for the
load and disassemble targets and, for the assemble target, the module's disassembly (plain
text with its includes and macros expanded). The run target makes its own programs. The
image files the end-to-end programs are given are seeds of the image and font targets,
their sound files seeds of the sound target, beside a few tiny files made here.

Usage: fuzz-corpus.py TOOLS_DIRECTORY   (the folder holding kestro-asm and kestro-dis)
"""

import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
PROGRAMS = [ROOT / "tests" / "e2e" / "programs", ROOT / "tests" / "corpus"]
SEEDS = ROOT / "build" / "fuzz" / "seeds"
sys.path.insert(0, str(ROOT / "tests" / "e2e"))
from png_image import png_bytes  # noqa: E402
from run_e2e import ProgramError, read_runs  # noqa: E402

IMAGE_SUFFIXES = (".png", ".bmp", ".gif", ".jpg", ".ico", ".pbm", ".pgm", ".ppm", ".xbm", ".xpm")
SOUND_SUFFIXES = (".raw",)
LARGEST_FILE_SEED = 64 * 1024  # larger given files (a sparse 100 MB one) make slow seeds


def bmp_bytes(width, height, bits, palette, pixel_rows):
    """A BMP file: rows bottom-up, each padded to four bytes."""
    stride = (width * bits + 31) // 32 * 4
    pixels = b"".join(row.ljust(stride, b"\0") for row in reversed(pixel_rows))
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835,
                       len(palette) // 4, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + palette + pixels


def ico_bytes():
    """An icon holding one 1x1 32-bit picture (its height doubled for the mask)."""
    info = struct.pack("<IiiHHIIiiII", 40, 1, 2, 1, 32, 0, 8, 0, 0, 0, 0)
    picture = info + b"\x10\x20\x30\xff" + b"\0" * 4
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 1, 1, 0, 0, 1, 32,
                                                      len(picture), 22) + picture


def handmade_images():
    return {
        "rgb.bmp": bmp_bytes(2, 1, 24, b"", [b"\x00\x00\xff\xff\xff\xff"]),
        "bits.bmp": bmp_bytes(3, 2, 1, b"\0\0\0\0\xff\xff\xff\0", [b"\xa0", b"\x40"]),
        "one.gif": bytes.fromhex("474946383961 0100 0100 800000 000000ffffff"
                                 "21f90401000000 00 2c0000000001000100 00 0202440100 3b"),
        "head.jpg": bytes.fromhex("ffd8ffc0000b080001000101011100ffd9"),
        "grey.pgm": b"P5 2 2 255\n\x00\x40\x80\xff",
        "colour.ppm": b"P6 1 2 255\n\xff\x00\x00\x00\xff\x00",
        "text.pbm": b"P1\n3 1\n1 0 1\n",
        "mark.xbm": b"#define m_width 2\n#define m_height 1\nstatic char m_bits[] = {0x01};\n",
        "mark.xpm": b'/* XPM */\nstatic char *m[] = {"2 1 2 1", ". c #000000", "# c #FFFFFF", ".#"};\n',
        "one.ico": ico_bytes(),
        "font.png": png_bytes(["##.#.#+.", "#.#+.#..", "..#..#.#"]),
        "flat.png": png_bytes(["#.#"]),
    }


def handmade_sounds():
    return {"odd.raw": b"\x01", "extremes.raw": b"\xff\x7f\x00\x80\x00\x80",
            "ramp.raw": bytes(range(256))}


def given_files(program):
    """The files (name, bytes) an end-to-end program's runs are given; none for a program
    without expectations."""
    try:
        runs = read_runs(str(program))
    except ProgramError:
        return
    for run in runs:
        expectation = run.expectation
        for name, rows in expectation.images.items():
            yield name, png_bytes(rows)
        for name, lines in expectation.given.items():
            yield name, "".join(line + "\n" for line in lines).encode()
        for name, (pattern, copies) in expectation.byte_files.items():
            if len(pattern) * copies <= LARGEST_FILE_SEED:
                yield name, pattern * copies


def write_file_seeds(targets):
    """The image and sound seeds; returns how many files there are."""
    found = {}
    for program in sorted((ROOT / "tests" / "e2e" / "programs").rglob("*.kasm")):
        for name, content in given_files(program):
            found[f"{program.parent.name}-{program.stem}-{name}"] = content
    found.update({"made-" + name: content for name, content in handmade_images().items()})
    found.update({"made-" + name: content for name, content in handmade_sounds().items()})
    count = 0
    for name, content in found.items():
        kinds = (("image", "font") if name.endswith(IMAGE_SUFFIXES) else
                 ("sound",) if name.endswith(SOUND_SUFFIXES) else ())
        for kind in kinds:
            (targets[kind] / name).write_bytes(content)
        count += bool(kinds)
    return count


def main():
    tools = pathlib.Path(sys.argv[1])
    assembler, disassembler = str(tools / "kestro-asm"), str(tools / "kestro-dis")
    targets = {name: SEEDS / name
               for name in ("load", "disassemble", "assemble", "image", "font", "sound")}
    for directory in targets.values():
        shutil.rmtree(directory, ignore_errors=True)
        directory.mkdir(parents=True)
    count = 0
    with tempfile.TemporaryDirectory() as scratch:
        module = pathlib.Path(scratch) / "index.mcb"
        for base in PROGRAMS:
            for program in sorted(base.rglob("*.kasm")):
                name = "-".join(program.relative_to(base).with_suffix("").parts)
                if subprocess.run([assembler, str(program), "-o", str(module)],
                                  capture_output=True).returncode != 0:
                    continue
                for target in ("load", "disassemble"):
                    shutil.copyfile(module, targets[target] / (name + ".mcb"))
                # A deliberately damaged module has no disassembly, only module seeds.
                listing = subprocess.run([disassembler, str(module)], capture_output=True)
                if listing.returncode == 0:
                    (targets["assemble"] / (name + ".kasm")).write_bytes(listing.stdout)
                count += 1
    print(f"{count} programs, {write_file_seeds(targets)} files")


if __name__ == "__main__":
    main()
