#!/usr/bin/env bash
# Builds the normal and the sanitizer configuration and runs every test in both.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh || exit 1

status=0
summaries=()
for config in release sanitize; do
    echo "=== $config build ==="
    scripts/build.sh "$config" || { status=1; summaries+=("$config: build failed"); continue; }
    log=build/$config/ctest.log
    (cd "build/$config" && ctest --output-on-failure -j "$(nproc)") 2>&1 | tee "$log"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    summaries+=("$config: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
done
echo
printf '%s\n' "${summaries[@]}"
exit $status
