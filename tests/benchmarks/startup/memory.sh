#!/usr/bin/env bash
# Memory of the editor with one and with two documents: VmRSS (and its anonymous and shared
# memory parts) read 2.5 s after each window appears, the second opened with Ctrl+N, and again
# once the second has made all its sections (Ctrl+2 shows Knobs). Runs the editor RUNS times,
# each in a fresh HOME, and prints the medians in MB.
#
#   tests/benchmarks/startup/memory.sh [RUNS [EDITOR]]
#
# RUNS defaults to 5; EDITOR to build/q7x-editor. Needs xdotool; uses the current X display, or
# an Xvfb + openbox of its own.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../../tools/common.sh"
runs=${1:-5}
editor=${2:-$Q7X_ROOT/build/q7x-editor}
[ -x "$editor" ] || { echo "Build first: ./run-tests (or cmake --build build)" >&2; exit 2; }
q7x_ensure_display

settle=2.5
title="Pelmar Q7X Editor - Untitled"

# kB of one field of /proc/PID/status
field() { awk -v f="$2:" '$1 == f {print $2}' "/proc/$1/status"; }

pid=
stop_editor()
{
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}

wait_for_window() # NAME
{
    for _ in $(seq 100); do
        xdotool search --pid "$pid" --name "^$1\$" >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "no window '$1'" >&2
    return 1
}

results=$(mktemp -d)
trap 'rm -rf "$results"; [ -z "$pid" ] || stop_editor' EXIT

for _ in $(seq "$runs"); do
    home=$(mktemp -d)
    HOME=$home XDG_RUNTIME_DIR=$home "$editor" >/dev/null 2>&1 &
    pid=$!
    wait_for_window "$title 1"
    sleep "$settle"
    one=$(field $pid VmRSS) oneAnon=$(field $pid RssAnon) oneShm=$(field $pid RssShmem)
    xdotool search --pid "$pid" --name "^$title 1\$" windowactivate --sync key ctrl+n
    xdotool keyup ctrl n   # a key left down would repeat into the next run's editor
    wait_for_window "$title 2"
    sleep "$settle"
    two=$(field $pid VmRSS) twoAnon=$(field $pid RssAnon) twoShm=$(field $pid RssShmem)
    xdotool search --pid "$pid" --name "^$title 2\$" windowactivate --sync key ctrl+2
    xdotool keyup ctrl 2
    sleep "$settle"
    used=$(field $pid VmRSS) usedAnon=$(field $pid RssAnon) usedShm=$(field $pid RssShmem)
    stop_editor
    rm -rf "$home"
    echo "$one $((two - one)) $oneAnon $((twoAnon - oneAnon)) $oneShm $((twoShm - oneShm))" \
         "$((used - one)) $((usedAnon - oneAnon)) $((usedShm - oneShm))" >>"$results/all"
done

median() { sort -n | awk '{a[NR]=$1} END {m = (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2; printf "%.1f", m / 1024}'; }
column() { cut -d' ' -f"$1" "$results/all" | median; }
printf '%-22s %10s %10s   (median MB of %d runs, %s s after each window)\n' "" RSS "of it:anon/shm" "$runs" "$settle"
printf '%-22s %10s %10s\n' "one document" "$(column 1)" "$(column 3)/$(column 5)"
printf '%-22s %10s %10s\n' "each further document" "+$(column 2)" "+$(column 4)/+$(column 6)"
printf '%-22s %10s %10s\n' "  ... sections made" "+$(column 7)" "+$(column 8)/+$(column 9)"
