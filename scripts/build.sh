#!/usr/bin/env bash
# Configures and builds one configuration: build.sh release|sanitize|fuzz|clang
set -euo pipefail
cd "$(dirname "$0")/.."
config=${1:-release}
case "$config" in
    release) options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    sanitize) options=(-DCMAKE_BUILD_TYPE=Debug -DKESTRO_SANITIZE=ON) ;;
    fuzz) options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++) ;;
    clang) options=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++) ;;
    *) echo "usage: build.sh release|sanitize|fuzz|clang" >&2; exit 2 ;;
esac
cmake -S . -B "build/$config" -G Ninja -DKESTRO_WERROR=ON "${options[@]}" >/dev/null
ninja -C "build/$config" -j "$(nproc)"
