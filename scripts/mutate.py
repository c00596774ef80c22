#!/usr/bin/env python3
"""Measures which faults the test suite catches.

Takes a fixed, seeded sample of small faults ("mutants") in the C++ sources under Lib/
and src/ (not the headers, but the .inc fragments that a source includes) and applies them
one at a time: each is built incrementally in a build directory of its own (build/mutate)
and the suite runs until its first failure. A failure kills the mutant; a mutant that
passes every test survives. At the end the script prints the share
of mutants killed, overall and for Lib/VirtualMachine/src/, and lists the survivors.

The kinds of mutants:
  flip      a comparison negated (== and !=, < and >=, > and <=)
  bound     a bound moved by one (< and <=, > and >=)
  drop      a statement removed
  swap      the operands of -, /, %, << or >> exchanged, or the two arguments of a call
  constant  an integer constant replaced (0 by 1, 1 by 0, N by N + 1), true by false

A mutant that does not compile is not counted. One whose object code is the same as the
original's is equivalent: it is counted apart and not run. The tests run in the order
most likely to fail quickly: first those that killed mutants of the same file before,
then the unit tests, then the end-to-end programs. The sources are restored after each
mutant, also when the script is interrupted. Results are kept in the build directory, so
a second run goes on where the first stopped (--fresh starts again).

usage: mutate.py [--sample N] [--seed S] [--under PATH] [--only N,...] [--list] [--timeout S]
                 [--build DIR]
"""
import argparse
import filecmp
import hashlib
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
SOURCE_FOLDERS = ("Lib", "src")
FOCUS = "Lib/VirtualMachine/src/"
# Headers are left out: a change to one rebuilds much of the tree, and the sample has to
# run in hours, not days.
SUFFIXES = (".cpp", ".inc")

FLIPPED = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">"}
MOVED = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
COMPARISON = re.compile(r" (==|!=|<=|>=|<|>) ")
OPERAND = r"(?:[A-Za-z_]\w*(?:\.\w+)*|\d+)"
SWAPPABLE = re.compile(rf"(?<![\w.>)\]])({OPERAND}) (-|/|%|<<|>>) ({OPERAND})(?![\w.(\[])")
# Calls whose two arguments may be exchanged without changing anything are left alone.
CALL_PAIR = re.compile(rf"(?<!max)(?<!min)(?<!swap)\(({OPERAND}), ({OPERAND})\)")
INTEGER = re.compile(r"(?<![\w.])(0[xX][0-9A-Fa-f]+|\d+)([uUlL]*)(?![\w.])")
BOOLEAN = re.compile(r"\b(true|false)\b")
# A statement that does something on one line: an assignment, an increment or a call.
EFFECT = re.compile(r"^(?:\*?[A-Za-z_][\w.\->\[\]*]*\s*(?:[-+*/%&|^]|<<|>>)?=[^=]"
                    r"|(?:\+\+|--)\w|[A-Za-z_][\w:.\->\[\]]*(?:\+\+|--);"
                    r"|[A-Za-z_][\w:.\->\[\]]*(?:<[\w:, ]*>)?\(.*\);$)")
NOT_DROPPED = ("return", "case ", "default", "break", "continue", "using ", "typedef ", "throw ")
SKIPPED_LINES = ("#", "static_assert", "case ", "template", "alignas", "virtual ")
# Where a swapped pair of operands must stand alone: what may come before and after it.
OPEN_BEFORE = ("", "(", "=", ",", "[", "{", "return", "?", ":", "&&", "||")
CLOSE_AFTER = ("", ")", ";", ",", "]", "}", "?", ":", "&&", "||", "==", "!=", "<", ">")


class Mutant:
    def __init__(self, path, line, column, old, new, kind):
        self.path, self.line, self.column = path, line, column
        self.old, self.new, self.kind = old, new, kind

    @property
    def key(self):
        return f"{self.path}:{self.line}:{self.column}:{self.kind}:{self.new}"

    def describe(self, text):
        shown = text.strip()
        changed = (text[: self.column] + self.new + text[self.column + len(self.old):]).strip()
        return f"{self.path}:{self.line} {self.kind}: {shown}  =>  {changed or '(removed)'}"


