# Started without arguments, the editor shows one document window, Untitled 1, with a menu bar over
# the 1200 x 700 editor, and the Main section: the blue band, the Main tab down, the four preset
# buttons, the controller picture with no hotspot highlighted.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_park_mouse
e2e_shot start

titles=$(e2e_editor_titles)
[ "$titles" = "${E2E_TITLE_PREFIX}Untitled 1" ] || e2e_fail "expected one document window, saw: $titles"
[ "$E2E_MENU_H" -gt 0 ] || e2e_fail "the document window has no menu bar above its 1200 x 700 content"
e2e_log "client area ${E2E_W}x${E2E_H} at ($E2E_X, $E2E_Y): menu bar $E2E_MENU_H high, content at ($E2E_CX, $E2E_CY)"

# The blue band of the background, right of the preset buttons and along the bottom.
for xy in "600 540" "1100 600" "300 690" "20 695"; do
    e2e_expect_pixel "blue band" ${xy% *} ${xy#* } 0093D0
done
# The white header above the picture.
e2e_expect_pixel "white header" 1195 5 FFFFFF

# Main tab down, every other tab and every hotspot in its normal image.
e2e_expect_selected 0

# The controller picture with its hotspots, compared as a whole.
composite=(convert "$E2E_ASSETS/pictureBackground.png")
for i in 0 1 2 3 4 5; do
    composite+=("$E2E_ASSETS/${E2E_HOT_IMAGE[$i]}Normal.png" -geometry "+${E2E_HOT_X[$i]}+${E2E_HOT_Y[$i]}" -composite)
done
"${composite[@]}" "$E2E_DIR/expected-picture.png"
e2e_crop "$E2E_PICTURE_X" "$E2E_PICTURE_Y" 1147 396 "$E2E_DIR/seen-picture.png"
diff=$(e2e_differing_pixels "$E2E_DIR/expected-picture.png" "$E2E_DIR/seen-picture.png")
[ -n "$diff" ] && [ "$diff" -le 4542 ] \
    || e2e_fail "controller picture: ${diff:-?} of 454212 pixels differ from the expected picture (see seen-picture.png, expected-picture.png)"

# The four preset buttons of the Main section, top to bottom, and no control panel.
for i in 0 1 2 3; do
    e2e_expect_image "Main section button $((i + 1))" "${E2E_PRESET_BUTTON_IMAGE[$i]}Normal" 5 $((E2E_VIEW_Y + 40 * i))
done
rows=$(e2e_rows_shown)
[ "${rows#* }" = "00000 00000 00000" ] || e2e_fail "Main section shows control widgets: $rows (screenshot $E2E_SHOT)"

# Nothing else on screen: no alert, no second window.
others=$(e2e_list_titles | grep -v "^${E2E_TITLE_PREFIX}Untitled 1\$" || true)
[ -z "$others" ] || e2e_fail "unexpected windows at start: $others"
kill -0 "$E2E_EDITOR_PID" || e2e_fail "the editor ended"

# The menu bar holds five menus: from File, Right walks through four more and comes back to File,
# each opening to the right of the one before.
e2e_click_abs $((E2E_X + 10)) $((E2E_Y + E2E_MENU_H / 2))
e2e_wait_until "the File menu to open" 5 e2e_has_window menu
menu_x=()
for n in 1 2 3 4 5 6; do
    menu=$(e2e_windows_titled menu | head -n1)
    e2e_geometry "$menu"
    menu_x+=("$E2E_X")
    [ "$n" -eq 6 ] && break
    e2e_shot "menu-$n"
    e2e_key Right
    e2e_wait_until "the next menu to open" 5 e2e_menus_changed "$menu"
done
e2e_key Escape
e2e_wait_until "the menu to close" 5 e2e_no_window menu
e2e_log "menus open at x = ${menu_x[*]}"
[ "${menu_x[0]}" -lt "${menu_x[1]}" ] && [ "${menu_x[1]}" -lt "${menu_x[2]}" ] && [ "${menu_x[2]}" -lt "${menu_x[3]}" ] \
    && [ "${menu_x[3]}" -lt "${menu_x[4]}" ] \
    && [ "${menu_x[5]}" -eq "${menu_x[0]}" ] || e2e_fail "expected five menus side by side, opened at x = ${menu_x[*]}"
