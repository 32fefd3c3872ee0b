# The window manager is told the document window's one size (its size hints pin the minimum and the
# maximum to it) and offers neither resizing nor maximising; a resize request leaves it as it is.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_geometry "$E2E_DOC"
w=$E2E_W h=$E2E_H
hints=$(xprop -id "$E2E_DOC" WM_NORMAL_HINTS)
e2e_log "size ${w}x$h, hints: $(tr -s '\n\t' '  ' <<<"$hints")"
grep -q "program specified minimum size: $w by $h" <<<"$hints" || e2e_fail "the minimum size is not pinned to ${w}x$h"
grep -q "program specified maximum size: $w by $h" <<<"$hints" || e2e_fail "the maximum size is not pinned to ${w}x$h"
actions=$(xprop -id "$E2E_DOC" _NET_WM_ALLOWED_ACTIONS)
for action in RESIZE MAXIMIZE_HORZ MAXIMIZE_VERT; do
    ! grep -q "_NET_WM_ACTION_$action" <<<"$actions" || e2e_fail "the window manager allows $action: $actions"
done

# Moving the window does not undo the hints (the framework rewrites them whenever it moves it).
e2e_key ctrl+n
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 2"
xdotool windowmove "$E2E_DOC" 40 60
xdotool windowsize "$E2E_DOC" 800 500
sleep 1
e2e_geometry "$E2E_DOC"
[ "$E2E_W" -eq "$w" ] && [ "$E2E_H" -eq "$h" ] || e2e_fail "a resize request made the window ${E2E_W}x$E2E_H"
grep -q "program specified maximum size: $w by $h" <<<"$(xprop -id "$E2E_DOC" WM_NORMAL_HINTS)" \
    || e2e_fail "the size hints were lost when the window moved"
e2e_shot fixed-size
