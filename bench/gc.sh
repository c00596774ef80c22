#!/usr/bin/env bash
# Runs the collection benchmark on a release build: the time of the collection after a
# host call with 100k and with 1M live small objects.
#   bench/gc.sh [n ...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh release >/dev/null
build/release/bench/gc_bench "$@"
