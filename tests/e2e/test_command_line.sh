# A preset file named on the command line opens in the first document, whether the path is plain,
# contains spaces, or arrives wrapped in quotes; a second q7x-editor started with another path while
# the first runs hands the file to the running editor and ends.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

# Three presets that differ from the default and from each other.
plain="$E2E_FILES/plain.q7x"
spaced="$E2E_FILES/with spaces.q7x"
second="$E2E_FILES/second one.q7x"
e2e_write_preset "$plain" 0=5 13=1
e2e_write_preset "$spaced" 1=7
e2e_write_preset "$second" 0=20 33=3 36=2

# saved_copy_is TITLE FILE: saves the document TITLE under a new name and compares the copy with
# FILE, which shows that the window holds the file's values.
saved_copy_is()
{
    E2E_COPIES=$((${E2E_COPIES:-0} + 1))
    local copy="$E2E_FILES/copy-$E2E_COPIES.q7x"
    e2e_use_document "${E2E_TITLE_PREFIX}$1"
    e2e_menu File 5
    e2e_choose_file "Select Filename to save" "$copy"
    e2e_wait_gone "Select Filename to save"
    e2e_wait_file "$copy"
    cmp -s "$copy" "$2" || e2e_fail "the window \"$1\" does not hold the values of $2: saved copy $(e2e_hex "$copy")"
}

# run_with LABEL TITLE FILE ARGUMENT: starts the editor with ARGUMENT, expects one window TITLE
# holding FILE's values, and quits.
run_with()
{
    local label=$1 title=$2 file=$3 argument=$4
    e2e_start_editor "$argument"
    e2e_use_document "${E2E_TITLE_PREFIX}$title"
    e2e_park_mouse
    e2e_shot "$label"
    local titles
    titles=$(e2e_editor_titles)
    [ "$titles" = "${E2E_TITLE_PREFIX}$title" ] || e2e_fail "$label: expected one document window, saw: $(paste -sd'|' <<<"$titles")"
    saved_copy_is "$title" "$file"
    # Quit (Ctrl+Q), answering No to the save question.
    e2e_key ctrl+q
    e2e_answer "Save Document" n
    e2e_wait_exit "$E2E_EDITOR_PID" 10
    [ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "$label: the editor ended with status $E2E_EXIT_STATUS"
}

# A second launch while the first runs: the second process ends at once and the running editor
# opens the file as a new document.
e2e_start_editor "$plain"
e2e_use_document "${E2E_TITLE_PREFIX}plain"
e2e_launch second-launch "$second"
second_pid=$E2E_LAST_PID
e2e_wait_exit "$second_pid" 10
[ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "the second q7x-editor ended with status $E2E_EXIT_STATUS"
e2e_wait_window "${E2E_TITLE_PREFIX}second one"
e2e_shot handed-over
kill -0 "$E2E_EDITOR_PID" || e2e_fail "the first editor ended when the second one started"
# It comes up as a new document beside the first one.
titles=$(e2e_editor_titles)
[ "$titles" = "$(printf '%s\n%s' "${E2E_TITLE_PREFIX}plain" "${E2E_TITLE_PREFIX}second one")" ] \
    || e2e_fail "after the hand-over expected the windows plain and second one, saw: $(paste -sd'|' <<<"$titles")"
saved_copy_is "second one" "$second"

# Quit (Ctrl+Q) and answer No twice.
e2e_use_document "${E2E_TITLE_PREFIX}plain"
e2e_key ctrl+q
e2e_answer "Save Document" n
e2e_answer "Save Document" n
e2e_wait_exit "$E2E_EDITOR_PID" 10
[ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "the editor ended with status $E2E_EXIT_STATUS"

# A plain path; a path with spaces (the editor joins its arguments and quotes that one); a path
# passed with quote characters around it.
run_with plain-path plain "$plain" "$plain"
run_with spaced-path "with spaces" "$spaced" "$spaced"
run_with quoted-path "with spaces" "$spaced" "\"$spaced\""
