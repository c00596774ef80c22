#!/usr/bin/env python3
"""End-to-end runner for assembly test programs.

Each program is assembled with kestro-asm into a fresh application directory as
index.mcb, kestro is started there, and the diagnostic lines it writes to standard
error ("LOG: ..." and "FATAL: ...") and its exit status are compared with the
expectations written in the program's own comments:

    ; expect: LOG: 5              one expected line, exact match, in order
    log_int  ; => 5               the same for a LOG line, written after the code that logs
                                  it; a line may end with several ("; => 5 ; => 6")
    ; expect-prefix: LOG: VMExc   one expected line that must start with this text
    ; expect-status: 1            expected exit status (default 0)
    ; expect-env: NAME=VALUE      set an environment variable for the run; {dir} in the
                                  value stands for the application directory
    ; arguments: ARGUMENT ...     kestro's command-line arguments
    ; expect-file: NAME: TEXT     one expected line of the file NAME in the application
                                  directory after the run (UTF-8), in order
    ; expect-no-file: NAME        nothing (no file, no directory) may be called NAME in
                                  the application directory after the run
    ; given-file: NAME: TEXT      one line (TEXT and a line feed, UTF-8) of the file NAME,
                                  created in the application directory, with its missing
                                  directories, before the run; lines in order
    ; given-image: NAME: ROW      one row of pixels of the PNG image NAME, created before
                                  the run; rows in order, one character a pixel (the
                                  characters are listed in png_image.py)
    ; expect-bus: none            run without a system bus (normally a private
                                  dbus-daemon stands in for it)
    ; display-status: LINE -> S   when the program writes LINE, send the display-status
                                  signal with the status S on the bus (in order)
    ; sensor: ORIENTATION         a fake of the system's sensor service (fake_sensor.py) on
                                  the bus reports ORIENTATION; the claims and releases it
                                  gets are written to the file sensor.calls in the
                                  application directory
    ; expect-signal: PATH NAME     the run sends these signals (NAME: interface.member) on
                                  the bus, in order, and no others
    ; expect-stderr: TEXT         one line of standard error is exactly TEXT (any line,
                                  LOG and FATAL lines included)
    ; given-bytes: NAME: HEX N    a file of N copies of the bytes HEX (two digits a byte;
                                  zeros make a sparse file) is created in the application
                                  directory before the run
    ; expect-runs: NAME COUNT ... entries of the kind NAME ran exactly COUNT times (0: none
                                  ran), and so on for each pair; the kinds are the fused
                                  kinds and the mnemonics that kestro's entry profile
                                  (KESTRO_ENTRY_PROFILE) counts

    ; sound-server: silent        PULSE_SERVER names a socket that takes connections and
                                  never answers

Sound: runs have no sound server (PULSE_SERVER names none) unless expect-env gives one.

Window programs run on a private X server instead of Qt's offscreen platform:

    ; x-screen: 800x480           run on an Xvfb screen of that size, with Qt's xcb platform
    ; before-start: ACTION        do ACTION on the X server before kestro starts
    ; on: LINE -> ACTION; ...     when the program writes LINE, do the actions in order; the
                                  display-status directives belong to the same sequence
    ; expect-pixels: SHOT: X Y W H RRGGBB
                                  every pixel of the rectangle of the screenshot SHOT has
                                  the colour (hexadecimal)

Actions (x_display.py does them): display-status S; sensor ORIENTATION (the fake sensor
turns; display-status and sensor need no X server); key NAME, key-down NAME, key-up NAME
and key-hold NAME MS (xdotool key names; held keys repeat as the server repeats them);
mouse-down X Y, mouse-move X Y, mouse-up X Y (button 1); focus (the input focus to
kestro's window); minimize and restore (the WM_STATE a window manager writes);
set-root-window PROPERTY VALUE (a root-window property of type WINDOW); xprop ARGS (its
output lines are reported as "XPROP: ..." lines in the sequence, {window} stands for
kestro's window); screenshot SHOT (taken again for a few seconds until the shot's
expect-pixels hold, so that the window has shown what was drawn); png SHOT PATTERN (the
first new file matching the glob PATTERN in the application directory, read as the
screenshot SHOT once it is a complete PNG file). With the variable KESTRO_E2E_SHOTS
naming a directory, every screenshot is also saved there as a PNG file. Besides the LOG
and FATAL lines, kestro's "Screenshot saved to ..." lines are compared.

Expectation comments must stand on a line of their own. A program with no
expectation comment at all is reported as an error, so that a forgotten
expectation cannot pass silently.

A program may hold several cases, each run on its own:

    ; case: NAME                  starts a case; it runs the lines before the first case
                                  and its own lines up to the next case (the other
                                  cases' lines are left out); its expectations are those
                                  before the first case, then its own (its expect-status
                                  replaces theirs)

Programs include tests/e2e/prelude.kasm, whose comments describe the checks it offers
(a case is then a line or two).

Usage: run_e2e.py --asm PATH --kestro PATH [--timeout S] [--assemble-only] FILE...
"""

