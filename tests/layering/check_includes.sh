#!/usr/bin/env bash
# What the layers' include folders cannot catch: an include that climbs out of its folder ("../"),
# and a JUCE module header that the layer does not link. Also checks each "folder/Header.h"
# against the folders the layer may use, so that a wrong include is named here too.
#
#   check_includes.sh RULES SOURCE_ROOT
#
# RULES is written by the build, one line per layer: "folder: reachable folders | JUCE modules".
set -uo pipefail
rules=$1 root=$2
failures=0

fail() { echo "$1: $2" >&2; failures=$((failures + 1)); }

while IFS= read -r line; do
    folder=${line%%:*}
    rest=${line#*: }
    folders=" ${rest%%|*} "
    modules=" ${rest#*|} "

    while IFS= read -r file; do
        name=${file#"$root/"}
        while IFS= read -r include; do
            case $include in
                \"../*)  fail "$name" "$include climbs out of its folder; write \"folder/Header.h\"" ;;
                \"*/*)   used=${include#\"}; used=${used%%/*}
                         [[ $folders == *" $used "* ]] || fail "$name" "$include: $folder may not use $used/" ;;
                \<juce_*) module=${include#<}; module=${module%%/*}
                         [[ $modules == *" $module "* ]] || fail "$name" "$include: $folder does not link $module" ;;
            esac
        done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*\([<"][^>"]*[>"]\).*/\1/p' "$file")
    done < <(find "$root/$folder" -name '*.h' -o -name '*.cpp')
done < "$rules"

[ -s "$rules" ] || fail "$rules" "no layers"
echo "$failures wrong include(s)"
[ "$failures" -eq 0 ]
