#!/usr/bin/env bash
# Start-up benchmark: the editor against two JUCE programs that show what the framework alone costs
# (floor-empty: an empty 1200 x 700 window; floor-text: the same with a menu bar and 177 labels),
# kept with the team's shared benchmarks beside the repository (../shared/bench, or Q7X_FLOORS).
# Runs the three alternately, each in a fresh HOME, and prints the medians from exec to a mapped
# window and to the first painted frame, the CPU time its main thread had used by each of those
# moments (less disturbed by other load on the machine), and the editor's ratios to floor-text.
#
#   tests/benchmarks/startup/run.sh [RUNS [OTHER_EDITOR]]
#
# RUNS defaults to 20; the editor is build/q7x-editor (./run-tests builds it). OTHER_EDITOR, an
# editor binary built from another revision, joins the alternation as "other" for a before/after.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../../tools/common.sh"
runs=${1:-20}
other=${2:-}
build="$Q7X_ROOT/build"
floors=${Q7X_FLOORS:-$Q7X_ROOT/../shared/bench}
probe="$build/tests/startup-probe"
editor="$build/q7x-editor"
[ -x "$probe" ] && [ -x "$editor" ] || { echo "Build first: ./run-tests (or cmake --build build)" >&2; exit 2; }
[ -d "$floors/floor-text" ] || { echo "No floor programs in $floors (set Q7X_FLOORS)" >&2; exit 2; }

compiler=$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$build/CMakeCache.txt")
for floor in floor-empty floor-text; do
    cmake -S "$floors/$floor" -B "$build/bench/$floor" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
    cmake --build "$build/bench/$floor" --parallel "$(nproc)" >/dev/null 2>&1
done
q7x_ensure_display

# The first frame counts as painted when one pixel shows its final colour: in the floors the grey
# window background right of the labels (their lower right shows the framework's splash at first),
# in the editor the blue lower band.
measure() # NAME WINDOW X Y COLOUR PROGRAM
{
    local home; home=$(mktemp -d)
    HOME=$home XDG_RUNTIME_DIR=$home "$probe" "$2" "$3" "$4" "$5" "$6" >>"$results/$1" || true
    rm -rf "$home"
}

results=$(mktemp -d)
trap 'rm -rf "$results"' EXIT
for _ in $(seq "$runs"); do
    measure floor-empty "Floor - Untitled 1" 1195 300 808080 "$build/bench/floor-empty/floor"
    measure floor-text "Floor - Untitled 1" 1195 300 808080 "$build/bench/floor-text/floor"
    measure editor "Pelmar Q7X Editor - Untitled 1" 1100 690 0093d0 "$editor"
    [ -z "$other" ] || measure other "Pelmar Q7X Editor - Untitled 1" 1100 690 0093d0 "$other"
done

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
labels=(mapped painted "cpu mapped" "cpu painted")
printf '%-12s %12s %12s %12s %12s   (median ms of %d runs, from exec)\n' program "${labels[@]}" "$runs"
for name in floor-empty floor-text editor ${other:+other}; do
    printf '%-12s' "$name"
    for column in 1 2 3 4; do printf ' %12s' "$(cut -d' ' -f$column "$results/$name" | median)"; done
    printf '\n'
done
for column in 1 2 3 4; do
    e=$(cut -d' ' -f$column "$results/editor" | median)
    f=$(cut -d' ' -f$column "$results/floor-text" | median)
    awk -v e="$e" -v f="$f" -v l="${labels[column - 1]}" 'BEGIN {printf "editor / floor-text, %s: %.2f\n", l, e / f}'
done
