# A second launch must reach the running editor also when an editor ran and quit before in the same
# session: quit once, start again, then start a second q7x-editor with a file.
source "$(dirname "$0")/../lib.sh"
e2e_begin "$@"

file="$E2E_FILES/second.q7x"
e2e_write_preset "$file" 0=20

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+q
e2e_wait_window "Save Document"
e2e_key n
e2e_wait_exit "$E2E_EDITOR_PID" 10

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_launch second-launch "$file"
e2e_wait_exit "$E2E_LAST_PID" 10 || true
e2e_wait_window "${E2E_TITLE_PREFIX}second"
e2e_shot after-second-launch
