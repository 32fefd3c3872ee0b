# A DISPLAY that names no running X server: the editor says so and exits with status 1, instead
# of crashing while it places its first window.
#   test_unreachable_display.sh EDITOR [ARTIFACTS]
set -uo pipefail
editor=$1

display=
for n in $(seq 470 499); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "$display" ] || { echo "no free display number to point at"; exit 1; }

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
output=$(HOME=$home XDG_RUNTIME_DIR=$home DISPLAY=$display timeout 20 "$editor" 2>&1)
status=$?

echo "status $status: $output"
[ "$status" -eq 1 ] || { echo "FAIL: expected exit status 1"; exit 1; }
grep -qF "cannot reach the X display \"$display\"" <<<"$output" || { echo "FAIL: the reason is not given"; exit 1; }
! grep -q "Leaked objects" <<<"$output" || { echo "FAIL: objects leaked"; exit 1; }
echo PASS
