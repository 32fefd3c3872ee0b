# A preset written by q7x-preset (Keybed Transpose -5, Pad 3 in CC Momentary with Released 64,
# Knob 2 in Aftertouch) opens in the editor with those values, and the copy the editor saves of it
# is the same preset to q7x-preset diff. The program is named by Q7X_PRESET.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

program=${Q7X_PRESET:?Q7X_PRESET names the q7x-preset program}
written="$E2E_FILES/from the program.q7x"

"$program" new "$written" >"$E2E_DIR/program.log" 2>&1 \
    && "$program" set "$written" "Keybed Transpose=-5" "Pad 3 Mode=CC Momentary" "Pad 3 Released=64" \
                                 "Knob 2 Mode=Aftertouch" >>"$E2E_DIR/program.log" 2>&1 \
    || e2e_fail "q7x-preset could not write the preset: $(cat "$E2E_DIR/program.log")"
e2e_expect_file_bytes "$written" 0=7 18=1 43=2 46=64

e2e_start_editor "$written"
e2e_use_document "${E2E_TITLE_PREFIX}from the program"
e2e_click_tab 1
e2e_park_mouse
e2e_shot opened-knobs
e2e_expect_rows "Knob 2 in Aftertouch" "11111 11110 11111 11111"

# Save As from the menu (File, fifth item).
copy="$E2E_FILES/saved by the editor.q7x"
e2e_menu File 5
e2e_choose_file "Select Filename to save" "$copy"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$copy"
"$program" diff "$written" "$copy" >"$E2E_DIR/diff.txt" 2>&1 \
    || e2e_fail "q7x-preset sees differences in the editor's copy: $(cat "$E2E_DIR/diff.txt")"

e2e_key ctrl+q
e2e_answer "Save Document" n
e2e_wait_exit "$E2E_EDITOR_PID" 10
[ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "the editor ended with status $E2E_EXIT_STATUS"
