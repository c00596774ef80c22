#!/usr/bin/env python3
"""Makes the seeds of the fuzz targets in build/fuzz/seeds/ from the test programs.

Every program of tests/e2e/programs and tests/corpus that assembles gives a module for the
load and disassemble targets and, for the assemble target, the module's disassembly (plain
text with its includes and macros expanded). The run target makes its own programs.

Usage: fuzz-corpus.py TOOLS_DIRECTORY   (the folder holding kestro-asm and kestro-dis)
"""

import pathlib
import shutil
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
PROGRAMS = [ROOT / "tests" / "e2e" / "programs", ROOT / "tests" / "corpus"]
SEEDS = ROOT / "build" / "fuzz" / "seeds"


def main():
    tools = pathlib.Path(sys.argv[1])
    assembler, disassembler = str(tools / "kestro-asm"), str(tools / "kestro-dis")
    targets = {name: SEEDS / name for name in ("load", "disassemble", "assemble")}
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
    print(f"{count} programs")


if __name__ == "__main__":
    main()
