#!/usr/bin/env bash
# Builds kestro and runs the bundled example: an animated scene (arrow keys move the
# block, Q ends it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
cd build/release/examples/scene
exec ../../src/kestro "$@"