import argparse
import contextlib
import difflib
import os
import re
import socket
import subprocess
import sys
import tempfile
import threading

from png_image import png_bytes
from private_bus import NO_BUS, PrivateBus, SignalMonitor
from window_driver import WindowDriver
from x_display import XServer

# The expected LOG lines that close a line of code.
LOGGED = " ; => "
CASE = re.compile(r"^\s*;\s*case:\s*(\S+)\s*$")
INCLUDE = re.compile(r'(\.include\s+")([^"]+)(")')
REPORTED_PREFIXES = (b"LOG: ", b"FATAL: ", b"XPROP: ", b"Screenshot saved to ")
NO_SOUND_SERVER = "unix:/nonexistent/kestro-no-sound-server"


class ProgramError(Exception):
    """A program whose expectations cannot be read."""


class Expectation:
    """What one run of a program expects, read from its directives in order."""

    def __init__(self):
        self.lines = []  # list of (kind, text): kind is "exact" or "prefix"
        self.status = 0
        self.env = {}
        self.files = {}  # file name -> expected lines
        self.absent = []  # names that must not exist
        self.given = {}  # file name -> lines written before the run
        self.images = {}  # image file name -> rows of pixel characters
        self.bus = True
        self.actions = []  # (line, [action words, ...]) in order
        self.screen = None  # (width, height) of the X server's screen, or None: offscreen
        self.before_start = []  # action words
        self.pixels = {}  # screenshot name -> [(x, y, width, height, colour)]
        self.arguments = []
        self.signals = []  # "PATH interface.member", in order
        self.stderr = []  # lines that standard error must hold
        self.byte_files = {}  # file name -> (bytes, copies), made before the run
        self.silent_sound_server = False
        self.sensor = None  # the fake sensor's first orientation
        self.runs = {}  # entry kind -> how many times its entries run

    # A reader a directive (read_before_start reads before-start): each reads the
    # directive's value or raises ValueError with the form the directive takes.
    def read_expect(self, value):
        self.lines.append(("exact", value))

    def read_expect_prefix(self, value):
        need(value, "expect-prefix needs a text")
        self.lines.append(("prefix", value))

    def read_expect_status(self, value):
        self.status = int(value.strip())

    def named_lines(self, files, value, kind):
        name, colon, text = value.partition(": ")
        need(colon and name, f"{kind} needs NAME: TEXT")
        files.setdefault(name, []).append(text)

    def read_expect_file(self, value):
        self.named_lines(self.files, value, "expect-file")

    def read_given_file(self, value):
        self.named_lines(self.given, value, "given-file")

    def read_given_image(self, value):
        self.named_lines(self.images, value, "given-image")

    def read_expect_runs(self, value):
        words = value.split()
        need(words and len(words) % 2 == 0 and all(count.isdigit() for count in words[1::2]),
             "expect-runs needs NAME COUNT pairs")
        self.runs.update(zip(words[::2], map(int, words[1::2])))

    def read_expect_no_file(self, value):
        need(value.strip(), "expect-no-file needs a NAME")
        self.absent.append(value.strip())

    def read_on(self, value, prefix=""):
        line, arrow, actions = value.partition(" -> ")
        need(arrow, "needs LINE -> ACTION")
        self.actions.append((line, [(prefix + action).split() for action in actions.split(";")]))

    def read_display_status(self, value):
        self.read_on(value, "display-status ")

    def read_x_screen(self, value):
        width, cross, height = value.strip().partition("x")
        need(cross and width.isdigit() and height.isdigit(), "x-screen needs WIDTHxHEIGHT")
        self.screen = (int(width), int(height))

    def read_before_start(self, value):
        self.before_start.append(value.split())

    def read_expect_pixels(self, value):
        name, colon, area = value.partition(": ")
        fields = area.split()
        need(colon and len(fields) == 5, "expect-pixels needs SHOT: X Y W H RRGGBB")
        rectangle = tuple(int(field) for field in fields[:4])
        self.pixels.setdefault(name, []).append((*rectangle, int(fields[4], 16)))

    def read_arguments(self, value):
        self.arguments += value.split()

    def read_expect_signal(self, value):
        self.signals.append(" ".join(value.split()))

    def read_expect_stderr(self, value):
        self.stderr.append(value)

    def read_given_bytes(self, value):
        name, _, content = value.partition(": ")
        fields = content.split()
        need(len(fields) == 2, "given-bytes needs NAME: HEX COUNT")
        self.byte_files[name] = (bytes.fromhex(fields[0]), int(fields[1]))

    def read_sound_server(self, value):
        need(value.strip() == "silent", "sound-server takes 'silent'")
        self.silent_sound_server = True

    def read_sensor(self, value):
        self.sensor = value.strip()

    def read_expect_bus(self, value):
        need(value.strip() == "none", "expect-bus takes 'none'")
        self.bus = False

    def read_expect_env(self, value):
        name, equals, setting = value.strip().partition("=")
        need(equals and name, "expect-env needs NAME=VALUE")
        self.env[name] = setting