def masked(line):
    """The line with the insides of its texts and characters blanked and its trailing
    comment removed, so that patterns only see code; positions are kept."""
    out, quote, escaped = [], None, False
    for index, c in enumerate(line):
        if quote:
            if escaped:
                escaped = False
            elif c == "\\":
                escaped = True
            elif c == quote:
                quote = None
                out.append(c)
                continue
            out.append("\x01")
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", index):
            break
        else:
            out.append(c)
    return "".join(out)


def stands_alone(code, start, end):
    before, after = code[:start].rstrip(), code[end:].lstrip()
    return (any(before.endswith(token) for token in OPEN_BEFORE)
            and any(after.startswith(token) for token in CLOSE_AFTER))


def line_mutants(path, number, code, previous):
    stripped = code.strip()
    if not stripped or stripped.startswith(SKIPPED_LINES):
        return []
    offset = len(code) - len(code.lstrip())
    found = []
    for match in COMPARISON.finditer(code):
        operator, at = match.group(1), match.start(1)
        found.append(Mutant(path, number, at, operator, FLIPPED[operator], "flip"))
        if operator in MOVED:
            found.append(Mutant(path, number, at, operator, MOVED[operator], "bound"))
    for match in SWAPPABLE.finditer(code):
        left, operator, right = match.groups()
        if left != right and stands_alone(code, match.start(), match.end()):
            found.append(Mutant(path, number, match.start(), match.group(0),
                                f"{right} {operator} {left}", "swap"))
    for match in CALL_PAIR.finditer(code):
        first, second = match.group(1), match.group(2)
        if first != second:
            found.append(Mutant(path, number, match.start(1), f"{first}, {second}",
                                f"{second}, {first}", "swap"))
    for match in INTEGER.finditer(code):
        text = match.group(1)
        value = int(text, 0)
        replaced = {0: 1, 1: 0}.get(value, value + 1)
        new = hex(replaced) if text.lower().startswith("0x") else str(replaced)
        found.append(Mutant(path, number, match.start(1), text, new, "constant"))
    for match in BOOLEAN.finditer(code):
        new = "false" if match.group(1) == "true" else "true"
        found.append(Mutant(path, number, match.start(1), match.group(1), new, "constant"))
    statement_starts = previous.endswith((";", "{", "}")) or previous.startswith("case ")
    if (statement_starts and stripped.endswith(";") and not stripped.startswith(NOT_DROPPED)
            and EFFECT.match(stripped)):
        found.append(Mutant(path, number, offset, stripped, "{}", "drop"))
    return found


