# Quit with three documents asks about each, newest first: No closes Untitled 3, Cancel on the
# second question keeps the editor running with Untitled 1 and 2; quitting again and answering No
# twice ends the process with status 0 and without leak or assertion reports.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+n
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 2"
e2e_key ctrl+n
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 3"
e2e_shot three-documents

expect_windows()
{
    local expected
    expected=$(printf "${E2E_TITLE_PREFIX}Untitled %s\n" "$@")
    [ "$(e2e_editor_titles)" = "$expected" ] || e2e_fail "expected windows $*, saw: $(e2e_editor_titles | paste -sd'|')"
}


# First quit, with Ctrl+Q: the first question is about Untitled 3.
e2e_key ctrl+q
e2e_answer "Save Document" n
e2e_wait_gone "${E2E_TITLE_PREFIX}Untitled 3"
expect_windows 1 2
# The second question: Cancel. The newest remaining window stays and so does the editor.
e2e_answer "Save Document" Escape
e2e_shot after-cancel
expect_windows 1 2
kill -0 "$E2E_EDITOR_PID" || e2e_fail "the editor ended after Cancel"
# No further question follows a Cancel.
e2e_wait_until_or_timeout 1 e2e_has_window "Save Document" && e2e_fail "a save question followed the Cancel"

# Second quit: Untitled 2 first, then Untitled 1, then the process ends. (File > Quit is driven by
# test_quit_from_menu.sh.)
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+q
e2e_answer "Save Document" n
e2e_wait_gone "${E2E_TITLE_PREFIX}Untitled 2"
expect_windows 1
e2e_answer "Save Document" n
e2e_wait_exit "$E2E_EDITOR_PID" 15
[ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "the editor ended with status $E2E_EXIT_STATUS"

for report in "Leaked objects detected" "JUCE Assertion failure"; do
    ! grep -q "$report" "$E2E_DIR/editor.log" || e2e_fail "the editor printed \"$report\" (editor.log)"
done
# Release builds leave JUCE's leak detector out; say so rather than pretend the check ran.
grep -q "Leaked objects detected" "$E2E_EDITOR" \
    || e2e_log "note: this build of q7x-editor has no leak detector; the leak check could not find anything"
