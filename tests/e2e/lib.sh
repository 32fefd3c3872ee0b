# Shared by the end-to-end scenarios: each one sources this file, calls e2e_begin and then drives the
# real editor in an X server of its own (Xvfb + openbox) the way a person would: mouse, keyboard,
# window titles, files on disk and screenshots.
#
# A scenario is called as: bash test_NAME.sh <path-to-q7x-editor> <artifact-dir>
# Its screenshots and logs go to <artifact-dir>/<NAME>/.

set -euo pipefail
# A failure inside $(...) fails the command that uses it.
shopt -s inherit_errexit

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_REPO=$(cd "$E2E_LIB_DIR/../.." && pwd)
E2E_ASSETS="$E2E_REPO/assets"

E2E_TITLE_PREFIX="Pelmar Q7X Editor - "
E2E_CONTENT_W=1200
E2E_CONTENT_H=700

# Default bound of every wait, in seconds; a whole scenario is bounded by E2E_SCENARIO_LIMIT.
E2E_WAIT=${E2E_WAIT:-20}
E2E_SCENARIO_LIMIT=${E2E_SCENARIO_LIMIT:-160}
# The bound of the window manager's start.
E2E_WM_WAIT=${E2E_WM_WAIT:-10}

# The screen: set E2E_SCREEN (WIDTHxHEIGHT) and E2E_DESKTOP_SCALE (the desktop's window scaling
# factor, 1 or 2) before e2e_begin to try another one.
E2E_SCREEN=${E2E_SCREEN:-1920x1080}
E2E_SCREEN_W=${E2E_SCREEN%x*}
E2E_SCREEN_H=${E2E_SCREEN#*x}
E2E_DESKTOP_SCALE=${E2E_DESKTOP_SCALE:-1}
# The order of the buttons on openbox's title bars (its titleLayout, for example NLIMC); empty for
# openbox's own configuration.
E2E_OPENBOX_TITLE_LAYOUT=${E2E_OPENBOX_TITLE_LAYOUT:-}
# How the desktop states its scale: xsettings (Gdk/WindowScalingFactor), gdk (GDK_SCALE in the
# editor's environment) or xft (Xft.dpi in the X resources, 96 per unit of scale).
E2E_SCALE_WAY=${E2E_SCALE_WAY:-xsettings}

# Screen pixels per editor layout unit, as the fraction E2E_ZOOM_NUM / E2E_ZOOM_DEN: 1 unless a
# scenario takes a document with e2e_use_fitted_document.
E2E_ZOOM_NUM=1
E2E_ZOOM_DEN=1

E2E_PIDS=()          # every process this scenario started, ended in reverse order at exit
E2E_STEP=0
E2E_EDITOR_PID=""

#---------------------------------------------------------------------------------------------------
# Start and end

# e2e_begin EDITOR ARTIFACT_DIR: checks the arguments, prepares the scenario's folder and HOME,
# starts Xvfb and openbox, and arranges that everything is ended at exit, also on failure.
e2e_begin()
{
    [ $# -ge 2 ] || { echo "usage: bash $(basename "$0") <path-to-q7x-editor> <artifact-dir>" >&2; exit 2; }
    # Absolute, as the editor may be started from another working folder.
    E2E_EDITOR=$(readlink -f "$1")
    E2E_NAME=$(basename "$0" .sh)
    E2E_NAME=${E2E_NAME#test_}
    [ -x "$E2E_EDITOR" ] || { echo "FAIL: no editor binary at $E2E_EDITOR" >&2; exit 1; }
    mkdir -p "$2"
    E2E_DIR="$(cd "$2" && pwd)/$E2E_NAME"
    rm -rf "$E2E_DIR"
    mkdir -p "$E2E_DIR/home" "$E2E_DIR/files"
    E2E_HOME="$E2E_DIR/home"
    E2E_FILES="$E2E_DIR/files"
    E2E_START=$SECONDS
    # The editor's single-instance socket lives in XDG_RUNTIME_DIR: one of its own per scenario keeps
    # scenarios (and anyone else's editor) apart. Short path: socket names are limited to 107 bytes.
    E2E_RUNTIME=$(mktemp -d /tmp/q7x-e2e.XXXXXX)
    chmod 700 "$E2E_RUNTIME"
    e2e_stand_in_opener 0
    trap e2e_end EXIT
    trap 'exit 130' INT TERM
    e2e_start_display
    e2e_log "scenario $E2E_NAME on display $DISPLAY, artifacts in $E2E_DIR"
}

e2e_log()
{
    printf '[%s %3ds] %s\n' "$E2E_NAME" $((SECONDS - E2E_START)) "$*" | tee -a "$E2E_DIR/steps.log" >&2
}

# e2e_fail MESSAGE...: takes a last screenshot and stops the scenario.
e2e_fail()
{
    local shot="$E2E_DIR/failure.png"
    import -display "${DISPLAY:-}" -window root "$shot" 2>/dev/null || shot="(no screenshot)"
    e2e_log "FAIL: $*"
    e2e_log "      screenshot: $shot"
    exit 1
}

e2e_end()
{
    local status=$?
    trap - EXIT
    local i
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${E2E_PIDS[$i]}" 2>/dev/null || true
        e2e_reap "${E2E_PIDS[$i]}"
    done
    [ -n "${E2E_RUNTIME:-}" ] && rm -rf "$E2E_RUNTIME"
    if [ "$status" -ne 0 ]; then
        if [ -n "${E2E_DIR:-}" ]; then
            local log
            for log in "$E2E_DIR"/*.log; do
                [ -e "$log" ] || continue
                case "$log" in */steps.log) continue ;; esac
                echo "---- last lines of $log" >&2
                tail -n 20 "$log" >&2
            done
        fi
        echo "FAILED: $E2E_NAME (artifacts in ${E2E_DIR:-?})" >&2
    else
        e2e_log "PASS"
    fi
    exit "$status"
}

# e2e_reap PID: waits up to two seconds for a child that was told to end, kills it if it is still
# running, and collects it so no zombie is left behind.
e2e_reap()
{
    local pid=$1 n
    for n in $(seq 20); do
        e2e_process_running "$pid" || break
        sleep 0.1
    done
    e2e_process_running "$pid" && kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null || true
}

# e2e_process_running PID: true while the process exists and has not ended (a zombie has ended).
e2e_process_running()
{
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    # The state letter follows the parenthesised command name.
    stat=${stat##*) }
    [ "${stat:0:1}" != Z ] && [ "${stat:0:1}" != X ]
}

# e2e_start_display: an Xvfb on a free display number of its own, then openbox, which JUCE's windows
# need. The number is drawn from 400-999, away from the low numbers that people and other test runs
# use, so that nobody else's program with DISPLAY set to a number that was free a moment ago lands
# on this screen; scenarios can run side by side.
e2e_start_display()
{
    local fdfile="$E2E_DIR/display-number" n attempt xvfb=""
    for attempt in $(seq 20); do
        n=$((400 + RANDOM % 600))
        [ -e "/tmp/.X$n-lock" ] && continue
        : >"$fdfile"
        Xvfb ":$n" -displayfd 3 -screen 0 "${E2E_SCREEN}x24" -nolisten tcp -noreset 3>"$fdfile" >"$E2E_DIR/xvfb.log" 2>&1 &
        xvfb=$!
        E2E_PIDS+=($xvfb)
        # Ready once it reports its number; gone at once when the number was taken after all.
        local end=$((SECONDS + 10))
        while e2e_process_running "$xvfb" && [ ! -s "$fdfile" ] && [ $SECONDS -lt $end ]; do sleep 0.05; done
        [ -s "$fdfile" ] && break
        kill "$xvfb" 2>/dev/null || true
        e2e_wait_exit "$xvfb" 5
        xvfb=""
    done
    [ -n "$xvfb" ] || e2e_fail "no free display for Xvfb (see $E2E_DIR/xvfb.log)"
    export DISPLAY=":$(head -n1 "$fdfile")"
    e2e_wait_until "the X display $DISPLAY to accept clients" 10 xdpyinfo
    [ "$E2E_DESKTOP_SCALE" = 1 ] || e2e_start_desktop_scale

    local config=()
    if [ -n "${E2E_OPENBOX_TITLE_LAYOUT:-}" ]; then
        sed "s|<titleLayout>[A-Z]*</titleLayout>|<titleLayout>$E2E_OPENBOX_TITLE_LAYOUT</titleLayout>|" \
            /etc/xdg/openbox/rc.xml >"$E2E_DIR/openbox-rc.xml"
        config=(--config-file "$E2E_DIR/openbox-rc.xml")
    fi
    openbox --sm-disable "${config[@]}" >"$E2E_DIR/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_until "openbox to manage the display" "$E2E_WM_WAIT" e2e_wm_running
}

# e2e_start_desktop_scale: publishes the desktop's window scaling factor the way a desktop's settings
# daemon does (XSETTINGS Gdk/WindowScalingFactor), which the editor reads when it starts.
e2e_start_desktop_scale()
{
    case $E2E_SCALE_WAY in
        gdk) E2E_ENV+=("GDK_SCALE=$E2E_DESKTOP_SCALE"); return 0 ;;
        xft) xrdb -nocpp -merge <<<"Xft.dpi: $((96 * E2E_DESKTOP_SCALE))"; return 0 ;;
    esac
    printf 'Gdk/WindowScalingFactor %s\n' "$E2E_DESKTOP_SCALE" >"$E2E_DIR/xsettingsd.conf"
    xsettingsd -c "$E2E_DIR/xsettingsd.conf" >"$E2E_DIR/xsettingsd.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait_until "xsettingsd to own the settings selection" 10 e2e_xsettings_owned
}

# e2e_xsettings_owned: xsettingsd reports that it holds the settings selection.
e2e_xsettings_owned()
{
    grep -q "Took ownership of selection _XSETTINGS_S0" "$E2E_DIR/xsettingsd.log"
}

e2e_wm_running()
{
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}

# e2e_launch LOGNAME [ARG...]: starts the editor with the scenario's HOME; its pid lands in E2E_LAST_PID.
# Extra environment can be given as E2E_ENV=(NAME=value ...), the working folder as E2E_CWD.
e2e_launch()
{
    local logname=$1; shift
    env -C "${E2E_CWD:-$PWD}" HOME="$E2E_HOME" XDG_RUNTIME_DIR="$E2E_RUNTIME" PATH="$E2E_DIR/bin:$PATH" \
        ${E2E_ENV[@]+"${E2E_ENV[@]}"} "$E2E_EDITOR" "$@" >"$E2E_DIR/$logname.log" 2>&1 &
    E2E_LAST_PID=$!
    E2E_PIDS+=($E2E_LAST_PID)
    e2e_log "started q7x-editor $* (pid $E2E_LAST_PID, output in $logname.log)"
}

# e2e_start_editor [ARG...]: the scenario's main editor process (E2E_EDITOR_PID, output in editor.log).
e2e_start_editor()
{
    e2e_launch editor "$@"
    E2E_EDITOR_PID=$E2E_LAST_PID
}

# e2e_wait_exit PID SECONDS: waits for the process to end and leaves its status in E2E_EXIT_STATUS.
e2e_wait_exit()
{
    local pid=$1 limit=$2 end=$((SECONDS + $2))
    while e2e_process_running "$pid"; do
        if [ $SECONDS -ge $end ]; then
            # Where it hangs, for the report.
            command -v gdb >/dev/null \
                && gdb -p "$pid" -batch -ex "thread apply all bt" >"$E2E_DIR/hang-$pid.txt" 2>&1
            e2e_fail "process $pid still running after ${limit}s (stacks in hang-$pid.txt)"
        fi
        sleep 0.1
    done
    E2E_EXIT_STATUS=0
    wait "$pid" || E2E_EXIT_STATUS=$?
    # Reaped: its number may be reused by others, so it must not be signalled at the end.
    local kept=() p
    for p in "${E2E_PIDS[@]}"; do [ "$p" = "$pid" ] || kept+=("$p"); done
    E2E_PIDS=("${kept[@]}")
}

#---------------------------------------------------------------------------------------------------
# Waiting

# e2e_wait_until DESCRIPTION SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds.
e2e_wait_until()
{
    local what=$1 limit=$2; shift 2
    local end=$((SECONDS + limit))
    while ! "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $end ] || e2e_fail "waited ${limit}s for $what (windows now: $(e2e_list_titles | paste -sd'|'))"
        [ $((SECONDS - E2E_START)) -lt "$E2E_SCENARIO_LIMIT" ] || e2e_fail "scenario ran out of time waiting for $what"
        sleep 0.1
    done
}

#---------------------------------------------------------------------------------------------------
# Windows

# e2e_windows_titled TITLE: ids of the visible windows whose title is exactly TITLE, one per line.
e2e_windows_titled()
{
    local id
    # xdotool search fails when nothing matches.
    for id in $(xdotool search --onlyvisible --name "$(e2e_regex_quote "$1")" 2>/dev/null || true); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && echo "$id"
    done
    return 0
}

e2e_regex_quote()
{
    printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$?+(){}|/]/\\&/g')"
}

