# A second launch hands its file, named relative to its own working folder, to the running editor
# and exits at once; neither a socket left behind by a killed editor nor an editor that quit before
# stops the next start from taking hand-overs.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_write_preset "$E2E_FILES/My Preset.q7x"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
first=$E2E_EDITOR_PID

# The second launch, from the preset's folder, with a relative path holding a space.
E2E_CWD=$E2E_FILES e2e_launch second-launch "My Preset.q7x"
e2e_wait_exit "$E2E_LAST_PID" 5
[ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "the second launch ended with status $E2E_EXIT_STATUS"
e2e_wait_window "${E2E_TITLE_PREFIX}My Preset"
e2e_has_window "${E2E_TITLE_PREFIX}Untitled 1" || e2e_fail "the document being edited was replaced"
e2e_process_running "$first" || e2e_fail "the first editor is gone"
e2e_shot handed-over

# A killed editor leaves its socket behind; the next start must still come up.
kill -KILL "$first"
e2e_wait_exit "$first" 5
[ -S "$E2E_RUNTIME/q7x-editor-$(id -un).socket" ] || e2e_fail "expected the killed editor's socket to remain"
e2e_wait_gone "${E2E_TITLE_PREFIX}My Preset"
E2E_CWD=$E2E_FILES e2e_start_editor "My Preset.q7x"
e2e_use_document "${E2E_TITLE_PREFIX}My Preset"
e2e_shot after-killed-editor

# An editor that quit normally leaves nothing in the way either: the next one takes hand-overs.
e2e_key ctrl+q
e2e_answer "Save Document" n
e2e_wait_exit "$E2E_EDITOR_PID" 10
[ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "the editor ended with status $E2E_EXIT_STATUS"
e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
E2E_CWD=$E2E_FILES e2e_launch relaunch-second "My Preset.q7x"
e2e_wait_exit "$E2E_LAST_PID" 5
[ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "a second launch after a restart ended with status $E2E_EXIT_STATUS"
e2e_wait_window "${E2E_TITLE_PREFIX}My Preset"
e2e_shot handed-over-after-restart