def need(condition, form):
    if not condition:
        raise ValueError(form)


DIRECTIVE = re.compile(r"^\s*;\s*(" + "|".join(name[5:].replace("_", "-") for name in vars(
    Expectation) if name.startswith("read_")) + r"): ?(.*)$")


def read_expectations(path, numbered_lines):
    expectation, seen = Expectation(), False
    for number, line in numbered_lines:
        if match := DIRECTIVE.match(line.rstrip("\r\n")):
            kind, value = match.groups()
            try:
                getattr(expectation, "read_" + kind.replace("-", "_"))(value)
            except ValueError as error:
                raise ProgramError(f"{path}:{number}: {kind}: {error}")
            seen = True
        elif LOGGED in line:
            expectation.lines += [("exact", "LOG: " + text) for text in
                                  line.rstrip("\r\n").split(LOGGED)[1:]]
            seen = True
    if not seen:
        raise ProgramError(f"{path}: no expectation comments (; expect: ...)")
    return expectation


class Run:
    """One run of a program: the whole program, or one of its cases."""

    def __init__(self, path, name, expectation, lines=None):
        self.path, self.name, self.expectation = path, name, expectation
        self.lines = lines  # the source of a case; None: the program's file as it is

    def title(self):
        return f"{self.path} [{self.name}]" if self.name else self.path

    def source(self, directory):
        """The file to assemble: a case's lines, its includes made absolute."""
        if self.lines is None:
            return self.path
        folder = os.path.dirname(os.path.abspath(self.path))
        text = "\n".join(INCLUDE.sub(lambda match: match.group(1) + os.path.join(
            folder, match.group(2)) + match.group(3), line) for line in self.lines)
        path = os.path.join(directory, os.path.basename(self.path))
        with open(path, "w", encoding="utf-8") as written:
            written.write(text)
        return path


def read_runs(path):
    with open(path, encoding="utf-8") as source:
        lines = source.read().split("\n")
    starts = [index for index, line in enumerate(lines) if CASE.match(line)]
    numbered = list(enumerate(lines, 1))
    if not starts:
        return [Run(path, None, read_expectations(path, numbered))]
    common = numbered[: starts[0]]
    runs = []
    for start, end in zip(starts, starts[1:] + [len(lines)]):
        own = numbered[start:end]
        kept = [line if index < starts[0] or start <= index < end else ""
                for index, line in enumerate(lines)]
        runs.append(Run(path, CASE.match(lines[start]).group(1),
                        read_expectations(path, common + own), kept))
    return runs


def reported_lines(stderr_bytes):
    """The LOG and FATAL lines, in order. Log text is one byte per UTF-16 unit, so the
    bytes are read as Latin-1; the program's expectations are UTF-8 text."""
    return [raw.decode("latin-1") for raw in stderr_bytes.replace(b"\r\n", b"\n").split(b"\n")
            if raw.startswith(REPORTED_PREFIXES)]


def shown(expected, actual):
    """The expected lines as the actual lines must be: a prefix expectation that the
    actual line at the same place meets is that line, so that only real differences show
    in a diff; one that it does not meet ends in "..." (and so differs from it)."""
    lines = []
    for index, (kind, text) in enumerate(expected):
        if kind == "prefix":
            if index < len(actual) and actual[index].startswith(text):
                text = actual[index]
            else:
                text += "..."
        lines.append(text)
    return lines


def assembly_failures(assembler, run, directory):
    """Assembles the run's source into index.mcb in the directory; what went wrong."""
    source = run.source(directory)
    result = subprocess.run([assembler, source, "-o", os.path.join(directory, "index.mcb")],
                            stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.STDOUT, timeout=60)
    messages = result.stdout.decode("utf-8", "replace").replace(source, run.path).rstrip()
    return ["kestro-asm failed:\n" + messages] if result.returncode else []


