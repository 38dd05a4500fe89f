#!/usr/bin/env bash
# Writes wave files of several formats with the Windows build (under Wine) and
# checks that sox reads each with the rate, width, channels and length written.
set -euo pipefail
export WINEDEBUG=-all
writer=$1
dir=$2
mkdir -p "$dir"
failures=0
check() {  # rate bits channels frames
  local file="$dir/tone_$1_$2_$3.wav"
  rm -f "$file"
  "$(dirname "$0")/../../tools/harness/wine-exec" "$writer" "$(winepath -w "$file")" "$@"
  local got="$(soxi -r "$file") $(soxi -b "$file") $(soxi -c "$file") $(soxi -s "$file")"
  if [ "$got" != "$*" ]; then
    echo "FAIL $file: sox reads '$got', written '$*'"
    failures=$((failures + 1))
  else
    echo "ok   $file: $got"
  fi
  # sox's frequency estimate is per channel; on interleaved stereo it would be off by sqrt(2)
  local stat
  stat=$(sox "$file" -n remix 1 stat 2>&1)
  if ! grep -q 'Rough   frequency: *4[34][0-9]$' <<<"$stat"; then
    echo "FAIL $file: not a 440 Hz tone"
    echo "$stat"
    failures=$((failures + 1))
  fi
}
check 44100 16 1 44100
check 22050 8 2 22051
check 96000 24 2 96001
check 8000 32 1 8000
[ $failures -eq 0 ]
