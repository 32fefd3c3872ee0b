# Values typed and chosen in the editor (Keybed Transpose -5, Pad 3 in CC Momentary with Released 64,
# Knob 2 in Aftertouch) are saved as the expected bytes; after the window is closed and the file is
# opened again in a new window, every value shows again and saving that window gives the same bytes.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

# Keybed: Transpose is the second row.
e2e_click_tab 4
e2e_set_number 0 1 -5
# Drum Pads: Pad 3 to CC Momentary (third of four modes), then Released, its fifth row, to 64.
e2e_click_tab 3
e2e_choose_mode 2 3 4
e2e_set_number 2 4 64
# Knobs: Knob 2 to Aftertouch (second of two modes).
e2e_click_tab 1
e2e_choose_mode 1 2 2
e2e_park_mouse
e2e_shot edited-knobs
e2e_expect_rows "Knob 2 in Aftertouch" "11111 11110 11111 11111"

# How the edited sections look, to compare with the reopened document.
record_views()
{
    local s
    for s in 4 3 1; do
        e2e_click_tab "$s"
        e2e_park_mouse
        e2e_shot "$1-section-$s"
        e2e_crop_view "$E2E_DIR/$1-view-$s.png"
    done
}
record_views edited

edited_bytes=(0=7 18=1 43=2 46=64)
first="$E2E_FILES/edits.q7x"
e2e_click_tab 0
e2e_click_preset_button 3
e2e_choose_file "Select Filename to save" "$first"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$first"
e2e_expect_file_bytes "$first" "${edited_bytes[@]}"
e2e_wait_window "${E2E_TITLE_PREFIX}edits"

# A second window to keep a menu bar, then close the edited one without saving again.
e2e_key ctrl+n
e2e_wait_window "${E2E_TITLE_PREFIX}Untitled 2"
e2e_use_document "${E2E_TITLE_PREFIX}edits"
e2e_key ctrl+w
e2e_answer "Save Document" n
e2e_wait_gone "${E2E_TITLE_PREFIX}edits"
e2e_expect_file_bytes "$first" "${edited_bytes[@]}"

# Open the file from Untitled 2: it comes up in a window of its own.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 2"
e2e_key ctrl+o
e2e_choose_file "Select Filename to open" "$first"
e2e_wait_gone "Select Filename to open"
e2e_use_document "${E2E_TITLE_PREFIX}edits"
e2e_has_window "${E2E_TITLE_PREFIX}Untitled 2" || e2e_fail "Open replaced Untitled 2 instead of opening a new window"

# The modes' rows and the shown values are back.
e2e_click_tab 1
e2e_park_mouse
e2e_shot reopened-knobs
e2e_expect_rows "reopened Knob 2 in Aftertouch" "11111 11110 11111 11111"
record_views reopened
for s in 4 3 1; do
    d=$(e2e_differing_pixels "$E2E_DIR/edited-view-$s.png" "$E2E_DIR/reopened-view-$s.png")
    [ "${d:-9999}" -le 40 ] || e2e_fail "the reopened ${E2E_SECTION_NAME[$s]} section differs from the edited one in ${d:-?} pixels (edited-view-$s.png, reopened-view-$s.png)"
done

# Save As from the menu (File, fifth item) writes what the reopened window holds.
second="$E2E_FILES/edits again.q7x"
e2e_menu File 5
e2e_choose_file "Select Filename to save" "$second"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$second"
e2e_expect_file_bytes "$second" "${edited_bytes[@]}"
e2e_wait_window "${E2E_TITLE_PREFIX}edits again"
e2e_shot saved-again
