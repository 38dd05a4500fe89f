#!/usr/bin/env bash
# Odd skins through the preview: a package that is no package, and variants
# of the default skin with missing, tiny, empty, over-counted or fully
# transparent frame bitmaps, oversized margins and absurd button values.
# Each must give every picture (every window opened, pictured and closed),
# windows with a client area no smaller than the platform's look gives them
# (the package that is no package), and no crash.
#   odd-skins.sh PREVIEW_SCRIPT PREVIEW_EXE SKINPACK SKIN_FOLDER WORK
set -uo pipefail
preview=$1 exe=$2 skinpack=$3 skin=$4 work=$5
here=$(cd "$(dirname "$0")" && pwd)
rm -rf "$work" && mkdir -p "$work" || exit 1
fail() { echo "FAIL: $*"; exit 1; }
pictures=(main main-inactive main-menu system-menu about message save open color font print pagesetup find replace
  folder propsheet taskdialog)
declare -A platform  # each picture's client width and height in the platform's look

check() {  # name, package
  local name=$1 package=$2 out=$work/$1 picture line client
  "$preview" "$exe" "$package" "$out" >"$out.log" 2>&1 || fail "$name: the preview failed: $(tail -3 "$out.log")"
  for picture in "${pictures[@]}"; do
    [ -s "$out/$picture.png" ] || fail "$name: no $picture.png"
    line=$(grep "^$picture " "$out/windows.txt") || fail "$name: windows.txt has no line for $picture"
    client=$(sed -n 's/.* client=\([0-9]*\)x\([0-9]*\) .*/\1 \2/p' <<<"$line")
    read -r width height <<<"$client"
    [ "${width:-0}" -ge 40 ] && [ "${height:-0}" -ge 40 ] || fail "$name: $picture has a client area of '$client'"
    [ -n "${platform[$picture]:-}" ] || platform[$picture]=$client
    read -r least_width least_height <<<"${platform[$picture]}"
    [ "$width" -ge "$least_width" ] && [ "$height" -ge "$least_height" ] ||
      fail "$name: $picture has a client area of '$client', less than the platform's '${platform[$picture]}'"
  done
  echo "ok   $name: $(head -1 "$out/windows.txt" | cut -c1-110)"
}

head -c 4000 /dev/urandom >"$work/random.skn"
check not-a-package "$work/random.skn"
grep -q '^# platform look: ' "$work/not-a-package/windows.txt" || fail "not-a-package: no line saying why"
python3 -B "$here/odd_skins.py" "$skin" "$work/skins" >/dev/null || fail "the odd skins were not written"
for folder in "$work"/skins/*/; do
  name=$(basename "$folder")
  "$skinpack" "$folder" "$work/$name.skn" >/dev/null || fail "$name: skinpack refused it"
  check "$name" "$work/$name.skn"
done
echo "every odd skin gave all its windows"
