#!/usr/bin/env python3
"""Runs each benchmark program with kestro and its Lua 5.4 twin, side by side.

For every pair it checks that both print the same result, takes the median CPU time
(user + system) of several runs of each, and reports the ratio ours / Lua. With
--callgrind it also counts the instructions kestro executes for each program under
valgrind (stable on a busy machine), minus those of an empty program (start-up and
shut-down). With --entries it also runs each program once with an entry profile
(KESTRO_ENTRY_PROFILE) and tabulates how many times each fused entry ran in each program.
The tables go to standard output and, with --results, to a Markdown file together with the
machine's facts.

Usage: compare.py --kestro PATH --asm PATH [--runs N] [--callgrind] [--entries]
                  [--results FILE]
"""

import argparse
import os
import platform
import re
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile

BENCH = os.path.dirname(os.path.abspath(__file__))
PROGRAMS = ["fib", "tak", "loop", "compiled_loop", "collatz", "strings", "scan", "words",
            "calls", "alloc", "compiled_sieve", "compiled_matrix", "compiled_filter",
            "compiled_sort", "compiled_particles", "compiled_queens", "compiled_search",
            "compiled_coins", "compiled_quicksort", "compiled_histogram", "churn"]
# Programs whose Lua twin has another name.
LUA_TWINS = {"compiled_sieve": "sieve", "compiled_loop": "loop"}
EMPTY = """; An empty program: start-up and shut-down only.
.frame plain
.function "main" main, plain
.code
main:
    native System, 1
"""


