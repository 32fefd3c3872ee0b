# File > Quit, answered No, must end the editor every time; eight tries. Each try starts without
# the socket an earlier editor left behind, so that this shows only the quit.
source "$(dirname "$0")/../lib.sh"
e2e_begin "$@"

for try in 1 2 3 4 5 6 7 8; do
    rm -f "$E2E_RUNTIME"/*.socket
    e2e_start_editor
    e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
    e2e_menu File 7
    e2e_answer "Save Document" n
    e2e_wait_gone "${E2E_TITLE_PREFIX}Untitled 1"
    e2e_wait_exit "$E2E_EDITOR_PID" 5
    e2e_log "try $try: the editor ended with status $E2E_EXIT_STATUS"
done
