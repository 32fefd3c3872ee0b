#!/usr/bin/env bash
# q7x-preset send, get and compare against q7x-simulator on the real sequencer: the preset arrives
# byte for byte both ways, and compare tells the device's preset from another; no answer, a refused
# reply, a chosen port that is missing and an existing file fail with status 1, one line on stderr
# and the file as it was; a port named in UTF-8 is listed and chosen by its name; with no "Q7X" port
# to default to, a usage error lists the ports.
#   bash test_preset_device.sh Q7X_PRESET WORK_DIR        (Q7X_SIMULATOR_PROGRAM in the environment)
set -euo pipefail
source "$(dirname "$0")/device_lib.sh"
preset=$(readlink -f "$1") work=$2
rm -rf "$work"; mkdir -p "$work"; cd "$work"
trap guest_stop_simulator EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# expect_refusal WHAT COMMAND...: status 1 and exactly one line on stderr.
expect_refusal()
{
    local what=$1 status=0; shift
    "$@" 2>err.txt || status=$?
    [ "$status" -eq 1 ] || fail "$what: status $status, expected 1 ($(cat err.txt))"
    [ "$(wc -l <err.txt)" -eq 1 ] || fail "$what: expected one line on stderr, got: $(cat err.txt)"
    echo "ok: $what: $(cat err.txt)"
}

# expect_usage_error WHAT COMMAND...: status 2 and the ports listed on stderr.
expect_usage_error()
{
    local what=$1 status=0; shift
    "$@" 2>err.txt || status=$?
    [ "$status" -eq 2 ] || fail "$what: status $status, expected 2 ($(cat err.txt))"
    grep -q '"VirMIDI 0-0"' err.txt || fail "$what: the ports are not listed: $(cat err.txt)"
    echo "ok: $what: usage error"
}

"$preset" new sent.q7x
"$preset" set sent.q7x "Keybed Transpose=-5" "Pad 3 Mode=CC Momentary" "Pad 3 CC=20"

guest_start_simulator simulator.log --save device.q7x
"$preset" ports >ports.txt
grep -q 'Q7X' ports.txt || fail "q7x-preset ports does not list Q7X: $(cat ports.txt)"
"$preset" send sent.q7x
for _ in $(seq 50); do [ -s device.q7x ] && break; sleep 0.1; done
cmp sent.q7x device.q7x || fail "the device holds other bytes than were sent"
"$preset" get --in Q7X --out Q7X got.q7x
cmp sent.q7x got.q7x || fail "get brought other bytes than the device holds"
echo "ok: send and get, byte for byte"

# compare, both ways: the device holds sent.q7x, and not the default preset, whose differences are
# diff's lines.
"$preset" compare sent.q7x >compare-same.txt || fail "compare with the preset the device holds: status $?"
[ ! -s compare-same.txt ] || fail "compare with the preset the device holds printed: $(cat compare-same.txt)"
"$preset" new default.q7x
status=0
"$preset" compare --in Q7X --out Q7X default.q7x >compare-other.txt || status=$?
[ "$status" -eq 1 ] || fail "compare with another preset: status $status, expected 1"
grep -qxF 'Keybed Transpose: 0 -> -5' compare-other.txt || fail "compare does not list the transposition: $(cat compare-other.txt)"
"$preset" diff default.q7x sent.q7x >diff.txt || true
cmp diff.txt compare-other.txt || fail "compare's lines are not diff's: $(cat compare-other.txt)"
echo "ok: compare, both ways"

cp got.q7x kept.q7x
expect_refusal "get onto an existing file" "$preset" get got.q7x
guest_stop_simulator

# A port named in UTF-8 is listed as named, and chosen by that name.
guest_start_simulator simulator-cafe.log --name "Café Q7X" --save cafe.q7x
"$preset" ports >ports-cafe.txt
grep -qx 'output: Café Q7X' ports-cafe.txt || fail "q7x-preset ports garbles the name: $(cat ports-cafe.txt)"
"$preset" send --out "Café Q7X" sent.q7x
"$preset" get --in "Café Q7X" --out "Café Q7X" --force got-cafe.q7x
cmp sent.q7x got-cafe.q7x || fail "get from \"Café Q7X\" brought other bytes than were sent"
echo "ok: a port named in UTF-8, listed and chosen by its name"
guest_stop_simulator

guest_start_simulator simulator-silent.log --reply none
expect_refusal "a device that does not answer" "$preset" get --force got.q7x
expect_refusal "compare with a device that does not answer" "$preset" compare sent.q7x
guest_stop_simulator

guest_start_simulator simulator-refused.log --reply out-of-range
expect_refusal "a reply out of range" "$preset" get --force got.q7x
guest_stop_simulator

expect_usage_error "no port whose name contains Q7X" "$preset" get --force got.q7x
expect_refusal "a chosen port that is not there" "$preset" get --in Q7X --out Q7X --force got.q7x
expect_refusal "a port that is not there" "$preset" send --out "No Such Port" sent.q7x
cmp kept.q7x got.q7x || fail "a failed get changed the file"
echo "PASS"
