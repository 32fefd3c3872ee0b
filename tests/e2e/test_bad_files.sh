# Files the editor must refuse: a 102-byte file and a 103-byte file with a byte out of range each
# show "Invalid File" and change neither the title nor any value. A save that cannot be written
# shows "Unable to Save", and the document stays open after Yes to the save question.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

short="$E2E_FILES/short.q7x"
e2e_write_preset "$E2E_DIR/full.q7x" 0=5
head -c 102 "$E2E_DIR/full.q7x" >"$short"
# Keybed Transpose changed (valid) before a pad Mode of 4 (out of range): nothing may be applied.
out_of_range="$E2E_FILES/out of range.q7x"
e2e_write_preset "$out_of_range" 0=5 68=4

e2e_start_editor
title="${E2E_TITLE_PREFIX}Untitled 1"
e2e_use_document "$title"
e2e_click_tab 4
e2e_park_mouse
e2e_shot keybed-before
e2e_crop_view "$E2E_DIR/keybed-before.png"
e2e_click_tab 0

for file in "$short" "$out_of_range"; do
    name=$(basename "$file" .q7x)
    e2e_click_preset_button 2
    e2e_choose_file "Select Filename to open" "$file"
    e2e_answer "Invalid File" Return
    e2e_use_document "$title"
    [ "$(e2e_editor_titles)" = "$title" ] || e2e_fail "after refusing $name the windows are: $(e2e_editor_titles | paste -sd'|')"
done

# The keybed still shows Transpose 0, and the preset is still the default one.
e2e_click_tab 4
e2e_park_mouse
e2e_shot keybed-after
e2e_crop_view "$E2E_DIR/keybed-after.png"
d=$(e2e_differing_pixels "$E2E_DIR/keybed-before.png" "$E2E_DIR/keybed-after.png")
[ "${d:-9999}" -le 10 ] || e2e_fail "the Keybed section changed after the refused files ($d pixels, keybed-before.png, keybed-after.png)"

# A place no one can write to, not even root: a "folder" that is a regular file.
not_a_folder="$E2E_FILES/not a folder"
printf 'plain file\n' >"$not_a_folder"
e2e_key ctrl+w
e2e_answer "Save Document" y
e2e_choose_file "Select Filename to save" "$not_a_folder/preset.q7x"
e2e_answer "Unable to Save" Return
e2e_use_document "$title"
[ "$(cat "$not_a_folder")" = "plain file" ] || e2e_fail "the file standing in for a folder was changed"

# The document still holds the default preset: Save As to a good place.
good="$E2E_FILES/good.q7x"
e2e_menu File 5
e2e_choose_file "Select Filename to save" "$good"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$good"
e2e_expect_file_bytes "$good"
e2e_wait_window "${E2E_TITLE_PREFIX}good"
