#!/usr/bin/env bash
# Builds kestro in release mode, installs Lua 5.4 and valgrind when missing, and compares
# every benchmark with its Lua twin; the table is written to bench/RESULTS.md.
#   bench/compare.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in lua5.4 valgrind; do
    command -v "$tool" >/dev/null || apt-get install -y --no-install-recommends "$tool"
done
scripts/build.sh release >/dev/null
python3 bench/compare.py --kestro build/release/src/kestro --asm build/release/tools/kestro-asm \
    --runs "${1:-5}" --callgrind --results bench/RESULTS.md
