#!/usr/bin/env bash
# Builds the fuzz targets when needed and runs one of them for a while:
#     fuzz.sh [--fresh] TARGET SECONDS [LIBFUZZER OPTION...]
# TARGET is load, run, disassemble, assemble, image, font or sound (fuzz/CMakeLists.txt
# says what each one feeds). The fuzzer starts from the seeds in build/fuzz/seeds/TARGET
# (made from the test programs and their files by scripts/fuzz-corpus.py) and the inputs
# that once failed, in fuzz/regressions/TARGET; the inputs it finds interesting collect
# in build/fuzz/corpus/TARGET (emptied first with --fresh), and every input that fails is
# written to build/fuzz/crashes/TARGET/. The exit status is not 0 when an input failed.
#
# A fuzzed machine, and a decoded file, has a memory budget of 16 MiB
# (fuzz/FuzzedApplication.h, fuzz/DecoderHost.h), which refuses every large allocation
# that an application asks for. A single host allocation of more than 64 MiB therefore
# means that some code allocates for the application outside the budget, and is a finding
# (-malloc_limit_mb).
set -euo pipefail
cd "$(dirname "$0")/.."
usage() {
    echo "usage: fuzz.sh [--fresh] load|run|disassemble|assemble|image|font|sound SECONDS" \
        "[LIBFUZZER OPTION...]" >&2
}
fresh=0
if [ "${1:-}" = --fresh ]; then
    fresh=1
    shift
fi
[ $# -ge 2 ] || { usage; exit 2; }
target=$1
seconds=$2
shift 2
case "$target" in
    load | run | disassemble | assemble | image | font | sound) ;;
    *) usage; exit 2 ;;
esac

scripts/build.sh fuzz >/dev/null
[ -d build/fuzz/seeds ] || scripts/fuzz-corpus.py build/fuzz/tools >/dev/null
work=build/fuzz/corpus/$target
crashes=build/fuzz/crashes/$target
[ "$fresh" -eq 1 ] && rm -rf "$work"
mkdir -p "$work" "$crashes"
corpora=("$work")
for kept in build/fuzz/seeds/$target fuzz/regressions/$target; do
    [ -d "$kept" ] && corpora+=("$kept")
done
exec "build/fuzz/fuzz/fuzz-$target" -max_total_time="$seconds" -timeout=20 \
    -rss_limit_mb=3072 -malloc_limit_mb=64 -artifact_prefix="$crashes/" -print_final_stats=1 "$@" "${corpora[@]}"
