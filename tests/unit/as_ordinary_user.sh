#!/usr/bin/env bash
# The file tests of the unit tests again, as an ordinary user, when the tests run as root (as CI
# does): file permissions bind only such a user, so as root those checks skip or take another path.
#   as_ordinary_user.sh PATH-TO-q7x_unit_tests GTEST-FILTER
# Exits 77 (skipped) when not run as root: the ordinary run of the unit tests is then this run.
set -uo pipefail

program=$(readlink -f "$1")
filter=$2
[ "$(id -u)" -eq 0 ] || { echo "not root: the unit tests already run as an ordinary user"; exit 77; }

# A user and group no account here has; nothing outside its own home belongs to it.
user=4321 group=4321
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
chown "$user:$group" "$home"

setpriv --reuid="$user" --regid="$group" --clear-groups \
    env HOME="$home" TMPDIR="$home" "$program" --gtest_filter="$filter" | tee "$home/output"
status=${PIPESTATUS[0]}
# A filter that names no test runs none and passes: that is a failure here.
grep -Eq '^\[  PASSED  \] [1-9][0-9]* test' "$home/output" || { echo "FAIL: no test of \"$filter\" passed"; exit 1; }
exit "$status"
