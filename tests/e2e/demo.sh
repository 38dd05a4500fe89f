#!/usr/bin/env bash
# The headless demonstration of `./quill run`: a scripted recording of a few
# seconds into OUT/demo.wav, with a picture of the (skinned) main window as OUT/demo.png.
set -euo pipefail
. "$(dirname "$0")/drive.sh" "$1" "$2"
out=$3
mkdir -p "$out"
rm -f "$out/demo.wav" "$out/demo.png"
start_recorder
set_path "$(winepath -w "$out/demo.wav")"
click B_Start
wait_for_sound "$out/demo.wav"
sleep 4
read -r left top right bottom < <(probe window TMainForm) || fail "no main window to picture"
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$out/demo.png"
click B_Stop
click BitBtn1
wait "$recorder_pid" 2>/dev/null || true
[ -s "$out/demo.wav" ] || fail "no recording was written"
echo "$out/demo.wav"
echo "$out/demo.png"
