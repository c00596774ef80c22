#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root with dpkg -x and runs the
# programs and the bundled example from there.
# Usage: package_test.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/kestro_*.deb) || fail "no .deb made"
dpkg-deb --field "$deb" Depends | grep -q libqt6 || fail "the package does not depend on Qt"
dpkg -x "$deb" "$work/root"
root=$work/root/usr
for file in bin/kestro bin/kestro-asm bin/kestro-dis bin/kestro-example share/man/man1/kestro.1 \
    share/applications/kestro-example.desktop share/kestro/examples/scene/index.mcb; do
    [ -f "$root/$file" ] || fail "$file is not in the package"
done
grep -qx "Exec=kestro-example" "$root/share/applications/kestro-example.desktop" ||
    fail "the desktop entry's command"
"$root/bin/kestro" --version | grep -q "^kestro 0.1.0$" || fail "kestro --version"
"$root/bin/kestro-asm" --help | grep -q "usage: kestro-asm" || fail "kestro-asm --help"
"$root/bin/kestro-dis" --version | grep -q "^kestro-dis 0.1.0$" || fail "kestro-dis --version"
# The example runs until it ends itself or for 5 seconds; it must have started and logged.
QT_QPA_PLATFORM=offscreen timeout 5 "$root/bin/kestro-example" 2>"$work/run.log" || true
grep -q "^LOG: " "$work/run.log" && ! grep -v "Failed to connect to dbus" "$work/run.log" |
    grep -q "FATAL\|Failed to open" ||
    { cat "$work/run.log"; fail "the example did not run"; }
echo "package checks passed"