def run_program(args, run, start_service=None):
    """Returns a list of failure descriptions (empty when the run passed). `start_service`,
    given the application directory, starts a service for the run: its `env` joins kestro's
    environment, its failures(directory) are asked once kestro has ended, and it is closed
    after."""
    expectation = run.expectation
    with tempfile.TemporaryDirectory(prefix="kestro-e2e-") as directory:
        failures = assembly_failures(args.asm, run, directory)
        if failures or args.assemble_only:
            return failures
        write_given_files(directory, expectation)
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", PULSE_SERVER=NO_SOUND_SERVER)
        profile = os.path.join(directory, "entry-profile.txt")  # for expect-runs
        if expectation.runs:
            env["KESTRO_ENTRY_PROFILE"] = profile
        services = contextlib.ExitStack()
        server = service = None
        try:
            if start_service:
                service = services.enter_context(contextlib.closing(start_service(directory)))
                env.update(service.env)
            if expectation.screen:
                server = services.enter_context(contextlib.closing(XServer(expectation.screen)))
                env.update(QT_QPA_PLATFORM="xcb", DISPLAY=server.display)
            env.update({name: value.replace("{dir}", directory)
                        for name, value in expectation.env.items()})
            if expectation.silent_sound_server:
                env["PULSE_SERVER"] = "unix:" + services.enter_context(
                    silent_socket(directory)).getsockname()
            bus = services.enter_context(contextlib.closing(PrivateBus(directory))) \
                if expectation.bus else None
            env["DBUS_SYSTEM_BUS_ADDRESS"] = bus.address if bus else NO_BUS
            if bus and expectation.sensor:
                bus.start_sensor(expectation.sensor, os.path.join(directory, "sensor.calls"))
            # Qt's X11 platform looks for a session bus; without an address, D-Bus would
            # start one for the X display. The private bus stands in for it too.
            env["DBUS_SESSION_BUS_ADDRESS"] = env["DBUS_SYSTEM_BUS_ADDRESS"]
            driver = WindowDriver(args.display_status_sender, bus, server, expectation.pixels,
                                  os.environ.get("KESTRO_E2E_SHOTS"), run.path, directory)
            for action in expectation.before_start:
                driver.do(action)
            monitor = SignalMonitor(bus.address) if expectation.signals else None
            try:
                result = run_kestro(args, directory, env, expectation, driver)
            finally:
                signals = monitor.stop(len(expectation.signals)) if monitor else []
            failures = service.failures(directory) if service else []
        except subprocess.TimeoutExpired as expired:
            return [f"timed out after {args.timeout} s",
                    "stderr so far:\n" + indent(expired.stderr or b"")]
        finally:
            services.close()
        failures += file_failures(directory, expectation.files)
        failures += absence_failures(directory, expectation.absent)
        failures += run_failures(profile, expectation.runs)
    failures += driver.failures + driver.shots_not_taken()
    failures += line_failures(expectation, result)
    if signals != expectation.signals:
        failures.append(f"signals on the bus: expected {expectation.signals}, got {signals}")
    failures += stderr_failures(expectation.stderr, result.stderr)
    if failures:
        failures.append("full stderr:\n" + indent(result.stderr))
    return failures


def run_kestro(args, directory, env, expectation, driver):
    """Runs kestro; while it runs, does the actions that wait for its lines. Lines that
    actions report join the collected output right after the line they waited for."""
    process = subprocess.Popen([os.path.abspath(args.kestro)] + expectation.arguments,
                               cwd=directory, env=env,
                               stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE)
    pending = list(expectation.actions)
    collected = []
    timed_out = threading.Event()

    def stop():
        timed_out.set()
        process.kill()

    timer = threading.Timer(args.timeout, stop)
    timer.start()
    try:
        for raw in process.stderr:
            collected.append(raw)
            line = raw.rstrip(b"\r\n").decode("latin-1")
            if pending and line == pending[0][0]:
                for action in pending.pop(0)[1]:
                    collected += driver.do(action)
        process.wait()
    finally:
        timer.cancel()
    stderr = b"".join(collected)
    if timed_out.is_set():
        raise subprocess.TimeoutExpired(args.kestro, args.timeout, stderr=stderr)
    return subprocess.CompletedProcess(process.args, process.returncode, b"", stderr)


def file_failures(directory, files):
    failures = []
    for name, expected in files.items():
        try:
            with open(os.path.join(directory, name), encoding="utf-8") as written:
                actual = written.read().splitlines()
        except (OSError, UnicodeDecodeError) as error:
            failures.append(f"file {name}: {error}")
            continue
        if actual != expected:
            diff = difflib.unified_diff(expected, actual, "expected", "actual", lineterm="")
            failures.append(f"file {name} differs:\n" + "\n".join("  " + line for line in diff))
    return failures


