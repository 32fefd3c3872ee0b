# New Window opens documents Untitled 2 .. 5, each 15 pixels further down and right; at five
# documents a further New Window only shows the "Maxiumum Number of Open Documents Reached" alert.
# After one window closes, the next is numbered one higher than the last one created.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

limit_title="Maxiumum Number of Open Documents Reached"
e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_geometry "$E2E_DOC"
x1=$E2E_X; y1=$E2E_Y

# Four through the keyboard shortcut, the first one through the File menu.
for n in 2 3 4 5; do
    if [ "$n" -eq 2 ]; then e2e_menu File 1; else e2e_key ctrl+n; fi
    e2e_use_document "${E2E_TITLE_PREFIX}Untitled $n"
    e2e_geometry "$E2E_DOC"
    [ $((E2E_X - x1)) -eq $((15 * (n - 1))) ] && [ $((E2E_Y - y1)) -eq $((15 * (n - 1))) ] \
        || e2e_fail "Untitled $n is at ($E2E_X, $E2E_Y), expected 15 x $((n - 1)) pixels right of and below Untitled 1 at ($x1, $y1)"
done
e2e_shot five-windows

# The sixth and seventh: only the alert.
for attempt in 1 2; do
    e2e_key ctrl+n
    e2e_wait_window "$limit_title"
    [ "$(e2e_editor_titles | wc -l)" -eq 5 ] || e2e_fail "expected five document windows, saw: $(e2e_editor_titles | paste -sd'|')"
    e2e_answer "$limit_title" Return
    e2e_use_document "${E2E_TITLE_PREFIX}Untitled 5"
done
e2e_no_window "${E2E_TITLE_PREFIX}Untitled 6" || e2e_fail "a sixth document opened"

# Close Untitled 3 (No to the save question); the next new window is Untitled 6.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 3"
e2e_key ctrl+w
e2e_answer "Save Document" n
e2e_wait_gone "${E2E_TITLE_PREFIX}Untitled 3"
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 5"
e2e_key ctrl+n
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 6"
e2e_shot after-close
expected=$(printf "${E2E_TITLE_PREFIX}Untitled %s\n" 1 2 4 5 6)
[ "$(e2e_editor_titles)" = "$expected" ] || e2e_fail "windows after closing Untitled 3: $(e2e_editor_titles | paste -sd'|')"
