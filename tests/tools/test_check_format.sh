#!/usr/bin/env bash
# tools/check-format on a small repository of its own: which files it names, what --fix writes,
# and that it refuses a clang-format of another major version.
# Usage: test_check_format.sh (exit 77, skipped, when clang-format 14 is not installed)
set -uo pipefail

source_root=$(cd "$(dirname "$0")/../.." && pwd)
command -v clang-format-14 >/dev/null || { echo "clang-format-14 is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

run_check()   # expected-status description [args...]: runs the copy of the script in $work
{
    local expected=$1 description=$2; shift 2
    (cd "$work" && tools/check-format "$@") >"$work/out" 2>"$work/err"
    local status=$?
    [ "$status" -eq "$expected" ] || { fail "$description: exit status $status, expected $expected"; cat "$work/out" "$work/err"; }
}

mkdir -p "$work/tools" "$work/src"
cp "$source_root/.clang-format" "$work/"
cp "$source_root/tools/check-format" "$work/tools/"
git -C "$work" init -q

# What the project's layout looks like; --fix must turn the same code written carelessly into this.
cat >"$work/src/Laid.cpp" <<'CPP'
#if JUCE_LINUX
 #include <unistd.h>
#endif

namespace
{
int clampToByte (int value)
{
    if (! isValid (value) && value > 127)
        return 127;

    return (int) value;
}
} // namespace

class Box : public Base
{
public:
    int getSize() const noexcept { return size; }
    void paint (juce::Graphics& g) override;

private:
    int size = 0; // in pixels
};
CPP
cat >"$work/src/Careless.h" <<'CPP'
#if JUCE_LINUX
#include <unistd.h>
#endif

namespace {
    int clampToByte(int value) {
        if (!isValid(value) && value > 127) return 127;

        return (int)value;
    }
} // namespace

class Box : public Base {
public:
    int getSize() const noexcept   { return size; }
  void paint(juce::Graphics &g) override;

private:
    int size = 0;   // in pixels
};
CPP
cp "$work/src/Careless.h" "$work/src/Untracked.cpp"
git -C "$work" add .clang-format tools src/Laid.cpp src/Careless.h

cmp -s "$work/src/Laid.cpp" "$work/src/Careless.h" && fail "the careless copy does not differ from the laid-out one"

run_check 1 "a drifting file"
grep -qx '  src/Careless.h' "$work/out" || fail "the drifting header is not named"
grep -q 'Laid.cpp' "$work/out" && fail "a well laid out file is named"
grep -q 'Untracked.cpp' "$work/out" && fail "a file git does not track is named"

run_check 0 "only the laid-out file" src/Laid.cpp
run_check 2 "a file that is not there" src/Missing.cpp

# Another major version would judge differently: refused before anything is looked at or written.
printf '#!/bin/sh\necho "Debian clang-format version 15.0.7"\n' >"$work/clang-format-15"
chmod +x "$work/clang-format-15"
CLANG_FORMAT="$work/clang-format-15" run_check 2 "clang-format 15" --fix
grep -q 'needs clang-format 14' "$work/err" || fail "the refusal does not say which version is needed"
cmp -s "$work/src/Untracked.cpp" "$work/src/Careless.h" || fail "clang-format 15 changed a file"

run_check 0 "--fix" --fix
cmp -s "$work/src/Laid.cpp" "$work/src/Careless.h" || { fail "--fix did not lay the header out as expected"; diff "$work/src/Laid.cpp" "$work/src/Careless.h"; }
cmp -s "$work/src/Untracked.cpp" "$work/src/Laid.cpp" && fail "--fix reformatted a file git does not track"
run_check 0 "after --fix"

[ "$failures" -eq 0 ] && echo "check-format: all checks passed"
exit $((failures > 0))
