# At a desktop scale of 2 on a 2732 x 1536 screen (1366 x 768 points) the editor's window lies wholly
# on the screen at twice its size, its art is the double-size rendering rather than the single-size
# images blown up, and its tabs still take clicks.
E2E_SCREEN=2732x1536
E2E_DESKTOP_SCALE=2
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_fitted_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_expect_on_screen "$E2E_DOC"
[ "$E2E_ZOOM_NUM" -eq 2400 ] || e2e_fail "the editor is $E2E_ZOOM_NUM pixels wide on a scale-2 screen, expected 2400"

e2e_park_mouse
e2e_shot scale2

# expect_sharp NAME X Y: the screen shows the double-size rendering of NAME at layout position X, Y,
# and the single-size image blown up to that size would not pass for it.
expect_sharp()
{
    local name=$1 x=$(( E2E_CX + 2 * $2 )) y=$(( E2E_CY + 2 * $3 )) w h sharp blurred
    w=$(identify -format '%w' "$E2E_ASSETS/2x/$name.png")
    h=$(identify -format '%h' "$E2E_ASSETS/2x/$name.png")
    convert "$E2E_SHOT" -crop "${w}x${h}+$x+$y" +repage "$E2E_DIR/$name-seen.png"
    convert "$E2E_ASSETS/2x/$name.png" -background '#0093D0' -flatten "$E2E_DIR/$name-2x.png"
    convert "$E2E_ASSETS/$name.png" -background '#0093D0' -flatten -resize 200% "$E2E_DIR/$name-blown-up.png"
    sharp=$(e2e_differing_pixels "$E2E_DIR/$name-2x.png" "$E2E_DIR/$name-seen.png")
    blurred=$(e2e_differing_pixels "$E2E_DIR/$name-blown-up.png" "$E2E_DIR/$name-seen.png")
    e2e_log "$name: ${sharp:-?} pixels differ from the double-size rendering, ${blurred:-?} from the single-size one blown up"
    [ -n "$sharp" ] && [ "$sharp" -le $(( w * h / 200 )) ] \
        || e2e_fail "$name at ($2, $3) is not the double-size rendering (${sharp:-?} pixels differ, $name-seen.png)"
    [ -n "$blurred" ] && [ "$blurred" -gt $(( 4 * sharp + w * h / 100 )) ] \
        || e2e_fail "the check cannot tell $name's renderings apart (${blurred:-?} against ${sharp:-?} pixels)"
}
expect_sharp pictureBackground 26 65
expect_sharp mainTabDown 0 482
expect_sharp getPresetButtonNormal 5 527

# The tabs are where they are drawn.
for s in 3 6 0; do
    e2e_click_tab "$s"
    e2e_park_mouse
    e2e_layout_shot "tab-$s"
    e2e_expect_rows "${E2E_SECTION_NAME[$s]} section" "${E2E_SECTION_ROWS[$s]}"
done
kill -0 "$E2E_EDITOR_PID" || e2e_fail "the editor ended"
