#!/usr/bin/env bash
# Paths on q7x-preset's command line name what they name for the shell and every other program:
# ".." is taken after the symbolic links before it, a link's relative text is read from the folder
# it really sits in, "~" is a name like any other, and a relative name is refused where the
# working folder cannot be named (deleted, or a name that is not UTF-8) instead of landing elsewhere.
# Usage: test_paths.sh PATH-TO-q7x-preset
set -uo pipefail

program=$(readlink -f "$1")
work=$(mktemp -d)
stray="q7x-paths-test-$$.q7x" # a name that a fault would write at the root of the file system
trap 'rm -rf "$work"; rm -f "/$stray" "/root/$stray"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
cd "$work" || exit 1

# knob2 FILE: the Knob 2 CC that FILE holds, as show prints it.
knob2() { "$program" show "$1" 2>/dev/null | sed -n 's/^Knob 2 CC: //p'; }

# Layout: presets -> elsewhere/presets, whose current.q7x -> ../banks/live.q7x, which for the
# system is elsewhere/banks/live.q7x; a decoy banks/ sits where a lexical ".." would lead.
mkdir -p elsewhere/presets elsewhere/banks banks deep/inner '~' '~root' home
ln -s elsewhere/presets presets
ln -s deep/inner linkdir
"$program" new elsewhere/banks/live.q7x && "$program" set elsewhere/banks/live.q7x "Knob 2 CC=31" || fail "setting up live.q7x"
ln -s ../banks/live.q7x elsewhere/presets/current.q7x
"$program" new deep/x.q7x && "$program" set deep/x.q7x "Knob 2 CC=41" || fail "setting up deep/x.q7x"
"$program" new x.q7x && "$program" set x.q7x "Knob 2 CC=51" || fail "setting up x.q7x"
"$program" export deep/x.q7x >deep/x.json || fail "export of deep/x.q7x"
"$program" export x.q7x >x.json || fail "export of x.q7x"

# Reading: each path names the file the system opens for it.
while IFS='|' read -r path cc; do
    [ "$(knob2 "$path")" = "$cc" ] || fail "show $path: Knob 2 CC $(knob2 "$path"), expected $cc"
done <<'EOF'
presets/current.q7x|31
linkdir/../x.q7x|41
linkdir/./../x.q7x|41
deep/inner/../../x.q7x|51
presets/../banks/live.q7x|31
EOF

# Writing: set, new and import write where the system resolves the path, and nowhere else.
"$program" set presets/current.q7x "Knob 2 CC=32" || fail "set through a link in a linked folder"
[ "$(knob2 elsewhere/banks/live.q7x)" = 32 ] || fail "set through presets/current.q7x did not change elsewhere/banks/live.q7x"
[ -L elsewhere/presets/current.q7x ] || fail "the link current.q7x was replaced by a file"
[ -e banks/live.q7x ] && fail "set through presets/current.q7x wrote banks/live.q7x"
"$program" new linkdir/../y.q7x || fail "new linkdir/../y.q7x"
[ -f deep/y.q7x ] || fail "new linkdir/../y.q7x did not write deep/y.q7x"
[ -e y.q7x ] && fail "new linkdir/../y.q7x wrote ./y.q7x"
"$program" import linkdir/../x.json linkdir/../z.q7x || fail "import linkdir/../x.json"
[ "$(knob2 deep/z.q7x)" = 41 ] || fail "import linkdir/../x.json did not write deep/x.q7x's preset into deep/z.q7x"
[ -e z.q7x ] && fail "import linkdir/../x.json wrote ./z.q7x"

# "~" is the shell's to expand; given to the program, it is the name of a folder.
for path in "~/$stray" "~root/$stray"; do
    HOME="$work/home" "$program" new "$path" || fail "new $path"
    [ -f "$path" ] || fail "new $path did not write into the folder named ${path%%/*}"
done
[ -e "home/$stray" ] && fail "new ~/$stray wrote into HOME"
[ -e "/root/$stray" ] && fail "new ~root/$stray wrote into /root"

# A working folder that cannot be named: relative names are refused with the reason, absolute ones work.
# expect_refused ENTER WHY: after ENTER (a command), "new" of a relative name exits 1 saying WHY and
# writes nothing, while "new" of an absolute name is written.
expect_refused()
{
    local enter=$1 why=$2
    rm -f "$work/status"
    (
        eval "$enter" || exit
        "$program" new "$stray" >"$work/out" 2>"$work/err"
        echo $? >"$work/status"
        "$program" new "$work/absolute.q7x" || echo "absolute refused" >>"$work/status"
    )
    [ "$(cat "$work/status")" = 1 ] || fail "after $enter: exit status $(cat "$work/status"), expected 1"
    grep -qxF "q7x-preset: $stray: $why" "$work/err" || { fail "after $enter: no \"$why\" in:"; cat "$work/err"; }
    [ -e "/$stray" ] && fail "after $enter: new wrote /$stray"
    for folder in "$latin1" "$utf8"; do
        [ -e "$work/$folder/$stray" ] && fail "after $enter: new wrote $folder/$stray"
    done
    [ -f "$work/absolute.q7x" ] || fail "after $enter: the absolute name was not written"
    rm -f "$work/absolute.q7x"
}
latin1=$(printf 'caf\351') utf8=$(printf 'caf\303\251')
mkdir "$latin1" "$utf8" gone
expect_refused 'cd "$latin1"' "is relative, and the working folder's name is not UTF-8 text"
expect_refused 'cd gone && rmdir ../gone' "is relative, and the working folder was deleted"

[ "$failures" -eq 0 ] && echo "q7x-preset paths: all checks passed"
exit $(( failures > 0 ))
