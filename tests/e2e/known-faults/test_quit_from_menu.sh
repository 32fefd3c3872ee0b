# File > Quit, answered No, must end the editor every time. In about one try in four it does not:
# the windows close and the quit message is handled, but the main loop sleeps on in poll() and
# shutdown never runs (Ctrl+Q and Close Window on the last document are not affected). Sixteen
# tries miss the fault about once in a hundred runs.
source "$(dirname "$0")/../lib.sh"
e2e_begin "$@"

for try in $(seq 16); do
    e2e_start_editor
    e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
    e2e_menu File 7
    e2e_answer "Save Document" n
    e2e_wait_gone "${E2E_TITLE_PREFIX}Untitled 1"
    e2e_wait_exit "$E2E_EDITOR_PID" 5
    e2e_log "try $try: the editor ended with status $E2E_EXIT_STATUS"
done
