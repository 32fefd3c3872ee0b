# On a 1366 x 768 screen the framed window (1202 x 745) cannot go down the cascade: Untitled 1 to 5
# each open 15 pixels right of the one before, every one wholly on the screen, no two in one place.
E2E_SCREEN=1366x768
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
places=""
for n in 1 2 3 4 5; do
    [ "$n" -eq 1 ] || e2e_key ctrl+n
    e2e_use_document "${E2E_TITLE_PREFIX}Untitled $n"
    # The frame around the client area: left, right, top, bottom.
    read -r left right top bottom < <(xprop -id "$E2E_DOC" _NET_FRAME_EXTENTS | sed 's/.*= *//; s/,/ /g')
    fx=$((E2E_X - left)); fy=$((E2E_Y - top))
    fw=$((E2E_W + left + right)); fh=$((E2E_H + top + bottom))
    e2e_log "Untitled $n: frame ${fw}x${fh} at ($fx, $fy)"
    [ "$fx" -eq $((15 * n)) ] || e2e_fail "Untitled $n's frame starts at x = $fx, expected $((15 * n))"
    [ "$fy" -ge 0 ] && [ $((fx + fw)) -le 1366 ] && [ $((fy + fh)) -le 768 ] \
        || e2e_fail "Untitled $n (${fw}x${fh} at ($fx, $fy)) reaches past the 1366 x 768 screen"
    case " $places " in *" $fx,$fy "*) e2e_fail "Untitled $n opened where another window is, at ($fx, $fy)" ;; esac
    places+=" $fx,$fy"
done
e2e_park_mouse
e2e_shot five-windows
