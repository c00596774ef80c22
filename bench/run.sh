#!/usr/bin/env bash
# Runs the interpreter benchmarks on a release build and prints the time and the
# interpreted instructions per second of each.
#   bench/run.sh [RUNS]     (default 3 runs each; the best time counts)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
scripts/build.sh release >/dev/null
build=build/release
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# name, executed VM instructions (see each program's header)
benchmarks=("fib 35002976" "loop 550000000")

printf '%-8s %12s %14s %s\n' benchmark seconds "instr/second" output
for entry in "${benchmarks[@]}"; do
    read -r name instructions <<<"$entry"
    mkdir -p "$work/$name"
    "$build/tools/kestro-asm" "bench/$name.kasm" -o "$work/$name/index.mcb"
    best=""
    for ((run = 0; run < runs; run++)); do
        start=$(date +%s%N)
        output=$(cd "$work/$name" && QT_QPA_PLATFORM=offscreen "$OLDPWD/$build/src/kestro" 2>&1)
        elapsed=$(($(date +%s%N) - start))
        if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
    done
    awk -v ns="$best" -v n="$instructions" -v name="$name" -v out="$output" \
        'BEGIN { printf "%-8s %12.3f %14.3e %s\n", name, ns / 1e9, n / (ns / 1e9), out }'
done
