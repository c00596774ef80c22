#!/usr/bin/env bash
# Builds kestro and runs the bundled example application.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh release
cd build/release/examples/hello
exec ../../src/kestro "$@"