e2e_window_count()
{
    e2e_windows_titled "$1" | grep -c . || true
}

# e2e_wait_window TITLE [SECONDS]: waits for exactly one visible window of that title; its id goes to E2E_WIN.
e2e_wait_window()
{
    local title=$1 limit=${2:-$E2E_WAIT}
    e2e_wait_until "a window titled \"$title\"" "$limit" e2e_find_window "$title"
}

# e2e_find_window TITLE: true when a window has that title; its id goes to E2E_WIN.
e2e_find_window()
{
    E2E_WIN=$(e2e_windows_titled "$1" | head -n1)
    [ -n "$E2E_WIN" ]
}

e2e_has_window()
{
    [ -n "$(e2e_windows_titled "$1")" ]
}

# e2e_no_window TITLE: true when no window has that title. A search can come back empty while
# another window is being destroyed, so it takes two empty searches in a row.
e2e_no_window()
{
    [ -z "$(e2e_windows_titled "$1")" ] || return 1
    sleep 0.05
    [ -z "$(e2e_windows_titled "$1")" ]
}

# e2e_wait_gone TITLE [SECONDS]
e2e_wait_gone()
{
    e2e_wait_until "the window \"$1\" to close" "${2:-$E2E_WAIT}" e2e_no_window "$1"
}

