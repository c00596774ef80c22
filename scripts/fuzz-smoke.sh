#!/usr/bin/env bash
# Runs every fuzz target briefly, about a minute and a quarter in all: each first replays
# its seeds and the inputs that once failed, then fuzzes from them (the machine's targets
# for 10 seconds, the file decoders, which are simpler and faster, for 5). Fails when any
# input fails; the run's output is in build/fuzz/smoke-TARGET.log and the failing inputs
# in build/fuzz/crashes/TARGET/.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh fuzz >/dev/null || { echo "fuzz build failed"; exit 1; }
# Seeds made afresh, so that they follow the test programs as they are now.
rm -rf build/fuzz/seeds
scripts/fuzz-corpus.py build/fuzz/tools >/dev/null || { echo "fuzz seeds failed"; exit 1; }
status=0
for target in load run disassemble assemble image font sound; do
    log=build/fuzz/smoke-$target.log
    case "$target" in
        image | font | sound) seconds=5 ;;
        *) seconds=10 ;;
    esac
    if scripts/fuzz.sh --fresh "$target" "$seconds" >"$log" 2>&1; then
        echo "$target: $(grep -E '^stat::number_of_executed_units' "$log" | grep -oE '[0-9]+') runs, no findings"
    else
        status=1
        echo "$target: FINDING (see $log)"
        grep -E '^==[0-9]+==|^SUMMARY|Test unit written' "$log" | head -n 10
    fi
done
exit $status
