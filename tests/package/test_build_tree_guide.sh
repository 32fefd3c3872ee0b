# The editor of a release build folder opens the guide that folder built, when the user has none.
work=$(cd "$1" && pwd)
build="$work/build"
guide="$build/docs/Q7X Editor - User Guide - v1.0.pdf"
[ -f "$guide" ] || { echo "FAIL: no guide at $guide" >&2; exit 1; }

source "$(dirname "$0")/../e2e/lib.sh"
e2e_begin "$build/q7x-editor" "$work/build-tree-guide"
e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+h
e2e_wait_file "$E2E_DIR/xdg-open.calls" 10
[ "$(cat "$E2E_DIR/xdg-open.calls")" = "$guide" ] \
    || e2e_fail "asked to open \"$(cat "$E2E_DIR/xdg-open.calls")\", expected \"$guide\""
e2e_no_window "Pelmar Q7X Editor" || e2e_fail "a dialog came up although the build folder holds the guide"