# e2e_list_titles: the titles of all visible named top-level windows, for messages.
e2e_list_titles()
{
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null || true); do
        xdotool getwindowname "$id" 2>/dev/null || true
    done | sort
}

# e2e_editor_titles: titles of the visible document windows, sorted.
e2e_editor_titles()
{
    e2e_list_titles | grep "^$E2E_TITLE_PREFIX" || true
}

# e2e_geometry WINDOW: sets E2E_X, E2E_Y (absolute top-left of the client area), E2E_W, E2E_H.
e2e_geometry()
{
    local info
    info=$(xwininfo -id "$1") || e2e_fail "window $1 is gone"
    E2E_X=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
    E2E_Y=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
    E2E_W=$(sed -n 's/^ *Width: *//p' <<<"$info")
    E2E_H=$(sed -n 's/^ *Height: *//p' <<<"$info")
}

# e2e_use_document TITLE: finds the document window, raises and focuses it, and works out where its
# 1200 x 700 editor content lies on the screen (E2E_CX, E2E_CY); the menu bar is what lies above it.
e2e_use_document()
{
    e2e_wait_window "$1"
    E2E_DOC=$E2E_WIN
    e2e_activate "$E2E_DOC"
    # A new window may still be placed by the window manager, and painted, after it appears.
    E2E_LAST_GEOMETRY=""
    e2e_wait_until "document \"$1\" to stand still and show its editor" 10 e2e_document_ready "$E2E_DOC"
    [ "$E2E_W" -eq "$E2E_CONTENT_W" ] || e2e_fail "document \"$1\" is $E2E_W wide, expected $E2E_CONTENT_W"
    E2E_MENU_H=$((E2E_H - E2E_CONTENT_H))
    [ "$E2E_MENU_H" -ge 0 ] && [ "$E2E_MENU_H" -le 40 ] \
        || e2e_fail "document \"$1\" client area is ${E2E_W}x${E2E_H}: expected 1200 x 700 plus a menu bar"
    E2E_CX=$((E2E_X + E2E_W - E2E_CONTENT_W))
    E2E_CY=$((E2E_Y + E2E_MENU_H))
}

# e2e_use_fitted_document TITLE: like e2e_use_document for a window that may be drawn at another
# scale than 1 (a screen smaller than the window, or a desktop scale): the editor's 1200 x 700 layout
# then covers E2E_W screen pixels across, and clicks at layout coordinates (e2e_click) land where
# the scaled editor shows them. E2E_MENU_H is the menu bar's height on the screen.
e2e_use_fitted_document()
{
    e2e_wait_window "$1"
    E2E_DOC=$E2E_WIN
    e2e_activate "$E2E_DOC"
    E2E_LAST_GEOMETRY=""
    e2e_wait_until "document \"$1\" to stand still and show its editor" 10 e2e_document_ready "$E2E_DOC"
    E2E_ZOOM_NUM=$E2E_W
    E2E_ZOOM_DEN=$E2E_CONTENT_W
    E2E_MENU_H=$(( E2E_H - E2E_CONTENT_H * E2E_W / E2E_CONTENT_W ))
    [ "$E2E_MENU_H" -ge 0 ] && [ "$E2E_MENU_H" -le $(( 40 * E2E_W / E2E_CONTENT_W + 1 )) ] \
        || e2e_fail "document \"$1\" client area is ${E2E_W}x${E2E_H}: not a 1200 x 700 editor and a menu bar at one scale"
    E2E_CX=$E2E_X
    E2E_CY=$((E2E_Y + E2E_MENU_H))
    E2E_DOC_W=$E2E_W
    E2E_DOC_H=$E2E_H
}

# e2e_zoomed N: layout length N in screen pixels of the current document, rounded.
e2e_zoomed()
{
    echo $(( (2 * $1 * E2E_ZOOM_NUM + E2E_ZOOM_DEN) / (2 * E2E_ZOOM_DEN) ))
}

# e2e_document_ready WINDOW: true once the window's geometry is the same as at the previous call and
# the bottom-right corner of its editor shows the blue band.
e2e_document_ready()
{
    e2e_geometry "$1"
    local now="$E2E_X $E2E_Y $E2E_W $E2E_H" previous=$E2E_LAST_GEOMETRY
    E2E_LAST_GEOMETRY=$now
    [ "$now" = "$previous" ] || return 1
    e2e_screen_pixel_is $((E2E_X + E2E_W - 5)) $((E2E_Y + E2E_H - 5)) 0093D0
}

