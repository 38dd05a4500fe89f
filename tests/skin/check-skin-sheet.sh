#!/usr/bin/env bash
# The skin sheet of the program's own skin: every element drawn through the
# engine into one picture. (Its refusals are SkinSheetTool's, with fixed inputs.)
set -uo pipefail
sheet=$1 package=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
fail() { echo "FAIL: $*"; exit 1; }
run() { WINEDEBUG=-all wine "$sheet" "$(winepath -w "$1")" "$(winepath -w "$2")"; }

run "$package" sheet.bmp || fail "skinsheet failed on the stored skin"
read -r width height colours < <(identify -format '%w %h %k\n' sheet.bmp)
[ "$width" -eq 1280 ] || fail "sheet is $width pixels wide"
[ "$height" -gt 1000 ] || fail "sheet is only $height pixels high: elements are missing"
[ "$colours" -gt 200 ] || fail "sheet has only $colours colours: little was drawn"
echo "ok   sheet ${width}x${height}, $colours colours"

