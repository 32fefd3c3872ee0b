# The editor as the package installs it, under Xvfb + openbox: it starts with its title, every
# window carries the installed icon and the desktop entry's window class, and Help > Open User Guide
# opens the user's guide, else the installed one, else says that none was found.
work=$(cd "$1" && pwd)
deb=$(ls "$work"/build/q7x-editor_*_*.deb 2>/dev/null | head -n1)
[ -f "$deb" ] || { echo "FAIL: no package in $work/build" >&2; exit 1; }
root="$work/installed-editor/root"
rm -rf "$root"
mkdir -p "$root"
dpkg-deb -x "$deb" "$root"

source "$(dirname "$0")/../e2e/lib.sh"
e2e_begin "$root/usr/bin/q7x-editor" "$work/installed-editor"
share="$root/usr/share"
installed_guide="$share/doc/q7x-editor/Q7X Editor - User Guide - v1.0.pdf"
user_guide="$E2E_HOME/Documents/Pelmar/Q7X Editor/Q7X Editor - User Guide - v1.0.pdf"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$share/applications/com.pelmar.Q7XEditor.desktop")
icon_png="$share/icons/hicolor/128x128/apps/com.pelmar.Q7XEditor.png"

# expect_icon WHAT WINDOW: the window's _NET_WM_ICON holds the installed 128 px icon, pixel for pixel
# (a few steps of rounding allowed where the icon is translucent), and its WM_CLASS is the entry's.
expect_icon()
{
    local what=$1 win=$2
    xprop -id "$win" -notype -f _NET_WM_ICON 32c '=$0+\n' _NET_WM_ICON >"$E2E_DIR/icon-$win.txt"
    convert "$icon_png" -depth 8 rgba:"$E2E_DIR/icon-expected.rgba"
    python3 - "$E2E_DIR/icon-$win.txt" "$E2E_DIR/icon-expected.rgba" <<'PY' || e2e_fail "$what: $(cat "$E2E_DIR/icon-$win.txt.verdict")"
import sys
text, rgba = open(sys.argv[1]).read(), open(sys.argv[2], "rb").read()
verdict = open(sys.argv[1] + ".verdict", "w")
values = [int(v) for v in text.split("=", 1)[1].replace(",", " ").split()] if "=" in text else []
if values[:2] != [128, 128]:
    verdict.write("no 128 x 128 icon on the window (%s)" % text[:80].strip()); sys.exit(1)
worst = 0
for i, argb in enumerate(values[2:2 + 128 * 128]):
    r, g, b, a = rgba[4 * i:4 * i + 4]
    seen = ((argb >> 16) & 255, (argb >> 8) & 255, argb & 255, argb >> 24)
    if a == 0 and seen[3] == 0:
        continue
    worst = max(worst, max(abs(x - y) for x, y in zip(seen, (r, g, b, a))))
if len(values) != 2 + 128 * 128 or worst > 8:
    verdict.write("the icon differs from the installed PNG (%d values, largest difference %d)" % (len(values), worst)); sys.exit(1)
PY
    local class
    class=$(xprop -id "$win" WM_CLASS | sed -n 's/^WM_CLASS(STRING) = "\(.*\)", "\(.*\)"$/\2/p')
    [ "$class" = "$wm_class" ] || e2e_fail "$what: WM_CLASS \"$class\", the desktop entry says \"$wm_class\""
    e2e_log "$what carries the icon and the class \"$class\""
}

e2e_start_editor
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_shot installed-editor
expect_icon "the document window" "$E2E_DOC"

e2e_menu Options 1
e2e_wait_window "Pelmar Q7X Editor Device Setup"
expect_icon "Device Setup" "$E2E_WIN"
e2e_click_window "$E2E_WIN" 52 397
e2e_wait_gone "Pelmar Q7X Editor Device Setup"

# About has no title: it is the editor's window that was not there before.
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
before=$( (xdotool search --onlyvisible --pid "$E2E_EDITOR_PID" 2>/dev/null || true) | sort)
new_window()
{
    about=$(comm -13 <(echo "$before") <( (xdotool search --onlyvisible --pid "$E2E_EDITOR_PID" 2>/dev/null || true) | sort) | head -n1)
    [ -n "$about" ]
}
e2e_menu Help 2
e2e_wait_until "the About window" 5 new_window
expect_icon "About" "$about"
e2e_click_window "$about" 40 40
e2e_wait_until "About to close" 5 e2e_window_gone "$about"

# No copy of the user's: the installed one. With the user's own copy as well: that one.
e2e_expect_guide_opened 1 "$installed_guide"
mkdir -p "$(dirname "$user_guide")"
printf '%%PDF-1.4\n' >"$user_guide"
e2e_expect_guide_opened 2 "$user_guide"

# Neither: the dialog naming the user's path, and nothing opened.
rm "$user_guide" "$installed_guide"
e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
e2e_key ctrl+h
e2e_answer "Pelmar Q7X Editor" Return
[ "$(grep -c . "$E2E_DIR/xdg-open.calls")" -eq 2 ] || e2e_fail "asked to open a guide that is not there: $(cat "$E2E_DIR/xdg-open.calls")"
