# Started as a desktop launcher starts it, by name from PATH in a working folder of the user's, the
# editor opens the guide installed beside it (share/doc/q7x-editor of its prefix), not one under
# the working folder; when no program can open it, a message box says so.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

prefix="$E2E_DIR/prefix"
guide="$prefix/share/doc/q7x-editor/Q7X Editor - User Guide - v1.0.pdf"
mkdir -p "$prefix/bin" "$E2E_FILES/work/share/doc/q7x-editor"
cp "$E2E_EDITOR" "$prefix/bin/q7x-editor"
e2e_write_guide "$guide"
export PATH="$prefix/bin:$PATH"
E2E_EDITOR=q7x-editor
E2E_CWD="$E2E_FILES/work"
e2e_start_editor

e2e_expect_guide_opened 1 "$guide"

# No viewer: the desktop's opener gives up (xdg-open's status 3), and the editor says so.
e2e_stand_in_opener 3
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+h
e2e_wait_window "Pelmar Q7X Editor"
e2e_shot no-viewer
e2e_answer "Pelmar Q7X Editor" Return
[ "$(grep -c . "$E2E_DIR/xdg-open.calls")" -eq 2 ] || e2e_fail "the opener was not asked a second time"
kill -0 "$E2E_EDITOR_PID" || e2e_fail "the editor ended"