def cpu_time(command, cwd, env):
    """Runs the command; returns (CPU seconds of the child, its combined output)."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    result = subprocess.run(command, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, check=False)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    seconds = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    if result.returncode != 0:
        sys.exit(f"{' '.join(command)} failed:\n{result.stdout.decode(errors='replace')}")
    return seconds, result.stdout.decode("latin-1")


def our_result(output):
    lines = [line[5:] for line in output.splitlines() if line.startswith("LOG: ")]
    return lines[-1] if lines else None


def instructions(command, cwd, env):
    with tempfile.NamedTemporaryFile(suffix=".callgrind") as out:
        subprocess.run(["valgrind", "--tool=callgrind", "--callgrind-out-file=" + out.name,
                        *command], cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        summary = re.search(rb"^summary: (\d+)", open(out.name, "rb").read(), re.M)
        return int(summary.group(1))


def fused_entries(command, cwd, env):
    """How many times each fused kind of entry ran: the entry profile's lines whose names
    are fused kinds (capitalised), not instruction mnemonics."""
    with tempfile.NamedTemporaryFile(suffix=".profile") as profile:
        subprocess.run(command, cwd=cwd, env=dict(env, KESTRO_ENTRY_PROFILE=profile.name),
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=True)
        lines = (line.split() for line in open(profile.name, encoding="utf-8"))
        return {name: int(count) for name, count in lines if name[0].isupper()}


def entry_table(entries):
    """Fused kinds by rows, programs by columns; a kind that ran in one program only is
    marked with *."""
    names = list(entries)
    kinds = sorted({kind for counts in entries.values() for kind in counts})
    lines = ["| entry | " + " | ".join(names) + " |", "|---|" + "---|" * len(names)]
    for kind in kinds:
        counts = [entries[name].get(kind, 0) for name in names]
        mark = " *" if sum(1 for count in counts if count) == 1 else ""
        cells = (f"{count:,}" if count else "-" for count in counts)
        lines.append(f"| {kind}{mark} | " + " | ".join(cells) + " |")
    return "\n".join(lines)


# A family of fused kinds is one sequence that the decoder makes by one rule, with its
# comparison or operation, the form of the value it stores, or the width of the element
# as a parameter (FusedKinds.h): PickConstLessBranch and PickConstEqualBranch are both
# pick; push; compare; jz, SlotWordStorePick and SlotElementStoreConst both a[i] = v,
# Update and SlotWordUpdate both x op= v (through an address, or a[i] spelled twice), and
# StepLessBranch and CountedLessBranch both a counted loop's step and test, whose step is
# 1 or a slot and whose bound is a constant or a slot; SlotStoreWordLoad and
# SlotStorePickedWordLoad both x = a[i], the array variable in a slot or its address.
# A comparison's operand pushed just before it is a constant or a slot's value: PickLess-
# Branch is ConstLessBranch with pick for push; an element compared is a local array's or
# a passed one's: PickedWordLessBranch is SlotWordLessBranch with pick for addr.
OPERAND_FORMS = {"Pick": "Const", "PickedElement": "SlotElement"}
COMPARED = re.compile(r"^(.*?)(?:LessEqual|GreaterEqual|NotEqual|Equal|Less|Greater)Branch$")
OPERATED = re.compile(r"^(PickConst|Const|PushPickConst|SlotPickConst|SlotPickPick|PickPick|Pick)"
                      r"(?:ShiftLeft|ShiftRight|Add|Sub|Mul|And|Or|Xor|Div|Rem)(Store)?$")
STORED = re.compile(r"^(.*Store)(?:Const|Pick|Operate|Slot)$")
# x op= v: through the address on top, or a[i] = a[i] op v of a local array.
UPDATED = re.compile(r"^(?:SlotElement)?Update$")
# A slot's step up or down: addr a; inc.at or dec.at.
STEPPED = re.compile(r"^Slot(?:Increment|Decrement)$")
# An element found through addr v or pick v (a local array, or one passed by address),
# whose address or first word the entry leaves; a scaled index is a form of the computed
# one.
FOUND = re.compile(r"^(?:Slot|Picked)(?:Scaled)?(Indexed)?Element(?:Address|Load)$")
# A constant operation after another operation, stored or not: x = (y op c) op d, x = (y op
# z) op d, v op c op d.
CHAINED = re.compile(r"^(?:SlotStore|SlotPickPick|Const)Chain$")
# An object's field through pick v: its address, its value, or both.
FIELD = re.compile(r"^PickField(?:Load|DupLoad)?$")
# Entries of one instruction each: the decoded form of a jump, a call, a return or a hot
# native, not a sequence.
SINGLE = {"BranchIfZero", "Jump", "Call", "Return", "ElementAddress", "ElementValue",
          "ArraySize", "StringCharAt", "StringLength"}


def family(kind):
    if kind in SINGLE:
        return kind + " (one instruction)"
    kind = kind.replace("Word", "Element").replace("Counted", "Step").replace("StorePicked", "Store")
    if match := COMPARED.match(kind):
        return OPERAND_FORMS.get(match.group(1), match.group(1)) + "<op>Branch"
    if match := OPERATED.match(kind):
        return match.group(1) + "<op>" + (match.group(2) or "")
    if match := STORED.match(kind):
        return match.group(1) + "<value>"
    if UPDATED.match(kind):
        return "<address>Update"
    if STEPPED.match(kind):
        return "Slot<step>"
    if CHAINED.match(kind):
        return "<start>Chain"
    if FIELD.match(kind):
        return "PickField<answer>"
    if match := FOUND.match(kind):
        return "<variable>" + (match.group(1) or "") + "Element<answer>"
    return kind


def family_table(entries):
    """The programs in which each family of fused kinds ran; * marks a family that ran in
    one program only."""
    programs = {}
    for name, counts in entries.items():
        for kind in counts:
            programs.setdefault(family(kind), []).append(name)
    lines = ["| sequence | programs |", "|---|---|"]
    for shape, names in sorted(programs.items()):
        mark = " *" if len(set(names)) == 1 and "(" not in shape else ""
        lines.append(f"| {shape}{mark} | {', '.join(sorted(set(names)))} |")
    return "\n".join(lines)


def assemble(assembler, source_text, directory):
    os.makedirs(directory, exist_ok=True)
    source = os.path.join(directory, "program.kasm")
    with open(source, "w", encoding="utf-8") as out:
        out.write(source_text)
    subprocess.run([assembler, source, "-o", os.path.join(directory, "index.mcb")], check=True)


def machine_facts():
    cpu = "unknown"
    with open("/proc/cpuinfo", encoding="utf-8") as info:
        for line in info:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    lua = subprocess.run(["lua5.4", "-v"], capture_output=True, text=True).stdout.strip()
    compiler = subprocess.run(["c++", "--version"], capture_output=True, text=True).stdout
    return [f"CPU: {cpu}, {os.cpu_count()} cores", f"System: {platform.platform()}",
            f"Compiler: {compiler.splitlines()[0]}", f"Lua: {lua}"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--kestro", required=True)
    parser.add_argument("--asm", required=True)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--callgrind", action="store_true")
    parser.add_argument("--entries", action="store_true")
    parser.add_argument("--results")
    parser.add_argument("programs", nargs="*", default=PROGRAMS)
    args = parser.parse_args()

    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    kestro = [os.path.abspath(args.kestro)]
    rows, entries = [], {}
    with tempfile.TemporaryDirectory(prefix="kestro-bench-") as work:
        empty = os.path.join(work, "empty")
        assemble(args.asm, EMPTY, empty)
        baseline = instructions(kestro, empty, env) if args.callgrind else 0
        for name in args.programs:
            directory = os.path.join(work, name)
            with open(os.path.join(BENCH, name + ".kasm"), encoding="utf-8") as source:
                assemble(args.asm, source.read(), directory)
            ours, lua = [], []
            for _ in range(args.runs):
                seconds, output = cpu_time(kestro, directory, env)
                ours.append(seconds)
                expected = our_result(output)
                twin = os.path.join(BENCH, LUA_TWINS.get(name, name) + ".lua")
                seconds, output = cpu_time(["lua5.4", twin], BENCH, env)
                lua.append(seconds)
                if output.strip() != expected:
                    sys.exit(f"{name}: kestro logged {expected!r}, Lua printed {output.strip()!r}")
            count = instructions(kestro, directory, env) - baseline if args.callgrind else None
            rows.append((name, statistics.median(ours), statistics.median(lua), count))
            if args.entries:
                entries[name] = fused_entries(kestro, directory, env)

    lines = ["| benchmark | kestro (s) | Lua 5.4 (s) | ratio kestro/Lua | kestro instructions |",
             "|---|---|---|---|---|"]
    for name, ours, lua, count in rows:
        counted = f"{count:,}" if count is not None else "-"
        lines.append(f"| {name} | {ours:.3f} | {lua:.3f} | {ours / lua:.2f} | {counted} |")
    table = "\n".join(lines)
    print(table)
    if entries:
        entry_text = ("Fused entries run per program, from an entry profile of one run each; a "
                      "kind not listed ran in none of them, and * marks a kind that ran in "
                      "one program only:\n\n" + entry_table(entries))
        entry_text += ("\n\nThe same by family: the kinds that one rule of the decoder makes "
                       "for each comparison or operation (<op>), each form of a stored value "
                       "(<value>) or each width of element (Element for Word) together; * "
                       "marks a family of sequences that ran in one program only:\n\n" +
                       family_table(entries))
        print("\n" + entry_text)
        table += "\n\n## Fused entries\n\n" + entry_text
    if args.results:
        with open(args.results, "w", encoding="utf-8") as out:
            out.write("# Benchmark results\n\n")
            out.write(f"Median CPU time (user + system) of {args.runs} runs of each program, "
                      "measured side by side in one run of `bench/compare.sh`; instructions "
                      "counted by callgrind, less those of an empty program. bench/NOTES.md says "
                      "how to read the figures.\n\n")
            out.write(table + "\n\n## Machine\n\n")
            out.write("\n".join("- " + fact for fact in machine_facts()) + "\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
