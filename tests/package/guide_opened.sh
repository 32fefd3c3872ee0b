# Shared by the checks of Help > Open User Guide, on top of tests/e2e/lib.sh.

# opener_calls_at_least N: the desktop's opener has been asked N times or more.
opener_calls_at_least()
{
    [ "$(cat "$E2E_DIR/xdg-open.calls" 2>/dev/null | grep -c .)" -ge "$1" ]
}

# expect_guide_opened N PATH: Ctrl+H makes the N-th request to the desktop's opener, for PATH, and
# no dialog comes up.
expect_guide_opened()
{
    e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
    e2e_key ctrl+h
    e2e_wait_until "request $1 to open the guide" 10 opener_calls_at_least "$1"
    [ "$(sed -n "$1p" "$E2E_DIR/xdg-open.calls")" = "$2" ] \
        || e2e_fail "asked to open \"$(sed -n "$1p" "$E2E_DIR/xdg-open.calls")\", expected \"$2\""
    e2e_no_window "Pelmar Q7X Editor" || e2e_fail "a dialog came up although a guide is there"
}
