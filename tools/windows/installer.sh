#!/bin/bash
# Makes the Windows installer and zip from a finished Windows build (tools/windows/build.sh), then
# tries the installer under Wine: a silent install, its files and registry entries, the installed
# editor started once from the Start menu entry and once through a .q7x file, a silent uninstall
# and nothing left behind.
#
#   tools/windows/installer.sh [BUILD_DIR [GUIDE_PDF]]
#
# BUILD_DIR defaults to $Q7X_WINDOWS_BUILD or build-windows/; the user guide, built by the Linux
# build, to $Q7X_WINDOWS_GUIDE or the first one found in build/ or build-release/. Uses the Wine
# prefix of build.sh, which nothing else may use meanwhile (the script waits for all its programs to
# end). Exits non-zero on the first failure, saying what failed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

build=$(realpath "${1:-${Q7X_WINDOWS_BUILD:-$Q7X_ROOT/build-windows}}")
guide=${2:-${Q7X_WINDOWS_GUIDE:-}}
for candidate in "$Q7X_ROOT"/build/packaging/guide/*.pdf "$Q7X_ROOT"/build-release/docs/*.pdf; do
    [ -n "$guide" ] || [ ! -f "$candidate" ] || guide=$candidate
done

fail() { echo "installer.sh: $*" >&2; exit 1; }

q7x_install_missing "${Q7X_WINDOWS_PACKAGES[@]}"

[ -f "$build/CMakeCache.txt" ] || fail "$build is not a Windows build folder: tools/windows/build.sh makes one"
[ -f "$guide" ] || fail "no user guide PDF (${guide:-none found}): pass it as the second argument"

# Each step's time, for the last line.
timings=()
step_started=$SECONDS
step_done() { timings+=("$1 $((SECONDS - step_started)) s"); step_started=$SECONDS; }

cmake -B "$build" -DQ7X_WINDOWS_GUIDE="$(realpath "$guide")" >/dev/null
cmake --build "$build" --target q7x_windows_installer >"$build/installer.log" 2>&1 \
    || { tail -n 30 "$build/installer.log"; fail "the installer could not be built"; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
installer="$build/Q7X Editor Setup $version.exe"
zip="$build/Q7X Editor $version.zip"
stage="$build/packaging/windows/stage/Q7X Editor"
guide_name=$(basename "$guide")
files=(q7x-editor.exe q7x-preset.exe "$guide_name")
[ "$(cmake -E tar tf "$zip" | sort | paste -sd'|')" = "$(printf 'Q7X Editor/%s\n' "" "${files[@]}" | sort | paste -sd'|')" ] \
    || fail "the zip holds $(cmake -E tar tf "$zip" | paste -sd' '), not the three files"
step_done build
echo "$(basename "$installer"): $(du -k "$installer" | cut -f1) KB; $(basename "$zip"): $(du -k "$zip" | cut -f1) KB"

export WINEPREFIX=${Q7X_WINDOWS_CACHE:-$HOME/.cache/q7x-windows}/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -f "$WINEPREFIX/system.reg" ] || fail "no Wine prefix at $WINEPREFIX: tools/windows/build.sh makes it"
q7x_ensure_display
# Whatever fails, no program of this round trip keeps running.
trap 'wineserver -k 2>/dev/null || true; kill ${Q7X_OPENBOX_PID:-} ${Q7X_XVFB_PID:-} 2>/dev/null || true' EXIT

dir_windows='C:\Program Files\Q7X Editor'
dir="$WINEPREFIX/drive_c/Program Files/Q7X Editor"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Q7X Editor.lnk"
classes='HKLM\Software\Classes'
prog_id=Pelmar.Q7XEditor.Preset
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Q7X Editor'

# reg_value KEY [VALUE]: the data of a value (the key's default without VALUE), or fails.
reg_value()
{
    local query which=(/ve)
    [ -z "${2:-}" ] || which=(/v "$2")
    query=$(wine reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r') || return 1
    sed -n 's/^ *[^ ].*  *REG_[A-Z_]*  *//p' <<<"$query" | head -n1
}

expect_value()
{
    local got
    got=$(reg_value "$1" "${3:-}") || fail "no registry value ${3:-(default)} in $1"
    [ "$got" = "$2" ] || fail "$1 ${3:-(default)} is \"$got\", not \"$2\""
}

