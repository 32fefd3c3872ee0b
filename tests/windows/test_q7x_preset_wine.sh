#!/usr/bin/env bash
# q7x-preset.exe under Wine does what the Linux q7x-preset does, byte for byte: the same output
# (LF line ends), the same exit statuses, the same files; and it takes file names Windows' local
# code page cannot hold, and absolute Windows paths.
# Usage: test_q7x_preset_wine.sh LINUX-q7x-preset WINDOWS-q7x-preset.exe  (Wine set up by the caller)
set -uo pipefail

linux=$(realpath "$1") windows=$(realpath "$2")
work=$(mktemp -d)
trap "" EXIT; echo $work
mkdir "$work/linux" "$work/windows"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# both ARGS...: runs the command in each program's own folder, keeps what each printed.
step=0
both()
{
    step=$((step + 1))
    (cd "$work/linux" && "$linux" "$@" >"../linux.$step.out" 2>"../linux.$step.err"; echo $? >"../linux.$step.status")
    (cd "$work/windows" && wine "$windows" "$@" >"../windows.$step.out" 2>"../windows.$step.err"; echo $? >"../windows.$step.status")
    local what
    for what in status out err; do
        cmp -s "$work/linux.$step.$what" "$work/windows.$step.$what" \
            || fail "q7x-preset $*: its $what differs on Windows: $(diff "$work/linux.$step.$what" "$work/windows.$step.$what" | head -5 | cat -A)"
    done
}

both new a.q7x
both set a.q7x "Knob 2 CC=74" "Pad 3 Mode=CC Toggle" "Pad 4 Note=127"
both show a.q7x
both new b.q7x
both diff b.q7x a.q7x
both export a.q7x
cp "$work/linux.$step.out" "$work/linux/a.json"
cp "$work/linux.$step.out" "$work/windows/a.json"
both import a.json c.q7x
both check a.q7x c.q7x
head -c 102 "$work/linux/a.q7x" >"$work/linux/short.q7x"
head -c 102 "$work/linux/a.q7x" >"$work/windows/short.q7x"
both check short.q7x
both set a.q7x "Knob 1 CC=128"
both frobnicate

for file in a.q7x b.q7x c.q7x; do
    cmp -s "$work/linux/$file" "$work/windows/$file" || fail "$file differs between Linux and Windows"
done

# A name in three scripts, none of them in the local code page, given as an absolute Windows path.
name="Prèset ключ プリセット.q7x"
wine "$windows" new "$(winepath -w "$work/windows")\\$name" >/dev/null 2>&1 || fail "new with an absolute Windows path and a wide name failed"
cmp -s "$work/windows/$name" "$work/linux/b.q7x" || fail "new did not write \"$name\" as the Linux program writes a new preset"
(cd "$work/windows" && wine "$windows" show "$name") | grep -qx "Knob 2 CC: 21" || fail "show of \"$name\" did not read it"

[ "$failures" -eq 0 ] && echo "q7x-preset.exe under Wine: $step commands as on Linux, wide names and Windows paths taken"
exit $((failures > 0))
