# The untouched default preset saved through the Save Preset to Hard Drive button and the save
# chooser is exactly the built-in 103-byte dump, and the window takes the file's name. Save
# (Ctrl+S) afterwards writes the same file again without asking.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"

target="$E2E_FILES/Default Preset.q7x"
e2e_click_preset_button 3
e2e_choose_file "Select Filename to save" "$target"
e2e_wait_gone "Select Filename to save"
e2e_wait_file "$target"
e2e_expect_file_bytes "$target"
e2e_wait_window "${E2E_TITLE_PREFIX}Default Preset"
e2e_shot saved
[ "$(e2e_window_count "${E2E_TITLE_PREFIX}Untitled 1")" -eq 0 ] || e2e_fail "a window is still titled Untitled 1"

# Spoil the file on disk; Save must put the preset back without a chooser and keep the title.
e2e_use_document "${E2E_TITLE_PREFIX}Default Preset"
printf 'x' >"$target"
e2e_key ctrl+s
e2e_wait_until "Save to write the preset again" 10 e2e_file_size_is "$target" 103
e2e_expect_file_bytes "$target"
e2e_no_window "Select Filename to save" || e2e_fail "Save opened a chooser for a document that has a file"
e2e_wait_window "${E2E_TITLE_PREFIX}Default Preset"
e2e_shot saved-again
files=$(ls -A "$E2E_FILES")
[ "$files" = "Default Preset.q7x" ] || e2e_fail "unexpected files beside the preset: $(paste -sd, <<<"$files")"