def file_mutants(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as source:
        lines = source.read().split("\n")
    found, previous, in_comment = [], ";", False
    for number, line in enumerate(lines, 1):
        stripped = line.strip()
        if in_comment or stripped.startswith("/*"):
            in_comment = "*/" not in stripped
            continue
        code = masked(line).rstrip()
        if line.rstrip().endswith("\\") or previous.endswith("\\"):
            previous = line.rstrip()  # a macro definition goes on
            continue
        found += line_mutants(path, number, code, previous)
        if code.strip():
            previous = code.strip()
    return found


def all_mutants(under=None):
    """The mutants of every source file, or of those under the folder or file `under`."""
    found = []
    for folder in SOURCE_FOLDERS:
        for directory, _, names in sorted(os.walk(os.path.join(ROOT, folder))):
            for name in sorted(names):
                path = os.path.relpath(os.path.join(directory, name), ROOT)
                if name.endswith(SUFFIXES) and within(path, under):
                    found += file_mutants(path)
    return found


def within(path, under):
    if under is None:
        return True
    under = os.path.normpath(under)
    return path == under or path.startswith(under + os.sep)


def sampled(count, seed, under=None):
    """The `count` mutants whose keys hash lowest with the seed, in that order: a change to
    one file leaves the choice in the others as it was, a smaller sample is the start of a
    larger one, and so is a run stopped early. With `under`, only the mutants of the
    sources there are drawn from."""
    mutants = all_mutants(under)
    mutants.sort(key=lambda mutant: hashlib.sha256(f"{seed}:{mutant.key}".encode()).digest())
    return mutants[:count], len(mutants)


class Build:
    """The mutation build directory: its objects, a pristine copy of them, the suite."""

    def __init__(self, directory, timeout):
        self.directory = os.path.abspath(directory)
        self.pristine = os.path.join(self.directory, "pristine-objects")
        self.timeout = timeout

    def run(self, command, timeout, cwd=None):
        try:
            result = subprocess.run(command, cwd=cwd or self.directory, stdin=subprocess.DEVNULL,
                                    stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                    timeout=timeout, start_new_session=True)
            return result.returncode, result.stdout.decode("utf-8", "replace")
        except subprocess.TimeoutExpired as expired:
            return None, (expired.output or b"").decode("utf-8", "replace")

    def prepare(self):
        # The normal build's optimisation without its debug information, which only slows
        # the many compilations down.
        subprocess.run(["cmake", "-S", ROOT, "-B", self.directory, "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"],
                       check=True, stdout=subprocess.DEVNULL)
        status, output = self.run(["ninja", "-j2"], None)
        if status != 0:
            sys.exit("the unmutated sources do not build:\n" + output[-3000:])
        killer = self.failing_test([])
        if killer:
            sys.exit(f"the unmutated sources fail the test {killer}")
        shutil.rmtree(self.pristine, ignore_errors=True)
        for path in self.objects():
            copy = os.path.join(self.pristine, os.path.relpath(path, self.directory))
            os.makedirs(os.path.dirname(copy), exist_ok=True)
            shutil.copyfile(path, copy)

    def objects(self):
        for directory, names, files in os.walk(self.directory):
            names[:] = [name for name in names if name != "pristine-objects"]
            for name in files:
                if name.endswith(".o"):
                    yield os.path.join(directory, name)

    def object_times(self):
        return {path: os.stat(path).st_mtime_ns for path in self.objects()}

    def rebuilt_since(self, times):
        return [path for path, mtime in self.object_times().items() if times.get(path) != mtime]

    def pristine_copy(self, path):
        return os.path.join(self.pristine, os.path.relpath(path, self.directory))

    def restore_objects(self, paths):
        for path in paths:
            if os.path.exists(self.pristine_copy(path)):
                shutil.copyfile(self.pristine_copy(path), path)

    def same_as_pristine(self, paths):
        return all(os.path.exists(self.pristine_copy(path))
                   and filecmp.cmp(path, self.pristine_copy(path), shallow=False)
                   for path in paths)

    def failing_test(self, first_tests):
        """The first test that fails, in stages; None when all pass."""
        stages = []
        if first_tests:
            stages.append(["-R", "^(" + "|".join(re.escape(name) for name in first_tests) + ")$"])
        stages += [["-LE", "e2e"], ["-L", "e2e"]]
        for stage in stages:
            status, output = self.run(["ctest", "-j2", "--stop-on-failure", "--timeout",
                                       str(self.timeout)] + stage, self.timeout * 20)
            if status != 0:
                failed = re.findall(r"^\s*\d+ - (.+?) \(", output, re.M)
                return failed[0] if failed else "(the test run timed out)"
        return None


def restore_on_signals():
    def interrupt(signum, frame):
        raise KeyboardInterrupt
    signal.signal(signal.SIGTERM, interrupt)


def try_mutant(build, mutant, killers):
    """Applies the mutant, builds and tests it, and restores the sources: returns the
    outcome ("killed", "survived", "equivalent", "uncompiled") and the killing test."""
    path = os.path.join(ROOT, mutant.path)
    with open(path, encoding="utf-8") as source:
        original = source.read()
    times = os.stat(path)
    lines = original.split("\n")
    text = lines[mutant.line - 1]
    if text[mutant.column:mutant.column + len(mutant.old)] != mutant.old:
        return "stale", None  # the sources changed since the sample was taken
    lines[mutant.line - 1] = text[: mutant.column] + mutant.new + text[mutant.column + len(mutant.old):]
    objects = build.object_times()
    rebuilt = []
    try:
        with open(path, "w", encoding="utf-8") as source:
            source.write("\n".join(lines))
        status, output = build.run(["ninja", "-j2"], build.timeout * 10)
        rebuilt = build.rebuilt_since(objects)
        if status != 0:
            compile_failed = re.search(r"^FAILED: \S+\.o\b", output, re.M)
            return ("uncompiled", None) if compile_failed or status is None else ("killed", "(build)")
        if build.same_as_pristine(rebuilt):
            return "equivalent", None
        killer = build.failing_test(killers.get(mutant.path, [])[:5])
        return ("killed", killer) if killer else ("survived", None)
    finally:
        with open(path, "w", encoding="utf-8") as source:
            source.write(original)
        os.utime(path, ns=(times.st_atime_ns, times.st_mtime_ns))
        build.restore_objects(rebuilt or build.rebuilt_since(objects))


def share(outcomes):
    counted = [outcome for outcome in outcomes if outcome in ("killed", "survived")]
    killed = counted.count("killed")
    if not counted:
        return "no mutant counted"
    return f"{killed} of {len(counted)} killed ({100 * killed / len(counted):.1f}%)"


def report(mutants, results):
    outcomes = [results[m.key]["outcome"] for m in mutants if m.key in results]
    focus = [results[m.key]["outcome"] for m in mutants
             if m.key in results and m.path.startswith(FOCUS)]
    print()
    for name in ("killed", "survived", "equivalent", "uncompiled", "stale"):
        print(f"{name:>11}: {outcomes.count(name)}")
    print(f"overall: {share(outcomes)}")
    print(f"{FOCUS}: {share(focus)}")
    survivors = [m for m in mutants if results.get(m.key, {}).get("outcome") == "survived"]
    if survivors:
        print("\nsurvivors:")
        for mutant in survivors:
            print("  " + results[mutant.key]["description"])


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--sample", type=int, default=300, help="mutants to try (default 300)")
    parser.add_argument("--seed", type=int, default=16, help="seed of the sample (default 16)")
    parser.add_argument("--under", metavar="PATH",
                        help="draw the sample only from the sources under this folder or file")
    parser.add_argument("--only", help="try only these mutants of the sample (numbers from --list)")
    parser.add_argument("--list", action="store_true", help="list the sample and stop")
    parser.add_argument("--timeout", type=int, default=60,
                        help="seconds a test may take (default 60)")
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "mutate"),
                        help="build directory (default build/mutate)")
    parser.add_argument("--fresh", action="store_true", help="forget earlier results")
    args = parser.parse_args()

    mutants, total = sampled(args.sample, args.seed, args.under)
    print(f"{len(mutants)} mutants sampled from {total} (seed {args.seed})", flush=True)
    if args.list:
        for number, mutant in enumerate(mutants, 1):
            print(f"{number:4} {mutant.describe(line_at(mutant))}")
        return 0
    if args.only:
        mutants = [mutants[int(number) - 1] for number in args.only.split(",")]

    build = Build(args.build, args.timeout)
    results_path = os.path.join(build.directory, "results.json")
    results = {}
    if os.path.exists(results_path) and not args.fresh and not args.only:
        with open(results_path, encoding="utf-8") as saved:
            results = json.load(saved)
    restore_on_signals()
    build.prepare()
    killers = {}
    for entry in results.values():
        if entry.get("killer"):
            killers.setdefault(entry["path"], []).insert(0, entry["killer"])
    try:
        for number, mutant in enumerate(mutants, 1):
            if mutant.key in results and not args.only:
                continue
            description = mutant.describe(line_at(mutant))
            started = time.monotonic()
            outcome, killer = try_mutant(build, mutant, killers)
            seconds = time.monotonic() - started
            if killer and not killer.startswith("("):
                paths = killers.setdefault(mutant.path, [])
                paths[:] = [killer] + [name for name in paths if name != killer]
            results[mutant.key] = {"outcome": outcome, "killer": killer, "path": mutant.path,
                                   "description": description, "seconds": round(seconds)}
            by = f" by {killer}" if killer else ""
            print(f"[{number}/{len(mutants)}] {outcome}{by} ({seconds:.0f} s): {description}",
                  flush=True)
            if not args.only:
                with open(results_path, "w", encoding="utf-8") as saved:
                    json.dump(results, saved, indent=1)
    except KeyboardInterrupt:
        print("interrupted; the sources are restored", flush=True)
        return 130
    report(mutants, results)
    return 0


def line_at(mutant):
    with open(os.path.join(ROOT, mutant.path), encoding="utf-8") as source:
        return source.read().split("\n")[mutant.line - 1]


if __name__ == "__main__":
    sys.exit(main())
