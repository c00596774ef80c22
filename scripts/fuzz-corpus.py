#!/usr/bin/env python3
"""Makes the seed corpora of the fuzz targets in tests/fuzz/corpus/ from the test programs.

Every program of tests/e2e/programs and tests/corpus that assembles gives a module for the
load and disassemble targets and its source, without comments, for the assemble target.
The run target's seeds are inputs of its own that reached new code in long runs; this
script leaves them alone.

Usage: fuzz-corpus.py [KESTRO_ASM]   (default: build/release/tools/kestro-asm)
"""

import pathlib
import shutil
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
PROGRAMS = [ROOT / "tests" / "e2e" / "programs", ROOT / "tests" / "corpus"]
CORPUS = ROOT / "tests" / "fuzz" / "corpus"


def without_comments(source):
    """The source without its comments and blank lines (a ';' inside quotes stays)."""
    lines = []
    for line in source.splitlines():
        quoted = False
        escaped = False
        for at, character in enumerate(line):
            if escaped:
                escaped = False
            elif character == "\\" and quoted:
                escaped = True
            elif character == '"':
                quoted = not quoted
            elif character == ";" and not quoted:
                line = line[:at]
                break
        line = line.rstrip()
        if line:
            lines.append(line)
    return "\n".join(lines) + "\n"


def main():
    assembler = sys.argv[1] if len(sys.argv) > 1 else str(
        ROOT / "build" / "release" / "tools" / "kestro-asm")
    targets = {name: CORPUS / name for name in ("load", "disassemble", "assemble")}
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
                text = without_comments(program.read_text(encoding="utf-8"))
                (targets["assemble"] / (name + ".kasm")).write_text(text, encoding="utf-8")
                count += 1
    print(f"{count} programs")


if __name__ == "__main__":
    main()