# e2e_activate WINDOW: brings the window to the front with keyboard focus.
e2e_activate()
{
    # Without --sync, which can block for good; the wait below has a deadline.
    xdotool windowactivate "$1" >/dev/null 2>&1 || true
    e2e_wait_until "window $1 to get the focus" 5 e2e_is_active "$1"
}

e2e_is_active_or_gone()
{
    e2e_window_gone "$1" || e2e_is_active "$1"
}

# e2e_is_active WINDOW: the window manager calls it active and it holds the X input focus.
e2e_is_active()
{
    [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ] && [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}

#---------------------------------------------------------------------------------------------------
# Mouse and keyboard

# e2e_click X Y: a left click at editor content coordinates of the current document.
e2e_click()
{
    e2e_click_abs $((E2E_CX + $(e2e_zoomed "$1"))) $((E2E_CY + $(e2e_zoomed "$2")))
}

e2e_click_abs()
{
    e2e_move_abs "$1" "$2"
    xdotool click 1
}

# e2e_move_abs X Y: moves the pointer and waits until the server reports it there.
e2e_move_abs()
{
    xdotool mousemove "$1" "$2"
    e2e_wait_until "the pointer to reach ($1, $2)" 5 e2e_pointer_at "$1" "$2"
}

e2e_pointer_at()
{
    local loc
    loc=$(xdotool getmouselocation --shell)
    grep -qx "X=$1" <<<"$loc" && grep -qx "Y=$2" <<<"$loc"
}

# e2e_click_window WINDOW X Y: a left click at client coordinates of any window.
e2e_click_window()
{
    e2e_geometry "$1"
    e2e_click_abs $((E2E_X + $2)) $((E2E_Y + $3))
}

# e2e_park_mouse: moves the pointer away from everything clickable, so nothing shows its hover image.
e2e_park_mouse()
{
    e2e_move_abs $((E2E_SCREEN_W - 20)) $((E2E_SCREEN_H - 20))
}

e2e_type()
{
    xdotool type --delay 30 -- "$1"
}

e2e_key()
{
    xdotool key --delay 30 "$@"
}

#---------------------------------------------------------------------------------------------------
# The user guide and the desktop's opener

# e2e_stand_in_opener STATUS: a stand-in for the desktop's "open this document" command (xdg-open,
# first on the editor's PATH), which notes each request in $E2E_DIR/xdg-open.calls and ends with
# STATUS: 0 as when a viewer opens the file, 3 as when no program can.
e2e_stand_in_opener()
{
    mkdir -p "$E2E_DIR/bin"
    printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s/xdg-open.calls"\nexit %d\n' "$E2E_DIR" "$1" >"$E2E_DIR/bin/xdg-open"
    chmod +x "$E2E_DIR/bin/xdg-open"
}

# e2e_write_guide PATH: a stand-in user guide (the start of a PDF) at PATH, with its folders.
e2e_write_guide()
{
    mkdir -p "$(dirname "$1")"
    printf '%%PDF-1.4\n' >"$1"
}

# e2e_opener_calls_at_least N: the desktop's opener has been asked N times or more.
e2e_opener_calls_at_least()
{
    [ "$(cat "$E2E_DIR/xdg-open.calls" 2>/dev/null | grep -c .)" -ge "$1" ]
}

# e2e_expect_guide_opened N PATH: in Untitled 1, Ctrl+H makes the N-th request to the desktop's
# opener, for PATH, and no dialog comes up.
e2e_expect_guide_opened()
{
    e2e_use_document "${E2E_TITLE_PREFIX}Untitled 1"
    e2e_key ctrl+h
    e2e_wait_until "request $1 to open the guide" 10 e2e_opener_calls_at_least "$1"
    [ "$(sed -n "$1p" "$E2E_DIR/xdg-open.calls")" = "$2" ] \
        || e2e_fail "asked to open \"$(sed -n "$1p" "$E2E_DIR/xdg-open.calls")\", expected \"$2\""
    e2e_no_window "Pelmar Q7X Editor" || e2e_fail "a dialog came up although a guide is there"
}

#---------------------------------------------------------------------------------------------------
# Screenshots and pixels

# e2e_shot NAME: screenshot of the whole screen once it has settled (two captures 0.1 s apart are
# equal; a blinking caret may keep it from settling, then the last capture counts after 3 s).
# Numbered in step order; the path goes to E2E_SHOT.
e2e_shot()
{
    E2E_STEP=$((E2E_STEP + 1))
    E2E_SHOT=$(printf '%s/%02d-%s.png' "$E2E_DIR" "$E2E_STEP" "$1")
    local previous="" now end=$((SECONDS + 3))
    while :; do
        import -window root -strip -define png:exclude-chunks=date,time "$E2E_SHOT"
        now=$(md5sum <"$E2E_SHOT")
        [ "$now" = "$previous" ] && break
        [ $SECONDS -lt $end ] || { e2e_log "note: the screen kept changing for $1"; break; }
        previous=$now
        sleep 0.1
    done
    e2e_log "screenshot $(basename "$E2E_SHOT")"
    # Pixels of a whole-screen shot are found at the document's place on the screen.
    E2E_SHOT_CX=""
    E2E_SHOT_CY=""
}

# e2e_layout_shot NAME: a screenshot (e2e_shot), then the editor of the current document cut out of
# it and brought back to its 1200 x 700 layout size, so that the pixel and image checks below work
# in layout coordinates on a document of any scale. E2E_SHOT names the layout image.
e2e_layout_shot()
{
    e2e_shot "$1"
    local layout="${E2E_SHOT%.png}-layout.png"
    convert "$E2E_SHOT" -crop "${E2E_DOC_W}x$((E2E_DOC_H - E2E_MENU_H))+$E2E_CX+$E2E_CY" +repage \
        -resize "${E2E_CONTENT_W}x${E2E_CONTENT_H}!" "$layout"
    E2E_SHOT=$layout
    E2E_SHOT_CX=0
    E2E_SHOT_CY=0
}

# e2e_pixel FILE X Y: the colour at absolute screen coordinates, as RRGGBB.
e2e_pixel()
{
    convert "$1" -format "%[hex:p{$2,$3}]" info:
}

# e2e_colour_near RRGGBB RRGGBB [TOLERANCE]: true when no channel differs by more than TOLERANCE.
e2e_colour_near()
{
    local a=$1 b=$2 t=${3:-6} i
    for i in 0 2 4; do
        local d=$(( 16#${a:$i:2} - 16#${b:$i:2} ))
        [ ${d#-} -le "$t" ] || return 1
    done
}

# e2e_expect_pixel WHAT X Y RRGGBB: checks a pixel of the last screenshot at content coordinates.
e2e_expect_pixel()
{
    local seen
    seen=$(e2e_pixel "$E2E_SHOT" $((${E2E_SHOT_CX:-$E2E_CX} + $2)) $((${E2E_SHOT_CY:-$E2E_CY} + $3)))
    e2e_colour_near "$seen" "$4" || e2e_fail "$1: pixel ($2, $3) is #$seen, expected #$4 (screenshot $E2E_SHOT)"
}

# e2e_crop X Y W H OUT: cuts a region in content coordinates out of the last screenshot.
e2e_crop()
{
    convert "$E2E_SHOT" -crop "$3x$4+$((${E2E_SHOT_CX:-$E2E_CX} + $1))+$((${E2E_SHOT_CY:-$E2E_CY} + $2))" +repage "$5"
}

# e2e_differing_pixels A B: the number of pixels that differ by more than a few percent.
e2e_differing_pixels()
{
    # compare prints large counts as 1.2e+06; awk reads both forms. Anything else (an error) is empty.
    compare -metric AE -fuzz 4% "$1" "$2" null: 2>&1 | awk '$1 ~ /^[0-9.e+]+$/ { printf "%d\n", $1 }' || true
}

# e2e_shows_image NAME X Y [BACKGROUND [W H]]: true when the last screenshot shows the asset image NAME
# at content coordinates X, Y (images with transparency are laid over BACKGROUND first; W and H
# compare only the top-left part of that size). Up to 1% of the pixels may differ through blending.
e2e_shows_image()
{
    local name=$1 x=$2 y=$3 bg=${4:-0093D0}
    local asset="$E2E_ASSETS/$name.png" w h diff
    [ -f "$asset" ] || e2e_fail "no asset image $asset"
    w=${5:-$(identify -format '%w' "$asset")}
    h=${6:-$(identify -format '%h' "$asset")}
    convert "$asset" -background "#$bg" -flatten -crop "${w}x${h}+0+0" +repage "$E2E_DIR/.expected.png"
    e2e_crop "$x" "$y" "$w" "$h" "$E2E_DIR/.seen.png"
    diff=$(e2e_differing_pixels "$E2E_DIR/.expected.png" "$E2E_DIR/.seen.png")
    E2E_LAST_DIFF=$diff
    [ -n "$diff" ] && [ "$diff" -le $(( w * h / 100 )) ]
}

# e2e_expect_image WHAT NAME X Y [BACKGROUND]
e2e_expect_image()
{
    e2e_shows_image "$2" "$3" "$4" "${5:-0093D0}" \
        || e2e_fail "$1: expected image $2 at ($3, $4), $E2E_LAST_DIFF pixels differ (screenshot $E2E_SHOT)"
}

#---------------------------------------------------------------------------------------------------
# Files

# e2e_hex FILE: the bytes of a file as one line of upper-case hex pairs separated by spaces.
e2e_hex()
{
    od -An -v -tx1 "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//' | tr a-f A-F
}

# e2e_wait_file FILE [SECONDS]: waits until FILE exists and its size stopped changing.
e2e_wait_file()
{
    e2e_wait_until "the file $1 to appear" "${2:-$E2E_WAIT}" test -s "$1"
}

#---------------------------------------------------------------------------------------------------
# File choosers (the framework's own dialog: a folder list with a "file:" box at the bottom)

# e2e_choose_file TITLE PATH: in the chooser window TITLE, types PATH into the file name box and
# presses Return twice: the first moves the chooser to the file's folder, the second chooses the file.
# The caller then waits for what follows (the chooser closing, or its overwrite question).
e2e_choose_file()
{
    local title=$1 path=$2 win
    e2e_wait_window "$title"
    win=$E2E_WIN
    e2e_activate "$win"
    e2e_geometry "$win"
    # The name box spans the width of the dialog, 62 pixels above its lower edge.
    e2e_click_abs $((E2E_X + E2E_W / 2)) $((E2E_Y + E2E_H - 62))
    e2e_key ctrl+a BackSpace
    e2e_type "$path"
    e2e_shot chooser-typed
    e2e_key Return Return
}

# e2e_cancel_chooser TITLE
e2e_cancel_chooser()
{
    e2e_wait_window "$1"
    e2e_activate "$E2E_WIN"
    e2e_key Escape
    e2e_wait_gone "$1"
}

# e2e_wait_until_or_timeout SECONDS COMMAND...: like e2e_wait_until, but only returns false at the end.
e2e_wait_until_or_timeout()
{
    local end=$((SECONDS + $1)); shift
    while ! "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $end ] || return 1
        sleep 0.1
    done
}

#---------------------------------------------------------------------------------------------------
# Menus (each document window carries its own menu bar: File, Options, Window, Help)

E2E_MENUS=(File Edit Options Window Help)

# e2e_menu MENU ITEM [SUBITEM]: opens MENU of the current document's menu bar with the mouse, then
# walks it with the keyboard: ITEM presses of Down (disabled items are skipped), and for a sub-menu
# Right and SUBITEM presses of Down; Return chooses. Each step waits for its pop-up window.
e2e_menu()
{
    local menu=$1 item=$2 sub=${3:-} index n before
    for index in "${!E2E_MENUS[@]}"; do [ "${E2E_MENUS[$index]}" = "$menu" ] && break; done
    [ "${E2E_MENUS[$index]}" = "$menu" ] || e2e_fail "no menu called $menu"
    e2e_activate "$E2E_DOC"
    e2e_geometry "$E2E_DOC"
    e2e_click_abs $((E2E_X + 10)) $((E2E_Y + E2E_MENU_H / 2))
    e2e_wait_until "the File menu to open" 5 e2e_has_window menu
    for ((n = 0; n < index; n++)); do
        before=$(e2e_windows_titled menu | paste -sd,)
        e2e_key Right
        e2e_wait_until "the next menu to open" 5 e2e_menus_changed "$before"
    done
    for ((n = 0; n < item; n++)); do e2e_key Down; done
    if [ -n "$sub" ]; then
        e2e_key Right
        e2e_wait_until "the sub-menu to open" 5 e2e_menu_count_is 2
        # A sub-menu opened from the keyboard starts with its first item highlighted.
        for ((n = 1; n < sub; n++)); do e2e_key Down; done
    fi
    e2e_shot "menu-$menu-$item${sub:+-$sub}"
    e2e_key Return
    e2e_wait_until "the menu to close" 5 e2e_no_window menu
}

# e2e_choose_simulator_ports: Options > Device Setup, the simulator in the first row of the input
# and of the output list (started with E2E_ENV=(Q7X_SIMULATOR=1)), then OK.
e2e_choose_simulator_ports()
{
    local setup
    e2e_menu Options 1
    e2e_wait_window "Pelmar Q7X Editor Device Setup"
    setup=$E2E_WIN
    e2e_click_window "$setup" 115 79
    e2e_click_window "$setup" 115 250
    e2e_click_window "$setup" 52 397
    e2e_wait_gone "Pelmar Q7X Editor Device Setup"
}

e2e_menus_changed()
{
    local now
    now=$(e2e_windows_titled menu | paste -sd,)
    [ -n "$now" ] && [ "$now" != "$1" ]
}

e2e_menu_count_is()
{
    [ "$(e2e_window_count menu)" -eq "$1" ]
}

#---------------------------------------------------------------------------------------------------
# The editor's layout, in content coordinates (the 1200 x 700 area below the menu bar)

E2E_TAB_Y=482
E2E_TAB_X=(0 175 345 515 685 855 1025)
E2E_TAB_W=(175 170 170 170 170 170 175)
E2E_TAB_IMAGE=(mainTab knobsTab switchesTab padsTab keybedTab wheelsTab sustainTab)
E2E_SECTION_NAME=(Main Knobs Switches "Drum Pads" Keybed "Mod/Pitch" Sustain)

# Hotspots on the controller picture, which stands at (26, 65) and is 396 high.
E2E_PICTURE_X=26
E2E_PICTURE_Y=65
E2E_PICTURE_H=396
E2E_HOT_IMAGE=(knobsPicture switchesPicture padsPicture keybedPicture octavePicture wheelsPicture)
E2E_HOT_X=(79 200 25 338 200 40)
E2E_HOT_Y=(24 80 220 78 155 85)
E2E_HOT_W=(216 107 296 771 107 112)
E2E_HOT_H=(32 68 148 321 30 97)
E2E_HOT_SECTION=(1 2 3 4 4 5)

# The section views start at y = 527; their panels stand at four x positions with rows 26 apart.
E2E_VIEW_Y=527
E2E_PANEL_X=(40 320 600 880)
E2E_ROW_Y=(32 58 84 110 136)
E2E_PRESET_BUTTON_IMAGE=(getPresetButton sendPresetButton loadPresetButton savePresetButton)

# e2e_click_tab SECTION: clicks the tab of section 0-6.
e2e_click_tab()
{
    e2e_click $(( E2E_TAB_X[$1] + E2E_TAB_W[$1] / 2 )) $(( E2E_TAB_Y + 20 ))
}

# e2e_click_hotspot INDEX: clicks the middle of hotspot 0-5 (the keybed's middle is inside the picture).
e2e_click_hotspot()
{
    e2e_click $(( E2E_PICTURE_X + E2E_HOT_X[$1] + E2E_HOT_W[$1] / 2 )) \
              $(( E2E_PICTURE_Y + E2E_HOT_Y[$1] + E2E_HOT_H[$1] / 2 ))
}

# e2e_click_preset_button INDEX: 0 Get Preset from Hardware, 1 Send Preset to Hardware,
# 2 Load Preset from Hard Drive, 3 Save Preset to Hard Drive.
e2e_click_preset_button()
{
    e2e_click 130 $(( E2E_VIEW_Y + 40 * $1 + 17 ))
}

# e2e_widget_xy PANEL ROW: the middle of the widget in that row of that panel (0-based), as "X Y".
e2e_widget_xy()
{
    echo "$(( E2E_PANEL_X[$1] + 105 + 40 )) $(( E2E_VIEW_Y + E2E_ROW_Y[$2] + 10 ))"
}

# e2e_set_number PANEL ROW VALUE: types a value into a number box and commits it with Return.
e2e_set_number()
{
    local xy
    xy=$(e2e_widget_xy "$1" "$2")
    # Click near the right end of the box, away from the text, then replace the whole text.
    e2e_click $(( ${xy% *} + 30 )) "${xy#* }"
    e2e_key ctrl+a BackSpace
    e2e_type "$3"
    e2e_key Return
}

# e2e_choose_mode PANEL ITEM COUNT: opens the Mode list of a panel with the mouse and clicks item
# ITEM (1-based) of its COUNT items in the pop-up list. The pop-up follows the button itself by
# polling it, and ignores a release within 250 ms of opening: so the pointer rests on the item until
# the item is highlighted and 300 ms have passed, and the button is held down for a moment.
e2e_choose_mode()
{
    local xy opened ix iy edge
    xy=$(e2e_widget_xy "$1" 0)
    e2e_click "${xy% *}" "${xy#* }"
    e2e_wait_until "the Mode list of panel $1 to open" 5 e2e_find_window menu
    opened=$(date +%s%3N)
    e2e_geometry "$E2E_WIN"
    ix=$(( E2E_X + E2E_W / 2 ))
    iy=$(( E2E_Y + E2E_H * (2 * $2 - 1) / (2 * $3) ))
    edge=$(( E2E_X + E2E_W - 4 ))
    e2e_move_abs "$ix" "$iy"
    # A highlighted item is white from edge to edge; the others are blue.
    e2e_wait_until "item $2 of the Mode list to be highlighted" 5 e2e_screen_pixel_is "$edge" "$iy" FFFFFF
    e2e_wait_until "the Mode list to accept a click" 2 e2e_ms_since_at_least "$opened" 300
    e2e_shot "mode-list-item-$2"
    # The list reads the button's state on a timer: on a loaded machine a short press can fall
    # between two readings. The button is held longer, and pressed once more while the list is
    # still open after a while, as a person would.
    xdotool mousedown 1
    sleep 0.3
    xdotool mouseup 1
    if ! e2e_wait_until_or_timeout 10 e2e_no_window menu && e2e_find_window menu; then
        e2e_log "note: the Mode list stayed open after a click on item $2; clicking it again"
        xdotool mousedown 1
        sleep 0.5
        xdotool mouseup 1
    fi
    e2e_wait_until "the Mode list to close" 15 e2e_no_window menu
}

# e2e_screen_pixel_is X Y RRGGBB: the screen shows that colour at absolute X, Y now.
e2e_screen_pixel_is()
{
    local seen
    seen=$(import -window root -crop "1x1+$1+$2" +repage png:- | convert - -format '%[hex:p{0,0}]' info:)
    e2e_colour_near "$seen" "$3" 8
}

e2e_ms_since_at_least()
{
    [ $(( $(date +%s%3N) - $1 )) -ge "$2" ]
}

# e2e_rows_shown: from the last screenshot, which widget rows each of the four panel positions
# shows, e.g. "11111 11110 00000 00000". A widget is a white box; the band behind it is blue.
e2e_rows_shown()
{
    local fmt="" p r x y
    for p in 0 1 2 3; do
        for r in 0 1 2 3 4; do
            x=$(( ${E2E_SHOT_CX:-$E2E_CX} + E2E_PANEL_X[$p] + 105 ))
            y=$(( ${E2E_SHOT_CY:-$E2E_CY} + E2E_VIEW_Y + E2E_ROW_Y[$r] ))
            fmt+="%[hex:p{$((x + 45)),$((y + 1))}]%[hex:p{$((x + 75)),$((y + 18))}] "
        done
    done
    local hex out="" i=0
    for hex in $(convert "$E2E_SHOT" -format "$fmt" info:); do
        if e2e_colour_near "${hex:0:6}" FFFFFF 24 && e2e_colour_near "${hex:6:6}" FFFFFF 24; then out+=1; else out+=0; fi
        i=$((i + 1))
        [ $((i % 5)) -eq 0 ] && [ $i -lt 20 ] && out+=" "
    done
    echo "$out"
}

# e2e_expect_rows WHAT PATTERN: checks e2e_rows_shown against the expected pattern.
e2e_expect_rows()
{
    local seen
    seen=$(e2e_rows_shown)
    [ "$seen" = "$2" ] || e2e_fail "$1: widget rows per panel are \"$seen\", expected \"$2\" (screenshot $E2E_SHOT)"
}

# e2e_crop_view OUT: the visible part of the section view (y 527-699) of the last screenshot.
e2e_crop_view()
{
    e2e_crop 0 "$E2E_VIEW_Y" 1200 $(( E2E_CONTENT_H - E2E_VIEW_Y )) "$1"
}

# e2e_hotspot_shows INDEX STATE: whether hotspot INDEX shows its Normal/Over/Down image.
e2e_hotspot_shows()
{
    local i=$1 h=${E2E_HOT_H[$1]}
    local visible=$(( E2E_PICTURE_H - E2E_HOT_Y[$i] ))
    [ "$h" -le "$visible" ] || h=$visible
    e2e_shows_image "${E2E_HOT_IMAGE[$i]}$2" $(( E2E_PICTURE_X + E2E_HOT_X[$i] )) $(( E2E_PICTURE_Y + E2E_HOT_Y[$i] )) 0093D0 "${E2E_HOT_W[$i]}" "$h"
}

# e2e_expect_selected SECTION: the tab of SECTION and the hotspots of SECTION show their Down images,
# every other tab and hotspot its Normal image (the pointer is parked away first).
e2e_expect_selected()
{
    local s=$1 i state
    for i in 0 1 2 3 4 5 6; do
        state=Normal; [ "$i" -eq "$s" ] && state=Down
        e2e_shows_image "${E2E_TAB_IMAGE[$i]}$state" "${E2E_TAB_X[$i]}" "$E2E_TAB_Y" \
            || e2e_fail "with ${E2E_SECTION_NAME[$s]} shown, the ${E2E_SECTION_NAME[$i]} tab should show its $state image ($E2E_LAST_DIFF pixels differ, screenshot $E2E_SHOT)"
    done
    for i in 0 1 2 3 4 5; do
        state=Normal; [ "${E2E_HOT_SECTION[$i]}" -eq "$s" ] && state=Down
        e2e_hotspot_shows "$i" "$state" \
            || e2e_fail "with ${E2E_SECTION_NAME[$s]} shown, the ${E2E_HOT_IMAGE[$i]} hotspot should show its $state image ($E2E_LAST_DIFF pixels differ, screenshot $E2E_SHOT)"
    done
}

#---------------------------------------------------------------------------------------------------
# Preset files

# The built-in default preset's 93 image bytes, in decimal, by offset.
E2E_DEFAULT_IMAGE=(12 4 0 3  0  0 1 0 127  64 0 127 0
                   0 20 0 127 0  0 21 0 127 0  0 22 0 127 0  0 23 0 127 0
                   0 49 0 0 9  0 41 0 0 9  0 42 0 0 9  0 46 0 0 9
                   0 36 0 0 9  0 37 0 0 9  0 38 0 0 9  0 39 0 0 9
                   0 48 127 0 0  0 49 127 0 0  0 50 127 0 0  0 51 127 0 0)
E2E_DUMP_HEADER=(240 0 0 14 0 65 97 0 93)

# e2e_write_preset FILE [OFFSET=VALUE...]: writes a 103-byte preset file holding the default preset
# with the given image bytes changed.
e2e_write_preset()
{
    local file=$1; shift
    local image=("${E2E_DEFAULT_IMAGE[@]}") change
    for change in "$@"; do image[${change%=*}]=${change#*=}; done
    e2e_write_bytes "$file" "${E2E_DUMP_HEADER[@]}" "${image[@]}" 247
}

# e2e_write_bytes FILE BYTE...: writes the given decimal byte values.
e2e_write_bytes()
{
    local file=$1 b out=""; shift
    for b in "$@"; do out+=$(printf '\\%03o' "$b"); done
    printf "$out" >"$file"
}

# e2e_expect_file_bytes FILE [OFFSET=VALUE...]: the file must be the default preset dump with exactly
# these image bytes changed.
e2e_expect_file_bytes()
{
    local file=$1; shift
    e2e_write_preset "$E2E_DIR/.expected.q7x" "$@"
    local want seen
    want=$(e2e_hex "$E2E_DIR/.expected.q7x")
    seen=$(e2e_hex "$file")
    [ "$want" = "$seen" ] || e2e_fail "bytes of $file:
    seen:     $seen ($(stat -c %s "$file") bytes)
    expected: $want (103 bytes)"
}

e2e_file_size_is()
{
    [ -f "$1" ] && [ "$(stat -c %s "$1")" -eq "$2" ]
}

# e2e_window_gone WINDOW: true once that window (by id) is destroyed or unmapped.
e2e_window_gone()
{
    ! xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"
}

#---------------------------------------------------------------------------------------------------
# Alerts and questions (the framework's own windows, found by their titles)

# e2e_answer TITLE KEY: waits for the alert or question TITLE and for it to have the keyboard focus,
# takes a screenshot, presses KEY (Return for OK; y, n or Escape for Yes, No, Cancel) and waits
# until that very window is gone (a next question may carry the same title).
e2e_answer()
{
    local title=$1 key=$2 win
    e2e_wait_window "$title"
    win=$E2E_WIN
    e2e_wait_until_or_timeout 2 e2e_is_active "$win" || e2e_activate "$win"
    e2e_shot "answer-$(tr -c 'A-Za-z0-9\n' - <<<"$title" | tr -s - | sed 's/-$//')-$key"
    e2e_key "$key"
    # A key that arrives while the window is still taking the focus can be lost; a person would
    # press it again, and so does this, once, if that very window is still there two seconds on.
    # On a loaded machine the window may also close while it is being activated again.
    if ! e2e_wait_until_or_timeout 2 e2e_window_gone "$win"; then
        e2e_log "note: \"$title\" did not take $key; pressing it again"
        xdotool windowactivate "$win" >/dev/null 2>&1 || true
        e2e_wait_until "\"$title\" to take the focus or close" 5 e2e_is_active_or_gone "$win"
        e2e_window_gone "$win" || e2e_key "$key"
    fi
    e2e_wait_until "\"$title\" to close after $key" 5 e2e_window_gone "$win"
}

# e2e_file_has_byte FILE OFFSET VALUE: the file's byte at OFFSET of the preset image (after the
# 9-byte header) has the decimal VALUE.
e2e_file_has_byte()
{
    [ -f "$1" ] && [ "$(od -An -v -tu1 -j $((9 + $2)) -N1 "$1" | tr -d ' ')" = "$3" ]
}

#---------------------------------------------------------------------------------------------------
# Small screens

# Widget rows per panel position of each section in its starting state (Main: its preset buttons
# stand where the first panel's rows would be).
E2E_SECTION_ROWS=(
    "10110 00000 00000 00000"
    "11111 11111 11111 11111"
    "11111 11111 11111 11111"
    "11111 11111 11111 11111"
    "11110 00000 00000 00000"
    "11110 10000 00000 00000"
    "11110 00000 00000 00000"
)

# e2e_expect_on_screen WINDOW: the window, with the frame the window manager put around it, lies
# wholly on the screen.
e2e_expect_on_screen()
{
    local extents left right top bottom
    e2e_geometry "$1"
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
    IFS=, read -r left right top bottom <<<"${extents:-0,0,0,0}"
    e2e_log "window $1: ${E2E_W}x${E2E_H} at ($E2E_X, $E2E_Y), frame $left,$right,$top,$bottom, screen $E2E_SCREEN"
    [ $((E2E_X - left)) -ge 0 ] && [ $((E2E_Y - top)) -ge 0 ] \
        && [ $((E2E_X + E2E_W + right)) -le "$E2E_SCREEN_W" ] && [ $((E2E_Y + E2E_H + bottom)) -le "$E2E_SCREEN_H" ] \
        || e2e_fail "window $1 (${E2E_W}x${E2E_H} at ($E2E_X, $E2E_Y), frame $extents) is not wholly on the $E2E_SCREEN screen"
}

# e2e_check_fitted_editor: on the current screen, the first document lies wholly on the screen and
# every section tab and every panel row can be seen and used with the mouse: each tab shows its
# section with all its rows, and the last row of each Knobs panel takes a typed value that the
# lowest Main button, Save Preset to Hard Drive, writes to the file (Knob 1-4 Max, offsets 16, 21,
# 26, 31).
e2e_check_fitted_editor()
{
    e2e_start_editor
    e2e_use_fitted_document "${E2E_TITLE_PREFIX}Untitled 1"
    e2e_expect_on_screen "$E2E_DOC"
    e2e_log "editor drawn at $E2E_ZOOM_NUM/$E2E_ZOOM_DEN, menu bar $E2E_MENU_H high"

    local s
    for s in 1 2 3 4 5 6 0; do
        e2e_click_tab "$s"
        e2e_park_mouse
        e2e_layout_shot "tab-$s"
        e2e_expect_rows "${E2E_SECTION_NAME[$s]} section" "${E2E_SECTION_ROWS[$s]}"
    done

    e2e_click_tab 1
    local panel
    for panel in 0 1 2 3; do
        e2e_set_number "$panel" 4 $((100 + panel))
    done
    e2e_park_mouse
    e2e_layout_shot knobs-edited
    e2e_expect_rows "Knobs after typing into the last rows" "${E2E_SECTION_ROWS[1]}"

    e2e_click_tab 0
    e2e_click_preset_button 3
    e2e_choose_file "Select Filename to save" "$E2E_FILES/fitted"
    e2e_wait_gone "Select Filename to save"
    e2e_wait_file "$E2E_FILES/fitted.q7x"
    e2e_expect_file_bytes "$E2E_FILES/fitted.q7x" 16=100 21=101 26=102 31=103
    e2e_wait_window "${E2E_TITLE_PREFIX}fitted"
    kill -0 "$E2E_EDITOR_PID" || e2e_fail "the editor ended"
}
