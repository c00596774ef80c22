#!/usr/bin/env python3
"""Prints the code lines (Lib/, src/, tools/), the test lines (tests/) and their ratio.

The fuzzer (fuzz/) and the benchmarks (bench/) are tools that search for faults and
measure; they are neither.

A line counts when it is neither blank nor a comment: `//` and `/* ... */` in C++,
`;` in assembly (expectation comments included), `#` in Python, shell and CMake files,
and Python's docstrings (a string that stands as a statement of its own, as cloc counts
them by default). The ratio of all non-blank lines, comments included, is printed too.

usage: count-lines.py [ROOT]   (default: the repository holding this script)
"""
import os
import sys

CODE_FOLDERS = ("Lib", "src", "tools")
TEST_FOLDERS = ("tests",)
COMMENT_PREFIX = {".kasm": ";", ".py": "#", ".sh": "#", ".txt": "#", ".cmake": "#"}
CPP_SUFFIXES = (".cpp", ".h", ".inc")


def lines_of_code(lines, line_comment, block_start, block_end):
    """The lines that are neither comments nor inside blocks that start a line with
    block_start and end with block_end."""
    count, in_block = 0, False
    for line in lines:
        if in_block:
            in_block = block_end not in line
        elif line.startswith(block_start):
            in_block = block_end not in line[len(block_start):]
        elif not line.startswith(line_comment):
            count += 1
    return count


def counted_lines(path):
    """The lines that count and the non-blank lines of a file."""
    suffix = os.path.splitext(path)[1]
    if suffix not in CPP_SUFFIXES and suffix not in COMMENT_PREFIX:
        return 0, 0
    with open(path, encoding="utf-8", errors="replace") as source:
        lines = [line.strip() for line in source if line.strip()]
    if suffix in CPP_SUFFIXES:
        return lines_of_code(lines, "//", "/*", "*/"), len(lines)
    if suffix == ".py":
        return lines_of_code(lines, "#", '"""', '"""'), len(lines)
    return sum(1 for line in lines if not line.startswith(COMMENT_PREFIX[suffix])), len(lines)


def folder_lines(root, folders):
    counted, non_blank = 0, 0
    for folder in folders:
        for directory, _, names in os.walk(os.path.join(root, folder)):
            for name in names:
                lines = counted_lines(os.path.join(directory, name))
                counted, non_blank = counted + lines[0], non_blank + lines[1]
    return counted, non_blank


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    (code, code_non_blank), (tests, tests_non_blank) = (folder_lines(root, CODE_FOLDERS),
                                                        folder_lines(root, TEST_FOLDERS))
    print(f"code lines (Lib, src, tools): {code}")
    print(f"test lines (tests):           {tests}")
    print(f"tests / code:                 {100 * tests / code:.0f}%")
    print(f"with comments: {tests_non_blank} / {code_non_blank} = "
          f"{100 * tests_non_blank / code_non_blank:.0f}%")


if __name__ == "__main__":
    main()
