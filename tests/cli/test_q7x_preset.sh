#!/usr/bin/env bash
# q7x-preset as a user runs it: no X display, exit statuses, files it writes.
# Usage: test_q7x_preset.sh PATH-TO-q7x-preset
set -uo pipefail

program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset DISPLAY WAYLAND_DISPLAY
failures=0

expect_status()   # expected-status description command...
{
    local expected=$1 description=$2; shift 2
    "$@" >"$work/out" 2>"$work/err"
    local status=$?
    if [ "$status" -ne "$expected" ]; then
        echo "FAIL: $description: exit status $status, expected $expected"; cat "$work/err"
        failures=$((failures + 1))
    fi
}

expect_output()   # description expected-text file
{
    if ! grep -qxF -- "$2" "$3"; then
        echo "FAIL: $1: no line \"$2\" in:"; cat "$3"
        failures=$((failures + 1))
    fi
}

# Nothing of the GUI is linked in, so no display can be needed. ALSA is, for the MIDI
# commands: it needs no display, only the sequencer device, and only when MIDI is used.
if ldd "$program" | grep -E 'libX11|libfreetype|libGL' ; then
    echo "FAIL: q7x-preset links GUI libraries"
    failures=$((failures + 1))
fi

expect_status 0 "--version" "$program" --version
expect_output "--version" "q7x-preset $(grep -oP 'project \(Q7XEditor VERSION \K[0-9.]+' "$(dirname "$0")/../../CMakeLists.txt")" "$work/out"

expect_status 0 "new" "$program" new "$work/a.q7x"
printf '\xf0\x00\x00\x0e\x00\x41\x61\x00\x5d' > "$work/prefix"
if ! cmp -s -n 9 "$work/a.q7x" "$work/prefix" || [ "$(stat -c %s "$work/a.q7x")" -ne 103 ]; then
    echo "FAIL: new did not write a 103-byte preset dump"; failures=$((failures + 1))
fi

expect_status 0 "set" "$program" set "$work/a.q7x" "Knob 2 CC=74" "Pad 3 Mode=CC Toggle"
expect_status 0 "show" "$program" show "$work/a.q7x"
expect_output "show" "Knob 2 CC: 74" "$work/out"
expect_output "show" "Pad 3 Mode: CC Toggle" "$work/out"

# Notes by name (60 is C3) in set and show; the JSON keeps the number.
expect_status 0 "set a note by name" "$program" set "$work/a.q7x" "Pad 1 Note=C1" "Pad 2 Note=db3"
expect_status 0 "show notes" "$program" show "$work/a.q7x"
expect_output "show a note by name" "Pad 1 Note: 36 (C1)" "$work/out"
expect_output "show a flat as a sharp" "Pad 2 Note: 61 (C#3)" "$work/out"
expect_status 1 "set a note that is not one" "$program" set "$work/a.q7x" "Pad 1 Note=H3"
expect_output "a note refused" "q7x-preset: Pad 1 Note: \"H3\" is not 0-127 or a note name, C-2 to G8" "$work/err"
expect_status 0 "export notes" "$program" export "$work/a.q7x"
grep -q '"Note": 36,' "$work/out" || { echo "FAIL: export wrote the note other than as the number 36"; failures=$((failures + 1)); }

expect_status 0 "check of a valid file" "$program" check "$work/a.q7x"
head -c 102 "$work/a.q7x" > "$work/short.q7x"
expect_status 1 "check of a short file" "$program" check "$work/a.q7x" "$work/short.q7x"
expect_output "check" "$work/short.q7x: size is 102 bytes, a preset file has 103" "$work/out"

expect_status 0 "new --force" "$program" new --force "$work/b.q7x"
expect_status 1 "diff" "$program" diff "$work/b.q7x" "$work/a.q7x"
expect_output "diff" "Knob 2 CC: 21 -> 74" "$work/out"

expect_status 0 "export" "$program" export "$work/a.q7x"
cp "$work/out" "$work/a.json"
expect_status 0 "import" "$program" import "$work/a.json" "$work/c.q7x"
cmp -s "$work/a.q7x" "$work/c.q7x" || { echo "FAIL: export and import changed the preset"; failures=$((failures + 1)); }

# Output that cannot be written (a full disk) fails the command with one line saying so.
for command in "show $work/a.q7x" "export $work/a.q7x" "--help"; do
    # shellcheck disable=SC2086
    "$program" $command >/dev/full 2>"$work/err"
    status=$?
    # Debug builds of the framework print their version first.
    if [ "$status" -ne 1 ] || [ "$(grep -v '^JUCE v' "$work/err")" != "q7x-preset: standard output: No space left on device" ]; then
        echo "FAIL: $command to a full disk: exit status $status, and:"; cat "$work/err"
        failures=$((failures + 1))
    fi
done

expect_status 2 "no command" "$program"
expect_status 2 "unknown command" "$program" frobnicate
expect_status 0 "help" "$program" --help
expect_status 0 "command help" "$program" diff --help

# The MIDI commands refuse before sending anything, with or without a sequencer here.
expect_status 1 "send of a file the editor refuses" "$program" send "$work/short.q7x" --out Q7X
expect_status 1 "get to an existing file" "$program" get "$work/a.q7x"
expect_status 1 "get from a port that is not there" "$program" get "$work/new.q7x" --in "No Such Port" --out Q7X
[ -e "$work/new.q7x" ] && { echo "FAIL: a failed get wrote its file"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "q7x-preset: all checks passed"
exit $(( failures > 0 ))