def write_given_files(directory, expectation):
    """The given files, byte files and images, made in the application directory."""
    for name, lines in expectation.given.items():
        path = os.path.join(directory, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8", newline="\n") as written:
            written.write("".join(line + "\n" for line in lines))
    for name, (pattern, copies) in expectation.byte_files.items():
        with open(os.path.join(directory, name), "wb") as written:
            if any(pattern):
                written.write(pattern * copies)
            else:
                written.truncate(len(pattern) * copies)
    for name, rows in expectation.images.items():
        with open(os.path.join(directory, name), "wb") as written:
            written.write(png_bytes(rows))


def silent_socket(directory):
    """A socket that takes connections (into its backlog) and never answers."""
    listening = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    listening.bind(os.path.join(directory, "silent-sound-server"))
    listening.listen(8)
    return listening


def stderr_failures(expected, stderr_bytes):
    lines = stderr_bytes.decode("latin-1").splitlines()
    return [f"no line of standard error is '{text}'" for text in expected if text not in lines]


def run_failures(profile, runs):
    """How the counts of the entry profile differ from those expected."""
    if not runs:
        return []
    try:
        with open(profile, encoding="utf-8") as written:
            counts = dict(line.split() for line in written)
    except OSError as error:
        return [f"entry profile: {error}"]
    return [f"entries {name}: expected {count} runs, got {counts.get(name, 0)}"
            for name, count in runs.items() if int(counts.get(name, 0)) != count]


def absence_failures(directory, absent):
    return [f"{name} exists after the run" for name in absent
            if os.path.lexists(os.path.join(directory, name))]


def line_failures(expectation, result):
    failures = []
    actual = reported_lines(result.stderr)
    expected = shown(expectation.lines, actual)
    if expected != actual:
        diff = difflib.unified_diff(expected, actual, "expected", "actual",
                                    lineterm="", n=max(len(actual), len(expectation.lines)))
        title = "LOG/FATAL lines differ"
        if any(kind == "prefix" for kind, _ in expectation.lines):
            title += " (an expected line ending in '...' is a prefix)"
        failures.append(title + ":\n" + "\n".join("  " + line for line in diff))
    if result.returncode != expectation.status:
        if result.returncode < 0:
            got = f"killed by signal {-result.returncode}"
        else:
            got = f"status {result.returncode}"
        failures.append(f"exit: expected status {expectation.status}, got {got}")
    return failures


def indent(data, limit=200):
    lines = data.decode("latin-1").splitlines() or ["(empty)"]
    if len(lines) > limit:
        lines = lines[:limit] + [f"... ({len(lines) - limit} more lines)"]
    return "\n".join("  | " + line for line in lines)


def results(programs, check):
    """(title, failures) for each run of the programs that check(run) does not skip by
    returning None; no failures: it passed."""
    for program in programs:
        try:
            runs = read_runs(program)
        except (ProgramError, OSError) as error:
            yield program, [str(error)]
            continue
        for run in runs:
            try:
                failures = check(run)
            except (OSError, subprocess.SubprocessError) as error:
                failures = [f"could not run: {error}"]
            if failures is not None:
                yield run.title(), failures


def report(outcomes):
    """Prints each (title, failures) and a summary; returns the failed and all runs."""
    failed = total = 0
    for title, failures in outcomes:
        total += 1
        failed += bool(failures)
        print(("FAIL " if failures else "ok   ") + title)
        for failure in failures:
            print("  " + failure.replace("\n", "\n  "))
    print(f"{total - failed} of {total} passed" if failed else f"all {total} passed")
    return failed, total


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--asm", required=True, help="path of kestro-asm")
    parser.add_argument("--kestro", help="path of kestro (not needed with --assemble-only)")
    parser.add_argument("--display-status-sender", help="path of display-status-sender")
    # Generous for a loaded machine and a sanitizer build; ctest stops a test at 60 s.
    parser.add_argument("--timeout", type=float, default=45.0,
                        help="seconds each run may take (default 45)")
    parser.add_argument("--assemble-only", action="store_true",
                        help="only check that every program assembles and has expectations")
    parser.add_argument("programs", nargs="+", metavar="FILE")
    args = parser.parse_args()
    if not args.assemble_only and not args.kestro:
        parser.error("--kestro is required unless --assemble-only is given")
    failed, _ = report(results(args.programs, lambda run: run_program(args, run)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
