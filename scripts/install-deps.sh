#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    # Qt; its Gui library brings the offscreen platform and the image readers (PNG, BMP,
    # GIF, JPEG, ICO and the portable formats), which the host and its fuzz targets use
    qt6-base-dev libxcb1-dev
    libgtest-dev googletest
    python3 dbus
    # the fake of the system's sensor service in the end-to-end tests
    python3-dbus python3-gi
    # sound: the client library, and a server with its recorder for the sound tests
    libpulse-dev pulseaudio pulseaudio-utils
    # the platform font of the tests, so that text measures the same everywhere
    fonts-dejavu-core
    xvfb xauth xdotool x11-utils x11-apps
    # the fuzz build: clang with libFuzzer and the sanitizer runtimes, and llvm for
    # llvm-symbolizer, which puts names on the stack traces of a finding
    clang libclang-rt-14-dev llvm
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get install -y --no-install-recommends "${missing[@]}" ||
        { apt-get update && apt-get install -y --no-install-recommends "${missing[@]}"; }
fi
