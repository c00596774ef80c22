#!/usr/bin/env bash
# Builds kestro in release mode, installs Lua 5.4 and valgrind when missing, compares
# every benchmark with its Lua twin and times the collection after a host call; the
# tables are written to bench/RESULTS.md.
#   bench/compare.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in lua5.4 valgrind; do
    command -v "$tool" >/dev/null || apt-get install -y --no-install-recommends "$tool"
done
scripts/build.sh release >/dev/null
python3 bench/compare.py --kestro build/release/src/kestro --asm build/release/tools/kestro-asm \
    --runs "${1:-5}" --callgrind --results bench/RESULTS.md
{
    echo
    echo "## Collection after a host call"
    echo
    echo "The host call runs a method that does nothing, so its time is almost all the"
    echo "collection that follows it (bench/gc.sh, 25 runs per row):"
    echo
    echo '```'
    build/release/tests/gc_bench
    echo '```'
} | tee -a bench/RESULTS.md
