# Nobody can jam the hand-over: with three local clients connected to the running editor and
# sending nothing, a second launch still hands its file over and exits; and launches that start
# at the same moment over a killed editor's socket end with exactly one editor, which holds both
# files.
source "$(dirname "$0")/lib.sh"
e2e_begin "$@"

e2e_write_preset "$E2E_FILES/kept.q7x" 0=5
e2e_write_preset "$E2E_FILES/other.q7x" 1=7
e2e_write_preset "$E2E_FILES/a.q7x" 2=3
e2e_write_preset "$E2E_FILES/b.q7x" 3=4
socket="$E2E_RUNTIME/q7x-editor-$(id -un).socket"

E2E_CWD=$E2E_FILES e2e_start_editor "kept.q7x"
e2e_use_document "${E2E_TITLE_PREFIX}kept"
first=$E2E_EDITOR_PID

# Three idle clients (Perl is part of every Debian system); they hold on until the scenario ends.
perl -MIO::Socket::UNIX -e '
    my @idle = map { IO::Socket::UNIX->new (Type => SOCK_STREAM(), Peer => $ARGV[0]) or die "connect: $!" } 1 .. 3;
    open (my $ready, ">", $ARGV[1]) or die; close $ready; sleep 60' "$socket" "$E2E_DIR/idle-ready" &
E2E_PIDS+=($!)
e2e_wait_until "three idle clients" 10 test -e "$E2E_DIR/idle-ready"

E2E_CWD=$E2E_FILES e2e_launch jammed "other.q7x"
e2e_wait_exit "$E2E_LAST_PID" 10
[ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "the launch behind idle clients ran on its own: $(cat "$E2E_DIR/jammed.log")"
e2e_wait_window "${E2E_TITLE_PREFIX}other"
[ "$(e2e_window_count "${E2E_TITLE_PREFIX}other")" -eq 1 ] || e2e_fail "other.q7x is open more than once"
e2e_process_running "$first" || e2e_fail "the first editor is gone"
e2e_shot handed-over-past-idle-clients

# Two launches at once over a stale socket, a few rounds: one runs, the other hands over.
for round in 1 2 3 4 5; do
    kill -KILL "$E2E_EDITOR_PID"
    e2e_wait_exit "$E2E_EDITOR_PID" 5
    for title in a b other kept; do e2e_wait_gone "${E2E_TITLE_PREFIX}$title"; done
    [ -S "$socket" ] || e2e_fail "round $round: expected the killed editor's socket to remain"

    E2E_CWD=$E2E_FILES e2e_launch "round$round-a" "a.q7x"
    pid_a=$E2E_LAST_PID
    E2E_CWD=$E2E_FILES e2e_launch "round$round-b" "b.q7x"
    pid_b=$E2E_LAST_PID
    e2e_wait_window "${E2E_TITLE_PREFIX}a"
    e2e_wait_window "${E2E_TITLE_PREFIX}b"
    sleep 0.5

    running=()
    for pid in $pid_a $pid_b; do
        if e2e_process_running "$pid"; then
            running+=("$pid")
        else
            e2e_wait_exit "$pid" 1
            [ "$E2E_EXIT_STATUS" -eq 0 ] || e2e_fail "round $round: a launch ended with status $E2E_EXIT_STATUS"
        fi
    done
    [ "${#running[@]}" -eq 1 ] || e2e_fail "round $round: ${#running[@]} editors run"
    [ "$(e2e_window_count "${E2E_TITLE_PREFIX}a")$(e2e_window_count "${E2E_TITLE_PREFIX}b")" = 11 ] \
        || e2e_fail "round $round: a file is open more than once: $(e2e_editor_titles | paste -sd'|')"
    E2E_EDITOR_PID=${running[0]}
done
e2e_shot one-editor-after-simultaneous-launches
