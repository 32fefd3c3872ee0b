# File > Quit, answered No, ends the editor every time. A quit asked for after the modal save
# question once left the main loop asleep in poll() in about one try in four (Ctrl+Q and Close
# Window on the last document went the same way less often); sixteen tries would show it again.
source "$(dirname "$0")/lib.sh"
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
