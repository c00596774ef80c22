#!/usr/bin/env python3
"""Sound programs played on a real sound server, and what it played checked.

For each case of a program that has "sound-check" comments, a private PulseAudio
server is started (in a fresh runtime directory, with one null sink at the rate
that the comment "; sound-rate: HZ" gives, 16000 by default, without rewinds, so
that its monitor gives back every sample as it was played), the sink's monitor is
recorded with parec while kestro runs the case, and the recording is checked:

    ; sound-check: contains FILE [VOLUME]   the samples of FILE (an application file)
                                            scaled by VOLUME / 256 (default 256), in a row
    ; sound-check: saturates N              N samples of 32767 in a row
    ; sound-check: fades VALUE              after a run of VALUE, a glide to 0 within
                                            about 10 ms in which no step is a jump
    ; sound-check: blocks FILE N            the samples of FILE N times, no more
    ; sound-check: sums VALUE N             N samples of VALUE in a row

The case's log lines and exit status are checked as run_e2e.py checks them; its
lines about the missing server (expect-stderr) are not, as there is one here.

Usage: record_sound.py --asm PATH --kestro PATH [--timeout S] FILE...
"""

import argparse
import array
import itertools
import os
import re
import subprocess
import sys
import time

import run_e2e

SOUND_CHECK = re.compile(r"^\s*;\s*sound-check:(.*)$")
SOUND_RATE = re.compile(r"^\s*;\s*sound-rate:\s*(\d+)\s*$")
# What the server still plays after kestro ends (the mixer keeps 100 ms on the server).
TAIL_SECONDS = 0.5


class SoundServer:
    """pulseaudio with one null sink, its monitor recorded by parec; `env` is what a client
    needs to reach it, failures(directory) what the recording shows against the checks."""

    def __init__(self, directory, rate, checks):
        self.env = {"XDG_RUNTIME_DIR": os.path.join(directory, "run"),
                    "HOME": os.path.join(directory, "home")}
        for folder in self.env.values():
            os.makedirs(folder, mode=0o700, exist_ok=True)
        socket = os.path.join(directory, "sound-server")
        self.env["PULSE_SERVER"] = "unix:" + socket
        environment = dict(os.environ, **self.env)
        self.checks = checks
        self.recording = os.path.join(directory, "recording.raw")
        self.server = subprocess.Popen(
            ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no",
             "--disable-shm=yes",
             "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket,
             f"--load=module-null-sink sink_name=out rate={rate} channels=1 format=s16le "
             "norewinds=1"],
            env=environment, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        self.recorder = None
        deadline = time.monotonic() + 15
        while subprocess.run(["pactl", "info"], env=environment, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, timeout=10).returncode != 0:
            if self.server.poll() is not None or time.monotonic() > deadline:
                self.close()
                raise OSError("pulseaudio did not start")
            time.sleep(0.05)
        with open(self.recording, "wb") as output:
            self.recorder = subprocess.Popen(
                ["parec", "--device=out.monitor", "--format=s16le", f"--rate={rate}",
                 "--channels=1", "--raw", "--latency-msec=10"],
                env=environment, stdin=subprocess.DEVNULL, stdout=output,
                stderr=subprocess.DEVNULL)

    def failures(self, directory):
        recorded = self.samples()
        return [failure for words in self.checks
                for failure in check_failures(words, recorded, directory)]

    def samples(self):
        """Stops recording; the samples recorded."""
        time.sleep(TAIL_SECONDS)
        self.recorder.terminate()
        self.recorder.wait(timeout=10)
        return samples_of(self.recording)

    def close(self):
        for process in (self.recorder, self.server):
            if process and process.poll() is None:
                process.terminate()
                process.wait(timeout=10)


def samples_of(path):
    """The file's 16-bit samples (a last odd byte left out)."""
    with open(path, "rb") as data:
        content = data.read()
    samples = array.array("h")
    samples.frombytes(content[: len(content) // 2 * 2])
    return samples


def scaled(samples, volume):
    return [max(-32768, min(32767, (volume * sample) >> 8)) for sample in samples]


def occurrences(recorded, samples):
    """Where the samples stand in a row in the recording, not overlapping."""
    wanted = array.array("h", samples).tobytes()
    haystack = recorded.tobytes()
    found, start = [], 0
    while (index := haystack.find(wanted, start)) >= 0:
        if index % 2:
            start = index + 1
            continue
        found.append(index // 2)
        start = index + len(wanted)
    return found


def longest_run(recorded, value):
    return max((len(list(run)) for sample, run in itertools.groupby(recorded) if sample == value),
               default=0)


def glide_failure(recorded, value):
    """Why the recording does not glide from a run of VALUE to 0, or None."""
    ends = [index for index in range(1, len(recorded))
            if recorded[index - 1] == value and recorded[index] != value]
    if not ends:
        return f"no run of {value} that ends"
    glide = list(recorded[ends[-1]: ends[-1] + 240])
    if not glide or not 0.85 * value <= glide[0] < value:
        return f"the first step after {value} is a jump: {glide[:4]}"
    for before, after in zip(glide, glide[1:]):
        if before > 100 and not 0.85 * before <= after <= 0.95 * before:
            return f"a step from {before} to {after} in the glide {glide[:40]}"
    if any(glide[200:]) or len(glide) < 240:
        return f"no silence 200 samples after the run: {glide[190:210]}"
    return None


def check_failures(words, recorded, directory):
    kind, arguments = words[0], words[1:]
    if kind == "contains":
        volume = int(arguments[1]) if len(arguments) > 1 else 256
        if not occurrences(recorded, scaled(samples_of(os.path.join(directory, arguments[0])),
                                            volume)):
            return [f"the samples of {arguments[0]} at volume {volume} were not played"]
    elif kind == "blocks":
        found = len(occurrences(recorded, samples_of(os.path.join(directory, arguments[0]))))
        if found != int(arguments[1]):
            return [f"{arguments[0]} was played {found} times, not {arguments[1]}"]
    elif kind in ("saturates", "sums"):
        value, count = (32767, int(arguments[0])) if kind == "saturates" else map(int, arguments)
        if longest_run(recorded, value) < count:
            return [f"no {count} samples of {value} in a row "
                    f"(at most {longest_run(recorded, value)})"]
    elif kind == "fades":
        failure = glide_failure(recorded, int(arguments[0]))
        return [failure] if failure else []
    else:
        return [f"unknown sound check {kind}"]
    return []


def sound_checks(run):
    source = run.lines if run.lines is not None else open(run.path, encoding="utf-8").read().split("\n")
    checks = [match.group(1).split() for match in map(SOUND_CHECK.match, source) if match]
    rates = [int(match.group(1)) for match in map(SOUND_RATE.match, source) if match]
    return checks, (rates[0] if rates else 16000)


def run_with_sound(args, run):
    """The failures of a run with sound checks; None for a run without."""
    checks, rate = sound_checks(run)
    if not checks:
        return None
    run.expectation.stderr = []  # the lines about a missing server: there is one here
    return run_e2e.run_program(args, run, lambda directory: SoundServer(directory, rate, checks))


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--asm", required=True)
    parser.add_argument("--kestro", required=True)
    parser.add_argument("--timeout", type=float, default=30.0)
    parser.add_argument("programs", nargs="+", metavar="FILE")
    parser.set_defaults(assemble_only=False, display_status_sender=None)
    args = parser.parse_args()
    failed, total = run_e2e.report(run_e2e.results(args.programs,
                                                   lambda run: run_with_sound(args, run)))
    return 1 if failed or not total else 0


if __name__ == "__main__":
    sys.exit(main())
