#!/usr/bin/env bash
# q7x-preset against what a clumsy user or an attacker hands it: arguments and file names that are
# not UTF-8, JSON that is too deep, too big or no file at all, and presets behind links, owned by
# others or read-only. Meant for the sanitizer build too: any report there fails the run.
# Usage: test_untrusted_input.sh PATH-TO-q7x-preset
set -uo pipefail

program=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect STATUS MESSAGE-PART DESCRIPTION COMMAND...: the exit status and a line of standard error.
expect()
{
    local expected=$1 message=$2 description=$3; shift 3
    timeout -k 2 10 "$program" "$@" >"$work/out" 2>"$work/err"
    local status=$?
    [ "$status" -eq "$expected" ] || { fail "$description: exit status $status, expected $expected"; cat "$work/err"; }
    grep -qF -- "$message" "$work/err" || { fail "$description: no \"$message\" in:"; cat "$work/err"; }
}

cd "$work" || exit 1
"$program" new a.q7x || fail "new"
cp a.q7x "$(printf 'd\262')$(printf '\200%.0s' $(seq 26))$(printf '\3757.q7x')"
expect 2 "is not UTF-8 text" "check of a file name that is not UTF-8" check ./*.q7x
expect 2 "is not UTF-8 text" "a value that is not UTF-8" set a.q7x "$(printf 'Knob 1 CC=\351\351')"

# JSON: each refused naming what is wrong, quickly, and nothing written.
printf '{"controls":{"Knob 1":{"Mode":"Aftertouch","unused":{"CC":%s}}}}' 4294967316 >big32.json
printf '{"controls":{"Knob 1":{"Mode":"Aftertouch","unused":{"CC":%s}}}}' 18446744073709551636 >big64.json
printf '{"controls":{"Knob 1":{"Mode":"Aftertouch","unused":{"CC":%s}}}}' 128 >byte.json
printf '{"controls":{"Keybed":{"Transpose":-%%}}}' >minus.json
head -c 60000 /dev/zero | tr '\0' '[' >deep.json
printf '{"controls":{"Keybed":{"Transpose":%s}}}' 1e9999999999 >exponent.json
printf '{"controls":{"Knob 1":{"Mode":"Aftertouch","unused":{"CC":%s}}}}' 0.5 >fraction.json
printf '{"controls":{"Knob 1":{"Mode":"Aftertouch","unused":{"CC":%s}}}}' 2E1 >upper.json
printf '{"controls":{}} x' >trailing.json
printf '{"controls":{}}\n{}\n' >second.json
: >empty.json
printf ' \n\t' >blank.json
mkfifo fifo.json
ln -s /dev/zero zero.json
expect 1 "controls.Knob 1.unused.CC: 4294967316 is out of range" "a number beyond 32 bits" import big32.json o.q7x
expect 1 "controls.Knob 1.unused.CC: 18446744073709551636 is out of range" "a number beyond 64 bits" import big64.json o.q7x
expect 1 "controls.Knob 1.unused.CC: 128 is not a byte 0..127" "a byte out of range" import byte.json o.q7x
expect 1 "minus.json: not valid JSON: a minus sign without a number" "a minus without digits" import minus.json o.q7x
expect 1 "nested deeper than the 4 levels of a preset" "60,000 nested arrays" import deep.json o.q7x
expect 1 "controls.Keybed.Transpose: expected a whole number, not 1e9999999999" "an exponent" import exponent.json o.q7x
expect 1 "controls.Knob 1.unused.CC: expected a whole number, not 0.5" "a fraction" import fraction.json o.q7x
expect 1 "controls.Knob 1.unused.CC: expected a whole number, not 2E1" "a capital exponent" import upper.json o.q7x
expect 1 "trailing.json: not valid JSON: text after the object at line 1, column 17" "text after the object" import trailing.json o.q7x
expect 1 "second.json: not valid JSON: text after the object at line 2, column 1" "a second object" import second.json o.q7x
expect 1 "empty.json: not valid JSON: empty" "an empty file" import empty.json o.q7x
expect 1 "blank.json: not valid JSON: empty" "a file of white space" import blank.json o.q7x
expect 1 "fifo.json: not a regular file" "a FIFO" import fifo.json o.q7x
expect 1 "zero.json: not a regular file" "a link to /dev/zero" import zero.json o.q7x
[ -e o.q7x ] && fail "a refused import wrote o.q7x"

# A byte-order mark before the JSON is skipped; "-" reads standard input, a pipe or a file.
printf '\357\273\277{"controls":{"Keybed":{"Transpose":-5}}}' >bom.json
"$program" import bom.json bom.q7x || fail "import of JSON after a byte-order mark"
printf '{"controls":{"Keybed":{"Transpose":7}}}' | "$program" import - piped.q7x || fail "import - from a pipe"
"$program" import - redirected.q7x <bom.json || fail "import - from a file"
while IFS='|' read -r file transpose; do
    "$program" show "$file" 2>&1 | grep -qx "Keybed Transpose: $transpose" || fail "$file does not hold Keybed Transpose $transpose"
done <<'EOF'
bom.q7x|-5
piped.q7x|7
redirected.q7x|-5
EOF
head -c 2000000 /dev/zero | "$program" import - huge.q7x 2>"$work/err" && fail "import - of 2 MB from a pipe"
grep -qF "q7x-preset: -: too large for a preset (more than 1048576 bytes)" "$work/err" || { fail "import - of 2 MB:"; cat "$work/err"; }

# Saving through a symbolic link writes the file it names; a hard link sees the change.
mkdir real links
"$program" new real/t.q7x
ln -s ../real/t.q7x links/l.q7x
ln real/t.q7x links/h.q7x
"$program" set links/l.q7x "Knob 2 CC=74" || fail "set through a symbolic link"
[ -L links/l.q7x ] || fail "the symbolic link was replaced by a file"
"$program" show real/t.q7x | grep -qx "Knob 2 CC: 74" || fail "the linked file was not changed"
"$program" set links/h.q7x "Knob 2 CC=75" || fail "set through a hard link"
"$program" show real/t.q7x | grep -qx "Knob 2 CC: 75" || fail "the hard link was split"

# Mode, owner and group are kept; as another user who may write the file but not own it, too.
chown 1234:2345 real/t.q7x && chmod 0664 real/t.q7x
"$program" set real/t.q7x "Knob 2 CC=76" || fail "set of a file owned by another user"
[ "$(stat -c '%a %u %g' real/t.q7x)" = "664 1234 2345" ] || fail "owner, group or mode changed: $(stat -c '%a %u %g' real/t.q7x)"
chmod 0777 . real && chgrp 2345 real
setpriv --reuid=4321 --regid=2345 --clear-groups "$program" set real/t.q7x "Knob 2 CC=77" || fail "set by a group member"
[ "$(stat -c '%a %u %g' real/t.q7x)" = "664 1234 2345" ] || fail "a group member's set changed: $(stat -c '%a %u %g' real/t.q7x)"
"$program" show real/t.q7x | grep -qx "Knob 2 CC: 77" || fail "a group member's set was lost"

# An ordinary user (4321, of group 2345 only) saving a file whose owner or group it may not give a
# new file. Per row: the file's owner:group, mode and size before; the command and what follows
# the file name; its mode, owner and group after. A preset's 103 bytes are rewritten in place and
# keep all three; a file of another size cannot be rewritten so, and becomes the user's own file
# with the same mode.
while IFS='|' read -r before mode size command value expected; do
    rm -f real/u.q7x
    head -c "$size" a.q7x >real/u.q7x && chown "$before" real/u.q7x && chmod "$mode" real/u.q7x
    read -ra words <<<"$command"
    what="$command of a $size-byte file of $before, mode $mode, as an ordinary user"
    setpriv --reuid=4321 --regid=2345 --clear-groups "$program" "${words[@]}" real/u.q7x ${value:+"$value"} \
        || fail "$what"
    [ "$(stat -c '%a %u %g' real/u.q7x)" = "$expected" ] || fail "$what: $(stat -c '%a %u %g' real/u.q7x), not $expected"
    "$program" check real/u.q7x >/dev/null || fail "$what left no valid preset"
    [ -z "$value" ] || "$program" show real/u.q7x | grep -qx "${value/=/: }" || fail "$what lost $value"
done <<'TABLE'
1234:2345|664|103|set|Knob 3 CC=78|664 1234 2345
4321:3456|644|103|set|Knob 3 CC=79|644 4321 3456
1234:2345|660|0|new --force||660 4321 2345
4321:3456|640|0|new --force||640 4321 2345
TABLE

# A read-only preset is refused and left as it was.
chmod 0444 real/t.q7x
cp real/t.q7x before.q7x
expect 1 "is read-only; left unchanged" "set of a read-only preset" set links/l.q7x "Knob 2 CC=1"
cmp -s real/t.q7x before.q7x || fail "the read-only preset was changed"

# Only a file is replaced, --force or not: a FIFO or a device node stays what it is.
"$program" export a.q7x >a.json
mkfifo fifo.q7x
mknod null.q7x c 1 3
for node in fifo.q7x null.q7x; do
    type=$(stat -c %F $node)
    expect 1 "$node: not a regular file" "new --force over a $type" new --force $node
    expect 1 "$node: not a regular file" "import --force over a $type" import --force a.json $node
    [ "$(stat -c %F $node)" = "$type" ] || fail "$node became a $(stat -c %F $node)"
done

# A folder its user may write but not read (mode 333): the preset is saved, and a warning says the
# folder could not be synced. Run as a user of no account, since root reads any folder.
mkdir sealed && cp a.q7x sealed/p.q7x && chown -R 4321:4321 sealed && chmod 333 sealed
as_nobody() { setpriv --reuid=4321 --regid=4321 --clear-groups "$program" "$@" >out 2>err; }
as_nobody set sealed/p.q7x "Knob 2 CC=9" || fail "set in a folder of mode 333: exit status $?"
grep -qF "sealed/p.q7x: warning: the folder could not be synced (open folder: Permission denied)" err || { fail "set: no warning in:"; cat err; }
as_nobody new sealed/n.q7x || fail "new in a folder of mode 333: exit status $?"
grep -qF "sealed/n.q7x: warning: the folder could not be synced (open folder: Permission denied)" err || { fail "new: no warning in:"; cat err; }
chmod 755 sealed
"$program" show sealed/p.q7x | grep -qx "Knob 2 CC: 9" || fail "the set in a folder of mode 333 was lost"
cmp -s sealed/n.q7x a.q7x || fail "the new preset in a folder of mode 333 is not the default one"

# Names as long as the system allows (255 bytes; 80 three-byte characters) are saved.
for name in "$(printf 'a%.0s' $(seq 251)).q7x" "$(printf '\351\237\263%.0s' $(seq 80)).q7x"; do
    "$program" new "$name" 2>err || { fail "new of a name of $(printf %s "$name" | wc -c) bytes:"; cat err; }
    "$program" set "$name" "Knob 2 CC=5" 2>err || { fail "set of a name of $(printf %s "$name" | wc -c) bytes:"; cat err; }
done

[ "$failures" -eq 0 ] && echo "q7x-preset untrusted input: all checks passed"
exit $(( failures > 0 ))
