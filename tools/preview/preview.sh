#!/usr/bin/env bash
# preview.sh PREVIEW_EXE PACKAGE FOLDER: runs the preview in the session's
# display and turns its pictures into PNG files beside its windows.txt.
set -euo pipefail
exe=$1
package=$2
folder=$3
mkdir -p "$folder"
rm -f "$folder"/*.bmp "$folder"/*.png "$folder/windows.txt"
WINEDEBUG=-all wine "$exe" "$(winepath -w "$package")" "$(winepath -w "$folder")" | tr -d '\r'
for bmp in "$folder"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png"
  rm "$bmp"
done
echo "$folder/windows.txt"
