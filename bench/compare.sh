#!/usr/bin/env bash
# Builds kestro in release mode, installs Lua 5.4 and valgrind when missing, compares
# every benchmark with its Lua twin and counts the fused entries each runs, times the
# collection after a host call (with a chain and on a churned heap), a frame of the
# window (on private Xvfb screens), the mixer's write callback and the drawing of a game's
# frame; the tables are written to bench/RESULTS.md, which bench/NOTES.md explains.
#   bench/compare.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
for tool in lua5.4 valgrind; do
    command -v "$tool" >/dev/null || apt-get install -y --no-install-recommends "$tool"
done
scripts/build.sh release >/dev/null
python3 bench/compare.py --kestro build/release/src/kestro --asm build/release/tools/kestro-asm \
    --runs "${1:-5}" --callgrind --entries --results bench/RESULTS.md
{
    echo
    echo "## Collection after a host call"
    echo
    echo "The host call runs a method that does nothing, so its time (by the wall clock) is"
    echo "almost all the collection that follows it (bench/gc.sh, 25 runs per row); heaps of"
    echo "128 pools or more are marked by two threads:"
    echo
    echo '```'
    build/release/bench/gc_bench
    echo '```'
} | tee -a bench/RESULTS.md
{
    echo
    echo "## Collections on a churned heap"
    echo
    echo "A ring of 100,000 records of four words, each holding a record of its own (200,000"
    echo "live records), of which host calls replace 10,000 at random (bench/churn.kasm), so"
    echo "that the live records lie scattered through the pools. After each replacing call, a"
    echo "host call that does nothing: its time (by the wall clock) is almost all the"
    echo "collection after it, which marks every live record on two threads:"
    echo
    echo '```'
    build/release/bench/gc_bench churn
    echo '```'
} | tee -a bench/RESULTS.md
{
    echo
    echo "## A frame of the window"
    echo
    echo "One synchronous repaint of the whole window: the application's draw call, which"
    echo "clears all of its 800 x 480 canvas and fills a square, the collection after it, and"
    echo "the picture shown in the window, as it is at 800x480 and scaled by 2.25 and smoothed"
    echo "at 1920x1080. Then the resident set size of kestro over 10,000 frames of the same"
    echo "application driven by its 60 Hz timer (bench/paint.py):"
    echo
    echo '```'
    python3 bench/paint.py
    echo '```'
} | tee -a bench/RESULTS.md
{
    echo
    echo "## The mixer's write callback"
    echo
    echo "One write callback of the audio mixer: 100 ms of 16 kHz output (1600 samples) mixed"
    echo "from 32 sounds that all play at different volumes, 2000 callbacks in a row"
    echo "(bench/MixBench.cpp). The mix holds the mixer's lock for exactly one callback."
    echo
    echo '```'
    build/release/bench/mix_bench 32 2000
    echo '```'
} | tee -a bench/RESULTS.md
{
    echo
    echo "## A frame of a 2D game"
    echo
    echo "The drawing of one frame on the 800 x 480 back buffer as the Graphics natives ask"
    echo "the host's surface for it (bench/FrameBench.cpp): a clear, 500 sprites of 32 x 32"
    echo "with alpha at integer positions, 50 sprites turned and scaled, and 100 strings of"
    echo "20 characters in a bitmap font, 20 in each of 5 colours. The recolouring of the"
    echo "font is paid once per colour change, five times a frame, and is timed on its own:"
    echo
    echo '```'
    QT_QPA_PLATFORM=offscreen build/release/bench/frame_bench 1000 2>/dev/null
    echo '```'
} | tee -a bench/RESULTS.md