wine "$installer" /S </dev/null >/dev/null 2>&1 || fail "the silent install failed"
for f in "${files[@]}"; do
    cmp -s "$stage/$f" "$dir/$f" || fail "$dir/$f is missing or differs from what the installer was given"
done
[ -f "$dir/Uninstall.exe" ] || fail "no uninstaller in $dir"
[ -f "$shortcut" ] || fail "no Start menu entry at $shortcut"
expect_value "$classes\\.q7x" "$prog_id"
expect_value "$classes\\$prog_id\\DefaultIcon" "\"$dir_windows\\q7x-editor.exe\",0"
expect_value "$classes\\$prog_id\\shell\\open\\command" "\"$dir_windows\\q7x-editor.exe\" \"%1\""
expect_value "$uninstall_key" "\"$dir_windows\\Uninstall.exe\"" UninstallString
expect_value "$uninstall_key" "$version" DisplayVersion
step_done install

title_prefix="Pelmar Q7X Editor - "
# window_titled TITLE: the id of a visible window of exactly that title, or fails.
window_titled()
{
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1 | grep .
}

# wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; fails after SECONDS.
wait_for()
{
    local end=$((SECONDS + $1)); shift
    until "$@"; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}

is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
no_window_titled() { ! window_titled "$1" >/dev/null; }

# press_until SECONDS KEY WINDOW CHECK...: presses KEY in WINDOW until CHECK succeeds, again every
# 3 s while the window is there: a loaded machine can hand a window a key before it takes keys.
press_until()
{
    local end=$((SECONDS + $1)) key=$2 window=$3; shift 3
    until "$@"; do
        [ $SECONDS -lt $end ] || return 1
        if xdotool getwindowname "$window" >/dev/null 2>&1; then
            xdotool windowactivate "$window" >/dev/null 2>&1 || true
            wait_for 5 is_active "$window" && xdotool key --clearmodifiers "$key"
        fi
        wait_for 3 "$@" && return 0
    done
}

# start_editor HOW TITLE COMMAND...: starts the editor with COMMAND, waits for its window TITLE and
# keeps a screenshot of it.
start_editor()
{
    local how=$1 title=$2; shift 2
    "$@" </dev/null >/dev/null 2>&1 &
    wait_for 60 window_titled "$title" >/dev/null || fail "started $how, no window \"$title\" appeared within 60 s"
    # The first frame can still be on its way.
    sleep 1
    import -frame -window "$(window_titled "$title")" "$build/installed-editor-$how.png"
}

# quit_editor TITLE: Ctrl+Q, No to the save question, and the window gone.
quit_editor()
{
    local title=$1
    press_until 30 ctrl+q "$(window_titled "$title")" window_titled "Save Document" >/dev/null \
        || fail "Ctrl+Q in \"$title\" did not ask to save"
    press_until 30 n "$(window_titled "Save Document")" no_window_titled "$title" \
        || fail "\"$title\" stayed after No to the save question"
}

# run_editor HOW TITLE COMMAND...: starts the editor, quits it and waits for the end.
run_editor()
{
    start_editor "$@"
    quit_editor "$2"
    # With the editor gone Wine ends: its server waits for its last program.
    timeout 60 wineserver -w || fail "the editor did not quit within a minute of the save question"
}

# The installed files with what changes when one is written again (inode, change time, size).
installed_state() { (cd "$dir" && stat -c '%n %i %Z %s' -- * | sort); }

# The uninstaller run in place, so that its exit status is its own (by default it starts a copy of
# itself and returns at once); only a batch file can pass it the folder unquoted, as it wants it.
uninstall_in_place="$WINEPREFIX/drive_c/users/Public/uninstall-in-place.bat"
printf '@"%s\\Uninstall.exe" /S _?=%s\r\n@exit /b %%ERRORLEVEL%%\r\n' "$dir_windows" "$dir_windows" >"$uninstall_in_place"

# A pattern: Wine shows the installer's own window as "Q7X Editor Setup " and its question without the space.
installer_title="Q7X Editor Setup *"
# other_window_titled TITLE WINDOW: a visible window of that title other than WINDOW, or fails.
other_window_titled()
{
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | grep -vx "$2" | head -n1 | grep .
}

