# The editor of a release build folder opens the guide that folder built, when the user has none.
work=$(cd "$1" && pwd)
build="$work/build"
guide="$build/docs/Q7X Editor - User Guide - v1.0.pdf"
[ -f "$guide" ] || { echo "FAIL: no guide at $guide" >&2; exit 1; }

source "$(dirname "$0")/../e2e/lib.sh"
e2e_begin "$build/q7x-editor" "$work/build-tree-guide"
e2e_start_editor
e2e_expect_guide_opened 1 "$guide"
