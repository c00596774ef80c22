#!/usr/bin/env bash
# Builds the normal and the sanitizer configuration and runs every test in both, then runs
# every test of the normal build once more in the collector's stress mode, and every fuzz
# target briefly (scripts/fuzz-smoke.sh); builds everything once more with Clang (Release),
# so that both compilers build what a user builds; ends with the count of code and test
# lines.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

status=0
summaries=()
# Runs every test of a built configuration: run_tests NAME DIRECTORY LOG [VARIABLE=VALUE ...]
run_tests() {
    local name=$1 directory=$2 log=$3
    shift 3
    (cd "$directory" && env "$@" ctest --output-on-failure -j "$(nproc)") 2>&1 | tee "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    summaries+=("$name: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
}

release_built=0
for config in release sanitize; do
    echo "=== $config build ==="
    scripts/build.sh "$config" || { status=1; summaries+=("$config: build failed"); continue; }
    [ "$config" = release ] && release_built=1
    # A sanitized run also catches stack memory used after its function returned.
    [ "$config" = sanitize ] && checks=(ASAN_OPTIONS=detect_stack_use_after_return=1) || checks=()
    run_tests "$config" "build/$config" "build/$config/ctest.log" "${checks[@]}"
done
echo "=== release build in the collector's stress mode ==="
if [ "$release_built" -eq 1 ]; then
    run_tests stress build/release build/release/ctest-stress.log KESTRO_GC_STRESS=1
else
    summaries+=("stress: build failed")
fi
echo "=== fuzz targets, a short run each ==="
if scripts/fuzz-smoke.sh; then
    summaries+=("fuzz: no findings")
else
    status=1
    summaries+=("fuzz: findings or build failed (build/fuzz/smoke-*.log)")
fi
echo "=== everything built with Clang ==="
if scripts/build.sh clang >build/clang.log 2>&1; then
    summaries+=("clang: built")
else
    status=1
    summaries+=("clang: build failed (build/clang.log)")
fi
echo
printf '%s\n' "${summaries[@]}"
scripts/count-lines.py
exit $status
