#!/usr/bin/env bash
# The preview's pictures of the default skin against the reference pictures
# kept beside this script, pixel by pixel (alpha included), and its figures
# (windows.txt) line by line. Every picture the preview writes must have a
# reference of the same name, and every reference a picture. A picture that
# differs fails, and a picture of the difference is kept in the work folder:
# NAME-diff.png shows the reference, the new picture and the differing pixels
# in red, side by side.
#
#   check-pictures.sh [--renew] PREVIEW_SCRIPT PREVIEW_EXE PACKAGE REFERENCES WORK
#
# With --renew the references become the new pictures (`./quill pictures`):
# a picture whose pixels are the same keeps its file, so the renewal's diff
# shows only what changed.
#
# The preview runs in a folder of its own, always named "Recordings" and
# empty, where the Save dialog opens, so nothing of the run's surroundings
# shows in a picture (the preview parks the mouse pointer itself).
set -uo pipefail
renew=false
if [ "${1:-}" = --renew ]; then renew=true; shift; fi
fail() { echo "FAIL: $*"; exit 1; }
[ $# -eq 5 ] || fail "usage: check-pictures.sh [--renew] PREVIEW_SCRIPT PREVIEW_EXE PACKAGE REFERENCES WORK"
preview=$(realpath "$1") exe=$(realpath "$2") package=$(realpath "$3") references=$(realpath "$4")
work=$(realpath -m "$5")

rm -rf "$work" && mkdir -p "$work/Recordings" "$work/pictures" || exit 1
(cd "$work/Recordings" && "$preview" "$exe" "$package" "$work/pictures") >"$work/preview.log" 2>&1 ||
  fail "the preview failed: $(tail -3 "$work/preview.log")"

# The number of pixels that differ, or "size" when the sizes do.
differing() {  # reference, picture, difference picture to write
  local ref=$1 new=$2 diff=$3 count
  if [ "$(identify -format '%wx%h' "$ref")" != "$(identify -format '%wx%h' "$new")" ]; then
    convert "$ref" "$new" -background none +append "$diff"
    echo size
    return
  fi
  count=$(compare -metric AE "$ref" "$new" null: 2>&1) || true
  if [ "$count" != 0 ]; then
    compare "$ref" "$new" -compose src -highlight-color red -lowlight-color none "$work/mask.png" 2>/dev/null
    convert "$ref" "$new" "$work/mask.png" -background none +append "$diff"
  fi
  echo "$count"
}

status=0
checked=0
for new in "$work"/pictures/*.png; do
  name=$(basename "$new")
  ref=$references/$name
  if [ ! -f "$ref" ]; then
    if $renew; then
      convert "$new" -strip "$ref" && echo "new  $name"
    else
      echo "FAIL: $name has no reference picture (./quill pictures makes one; review it)"
      status=1
    fi
    continue
  fi
  count=$(differing "$ref" "$new" "$work/${name%.png}-diff.png")
  checked=$((checked + 1))
  [ "$count" = 0 ] && continue
  if $renew; then
    convert "$new" -strip "$ref" && echo "renewed $name ($count pixels)"
  else
    echo "FAIL: $name differs from its reference in $count pixels; see $work/${name%.png}-diff.png"
    status=1
  fi
done
for ref in "$references"/*.png; do
  [ -f "$ref" ] || continue
  name=$(basename "$ref")
  [ -f "$work/pictures/$name" ] && continue
  if $renew; then
    rm "$ref" && echo "removed $name"
  else
    echo "FAIL: the preview no longer writes $name"
    status=1
  fi
done
if ! diff -u "$references/windows.txt" "$work/pictures/windows.txt" >"$work/windows.diff" 2>&1; then
  if $renew; then
    cp "$work/pictures/windows.txt" "$references/windows.txt" && echo "renewed windows.txt"
  else
    echo "FAIL: the figures differ from the reference windows.txt:"
    cat "$work/windows.diff"
    status=1
  fi
fi
if $renew; then
  echo "the references in $references are the preview's pictures now: review their diff"
elif [ $status -eq 0 ]; then
  echo "ok   $checked pictures and the figures match their references"
fi
exit $status
