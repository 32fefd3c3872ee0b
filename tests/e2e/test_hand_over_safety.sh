# Later launches cannot harm the running editor: a file name that is not UTF-8, handed over from a
# folder named "some folder", opens a new document with "Invalid File" and leaves the first one
# alone; while the running editor is stopped, a later launch says so on standard error and opens
# its file itself, and the running editor, once resumed, does not open that file a second time.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_write_preset "$E2E_FILES/kept.q7x" 0=5
e2e_write_preset "$E2E_FILES/other.q7x" 1=7
folder="$E2E_FILES/some folder"
mkdir -p "$folder"

# The editor that will be stopped runs in a session of its own: sharing the scenario's process
# group, it was killed by a hang-up signal while stopped under a parallel CTest (the kernel sends one
# to stopped processes of a process group that has no parent left in its session).
real_editor=$E2E_EDITOR
printf '#!/bin/sh\nexec setsid "%s" "$@"\n' "$real_editor" >"$E2E_DIR/bin/editor-in-own-session"
chmod +x "$E2E_DIR/bin/editor-in-own-session"
E2E_EDITOR="$E2E_DIR/bin/editor-in-own-session"
E2E_CWD=$E2E_FILES e2e_start_editor "kept.q7x"
E2E_EDITOR=$real_editor
e2e_use_document "${E2E_TITLE_PREFIX}kept"
first=$E2E_EDITOR_PID

# A name of bytes that are no UTF-8 at all: the second launch still hands something over and ends.
E2E_CWD=$folder e2e_launch odd-name "$(printf '.\001- \320\377\377\377\377\377\377\377\377\377\377')"
e2e_wait_exit "$E2E_LAST_PID" 10
[ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "the launch with an odd name ended with status $E2E_EXIT_STATUS"
e2e_answer "Invalid File" Return
e2e_process_running "$first" || e2e_fail "the running editor is gone"
titles=$(e2e_editor_titles)
[ "$(grep -c . <<<"$titles")" -eq 2 ] && grep -qx "${E2E_TITLE_PREFIX}kept" <<<"$titles" \
    || e2e_fail "expected kept and one new document, saw: $(paste -sd'|' <<<"$titles")"
e2e_shot odd-name-handed-over

# The running editor stops answering; the next launch waits for it, then runs on its own.
kill -STOP "$first"
E2E_CWD=$E2E_FILES e2e_launch while-stopped "other.q7x"
second=$E2E_LAST_PID
e2e_wait_window "${E2E_TITLE_PREFIX}other" 20
grep -q "did not answer" "$E2E_DIR/while-stopped.log" \
    || e2e_fail "the second editor did not say why it runs on its own: $(cat "$E2E_DIR/while-stopped.log")"
kill -CONT "$first"

# Given time to take in what waited for it, the first editor still shows only its own two documents.
sleep 3
e2e_process_running "$first" || e2e_fail "the first editor is gone after resuming"
e2e_process_running "$second" || e2e_fail "the second editor is gone"
[ "$(e2e_window_count "${E2E_TITLE_PREFIX}other")" -eq 1 ] \
    || e2e_fail "other.q7x is open in $(e2e_window_count "${E2E_TITLE_PREFIX}other") windows"
[ "$(e2e_editor_titles | grep -c .)" -eq 3 ] \
    || e2e_fail "expected three documents in all, saw: $(e2e_editor_titles | paste -sd'|')"
e2e_shot one-file-one-editor
