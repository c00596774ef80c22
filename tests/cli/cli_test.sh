#!/usr/bin/env bash
# Runs the command-line programs as a user would and checks their output and status.
# Usage: cli_test.sh BUILD_DIR SOURCE_DIR
set -u
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
asm=$build/tools/kestro-asm
dis=$build/tools/kestro-dis
kestro=$build/src/kestro
work=$(mktemp -d)
export QT_QPA_PLATFORM=offscreen
trap 'rm -rf "$work"' EXIT
failures=0
# fail NAME [FILE]: counts a failure, shown with the file (standard error) if given
fail() {
    echo "FAIL: $1"
    [ $# -lt 2 ] || sed 's/^/  stderr: /' "$2"
    failures=$((failures + 1))
}

# expect NAME EXPECTED_STATUS EXPECTED_OUTPUT_SUBSTRING -- COMMAND...
# (the text is looked for in standard error, and in standard output when the status is 0)
expect() {
    local name=$1 status=$2 text=$3
    shift 4
    "$@" >"$work/out" 2>"$work/err"
    local got=$?
    local where=("$work/err")
    [ "$status" = 0 ] && where+=("$work/out")
    if [ "$got" != "$status" ] || { [ -n "$text" ] && ! grep -qF -- "$text" "${where[@]}"; }; then
        fail "$name (status $got, expected $status)" "$work/err"
    fi
}

# --- assembler and disassembler ---
printf '.code\n    nop\n    bogus 1\n' >"$work/bad.kasm"
expect "asm reports file and line" 1 "$work/bad.kasm:3: unknown instruction 'bogus'" -- \
    "$asm" "$work/bad.kasm" -o "$work/bad.mcb"
expect "asm without arguments shows usage" 2 "usage: kestro-asm SOURCE -o OUTPUT" -- "$asm"
expect "asm on a missing file" 1 "cannot open" -- "$asm" "$work/none.kasm" -o "$work/x.mcb"

"$asm" "$source/tests/corpus/every-instruction.kasm" -o "$work/every.mcb"  # its round trip: tools RoundTripTest

head -c 30 "$work/every.mcb" >"$work/short.mcb"
expect "dis names the offset of a truncation" 1 "short.mcb: offset 30: the file ends inside a header width" -- \
    "$dis" "$work/short.mcb"
{ head -c 22 "$work/every.mcb"; printf '\376'; tail -c +24 "$work/every.mcb"; } >"$work/marker.mcb"
expect "dis names a wrong marker" 1 "marker.mcb: offset 22: header marker is 254, must be 255" -- \
    "$dis" "$work/marker.mcb"
expect "dis without arguments shows usage" 2 "usage: kestro-dis MODULE" -- "$dis"

# --- the kestro program ---
mkdir -p "$work/app"
"$asm" "$source/examples/hello/hello.kasm" -o "$work/app/index.mcb"
expect "kestro runs index.mcb from the working directory" 0 "LOG: Goodbye" -- \
    env -C "$work/app" "$kestro"
expect "kestro without index.mcb" 1 "Failed to open '$work/index.mcb'" -- env -C "$work" "$kestro"
expect "kestro --auto looks in /opt" 1 "Failed to open '/opt/kestro/index.mcb'" -- "$kestro" --auto
# "/opt/" and a base name of 4091 characters make exactly 4096: still accepted.
as_program() { local name=$1; shift; bash -c 'exec -a "$0" "$@"' "$name" "$@"; }
fits=$(printf 'x%.0s' $(seq 1 4091))
expect "kestro --auto with the longest name" 1 "Failed to open '/opt/$fits/index.mcb'" -- \
    as_program "/usr/bin/$fits" "$kestro" --auto
expect "kestro --auto with a too long name" 1 "${fits}y: VM basename too long" -- \
    as_program "/usr/bin/${fits}y" "$kestro" --auto
expect "--auto counts only as the first argument" 1 "Failed to open '$work/index.mcb'" -- \
    env -C "$work" "$kestro" -x --auto
cp "$work/short.mcb" "$work/app/index.mcb"
expect "kestro on a malformed module" 1 "FATAL: UnknownException (CODE:11)" -- env -C "$work/app" "$kestro"

# --- the desktop's options ---
"$asm" "$source/examples/hello/hello.kasm" -o "$work/app/index.mcb"
expect "--help lists the options" 0 "--scale N" -- "$kestro" --help
expect "--help lists the host's keys" 0 "F11" -- "$kestro" --help
expect "--version" 0 "kestro 0.1.0" -- "$kestro" --version
for wrong in "--window --window" "--scale 2 --scale 3" "--keymap a --keymap b" "--user-data --user-data"; do
    expect "$wrong: given twice" 2 "given twice" -- "$kestro" $wrong
done
for scale in 0 9 x 2x ""; do
    expect "--scale '$scale'" 2 "--scale needs a whole number from 1 to 8" -- "$kestro" --scale $scale
done
expect "a usage error shows the usage" 2 "usage: kestro [--auto] [--window]" -- "$kestro" --keymap
expect "no display: one line on how to run it" 1 "QT_QPA_PLATFORM=offscreen" -- \
    env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "$kestro"
printf '[keys]\nW = Up\nW = Down\nQ = Nothing\n[host]\nfullscreen = F12\n' >"$work/bad.keymap"
for mistake in "bad.keymap:3: 'W' mapped twice (first on line 2)" \
    "bad.keymap:4: unknown key name 'Nothing'" "bad.keymap:6: two host actions on one key" \
    "the key map is not used; the default keys apply" "LOG: Goodbye"; do
    expect "a malformed key map: $mistake" 0 "$mistake" -- \
        env -C "$work/app" "$kestro" --keymap "$work/bad.keymap"
done
mkdir -p "$work/config/kestro" && printf 'oops\n' >"$work/config/kestro/app.keymap"
expect "the application's own key map" 0 "app.keymap:1: expected NAME = VALUE" -- \
    env -C "$work/app" XDG_CONFIG_HOME="$work/config" "$kestro"

# --- a read-only application directory: the person's own data directory ---
# Permissions, not a mock: as root the application runs as nobody, for whom they hold.
chmod 755 "$work" && cp "$kestro" "$work/kestro" && mkdir -p "$work/ro-app" "$work/home"
"$asm" "$source/tests/cli/personal_files.kasm" -o "$work/ro-app/index.mcb"
printf shipped >"$work/ro-app/shipped.txt"
chmod 555 "$work/ro-app" && chmod 777 "$work/home"
as_person=()
[ "$(id -u)" = 0 ] && as_person=(setpriv --reuid=65534 --regid=65534 --clear-groups)
env -C "$work/ro-app" HOME="$work/home" XDG_DATA_HOME="$work/home/data" \
    "${as_person[@]}" "$work/kestro" >/dev/null 2>"$work/err"
personal=$work/home/data/kestro/ro-app
if [ "$(grep '^LOG: ' "$work/err" | tr '\n' '|')" != "LOG: mine|LOG: shipped|LOG: shipped+more|LOG: 3|" ] ||
    ! grep -qF "writes go to $personal" "$work/err" ||
    [ "$(cat "$personal/notes.txt")" != mine ] || [ "$(cat "$personal/shipped.txt")" != shipped+more ] ||
    [ -e "$work/ro-app/notes.txt" ] || [ "$(cat "$work/ro-app/shipped.txt")" != shipped ]; then
    fail "a read-only application directory" "$work/err"
fi
mkdir -m 555 "$work/locked"
expect "no data directory: one line, and the writes fail" 0 "cannot make $work/locked/data/kestro/ro-app" -- \
    env -C "$work/ro-app" HOME="$work/locked" XDG_DATA_HOME="$work/locked/data" \
    "${as_person[@]}" "$work/kestro"
grep -q "^LOG: UNCAUGHT" "$work/err" || fail "a write without a data directory"

[ "$failures" = 0 ] || { echo "$failures command-line checks failed"; exit 1; }
echo "command-line checks passed"