installer_ended() { ! kill -0 "$setup" 2>/dev/null; }

# While the editor runs, the installer and the uninstaller leave it and its files alone: run
# silently they stop with exit status 2; run by a person, the installer asks to close it, and
# Retry then installs.
while_editor_runs()
{
    local title=$1 before status setup main
    before=$(installed_state)
    status=0
    wine "$installer" /S </dev/null >/dev/null 2>&1 || status=$?
    [ "$status" -eq 2 ] || fail "a silent install while the editor runs ended with status $status, not 2"
    status=0
    wine cmd /c 'C:\users\Public\uninstall-in-place.bat' </dev/null >/dev/null 2>&1 || status=$?
    [ "$status" -eq 2 ] || fail "a silent uninstall while the editor runs ended with status $status, not 2"
    [ "$(installed_state)" = "$before" ] || fail "the installed files changed while the editor ran: $(installed_state | paste -sd' ')"
    window_titled "$title" >/dev/null || fail "the editor's window went away during the silent runs"
    [ -f "$shortcut" ] && reg_value "$classes\\.q7x" >/dev/null || fail "the silent uninstall removed something while the editor ran"

    wine "$installer" </dev/null >/dev/null 2>&1 &
    setup=$!
    wait_for 60 window_titled "$installer_title" >/dev/null || fail "the installer showed no window within 60 s"
    main=$(window_titled "$installer_title")
    # Install, on the folder page; the question comes before any file is written.
    press_until 30 Return "$main" other_window_titled "$installer_title" "$main" >/dev/null \
        || fail "the installer did not ask to close the running editor"
    sleep 1
    import -window root "$build/installer-asks-to-close-editor.png"
    [ "$(installed_state)" = "$before" ] || fail "the installer changed files before the editor was closed"
    quit_editor "$title"
    # Retry, then Close on the last page; while the editor is still ending the question comes again.
    local end=$((SECONDS + 90)) target
    until installer_ended; do
        [ $SECONDS -lt $end ] || fail "the installer did not finish within 90 s of the editor's end"
        target=$(other_window_titled "$installer_title" "$main" || echo "$main")
        xdotool windowactivate "$target" >/dev/null 2>&1 || true
        wait_for 5 is_active "$target" && xdotool key --clearmodifiers Return
        wait_for 3 installer_ended || true
    done
    status=0
    wait "$setup" || status=$?
    [ "$status" -eq 0 ] || fail "the install after Retry ended with status $status"
    for f in "${files[@]}"; do
        cmp -s "$stage/$f" "$dir/$f" || fail "$dir/$f differs from what the installer was given after Retry"
    done
    timeout 60 wineserver -w || fail "Wine's programs still run a minute after the install"
}

start_editor start-menu "${title_prefix}Untitled 1" wine start "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Q7X Editor.lnk"
step_done "start from the Start menu"
while_editor_runs "${title_prefix}Untitled 1"
step_done "install and uninstall while the editor runs"

# A preset made by the installed q7x-preset, opened the way Explorer opens it.
preset='C:\users\Public\round trip.q7x'
wine "$dir_windows\\q7x-preset.exe" new --force "$preset" </dev/null >/dev/null 2>&1 || fail "q7x-preset new failed"
run_editor file-type "${title_prefix}round trip" wine start "$preset"
rm -f "$WINEPREFIX/drive_c/users/Public/round trip.q7x"
step_done "open a .q7x file"

wine "$dir_windows\\Uninstall.exe" /S </dev/null >/dev/null 2>&1 || fail "the silent uninstall failed"
# The uninstaller runs a copy of itself from the temporary folder and returns at once.
timeout 60 wineserver -w || fail "the uninstaller still runs after a minute"
[ ! -e "$dir" ] || fail "$dir is still there after uninstalling: $(find "$dir" | paste -sd' ')"
[ ! -e "$shortcut" ] || fail "the Start menu entry is still there after uninstalling"
for key in "$classes\\.q7x" "$classes\\$prog_id" "$uninstall_key"; do
    ! wine reg query "$key" >/dev/null 2>&1 || fail "$key is still there after uninstalling"
done
step_done uninstall

steps=$(printf '%s, ' "${timings[@]}")
echo "Installer round trip under Wine passed (${steps%, }); screenshots: $build/installed-editor-*.png"
