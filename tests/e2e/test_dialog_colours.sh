# The framework's own dialogs come up in the editor's light colours, not as dark boxes: the missing
# guide dialog, the file chooser and the save question, each with its text still dark on light.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

# expect_light TITLE: the window TITLE is light on the whole (mean brightness above 0.85) and still
# shows dark text (its darkest pixels below 0.3).
expect_light()
{
    local win mean darkest
    e2e_wait_window "$1"
    win=$E2E_WIN
    e2e_park_mouse
    e2e_shot "light-$(tr -c 'A-Za-z0-9\n' - <<<"$1" | tr -s -)"
    e2e_geometry "$win"
    convert "$E2E_SHOT" -crop "${E2E_W}x${E2E_H}+${E2E_X}+${E2E_Y}" +repage -colorspace gray "$E2E_DIR/seen.png"
    mean=$(convert "$E2E_DIR/seen.png" -format '%[fx:mean]' info:)
    darkest=$(convert "$E2E_DIR/seen.png" -format '%[fx:minima]' info:)
    e2e_log "\"$1\": mean brightness $mean, darkest $darkest"
    awk -v m="$mean" 'BEGIN { exit !(m > 0.85) }' || e2e_fail "\"$1\" is dark (mean brightness $mean, screenshot $E2E_SHOT)"
    awk -v d="$darkest" 'BEGIN { exit !(d < 0.3) }' || e2e_fail "\"$1\" shows no dark text (darkest $darkest, screenshot $E2E_SHOT)"
}

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+h
expect_light "Pelmar Q7X Editor"
e2e_answer "Pelmar Q7X Editor" Return

e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+o
expect_light "Select Filename to open"
e2e_cancel_chooser "Select Filename to open"

e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+w
expect_light "Save Document"
e2e_answer "Save Document" Escape
e2e_has_window "${E2E_TITLE_PREFIX}Untitled 1" || e2e_fail "Cancel closed the document"
