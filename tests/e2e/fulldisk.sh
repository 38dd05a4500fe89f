#!/usr/bin/env bash
# A recording onto a drive that fills up: a small filesystem made for the
# test and mapped as drive Q:. The write that finds the disk full must end the
# recording as the stop button would, and only then show one message that
# names the file and the system's reason. The file must be a whole wave file
# of the sound written up to the failure, ending on a whole sample frame, and
# the next recording, to another drive, must work at once.
set -euo pipefail
. "$(dirname "$0")/drive.sh" "$1" "$2"
capacity=$((1024 * 1024))
work=$(mktemp -d /tmp/quill-e2e.XXXXXX)
drive=$WINEPREFIX/dosdevices/q:

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo -n "$@"; fi; }
cleanup() {
  kill "${recorder_pid:-0}" 2>/dev/null || true
  wait "${recorder_pid:-0}" 2>/dev/null || true
  rm -f "$drive"
  if mountpoint -q "$work/disk"; then as_root umount "$work/disk" || as_root umount -l "$work/disk"; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

mkdir "$work/disk"
if ! as_root mount -t tmpfs -o size=$capacity,mode=0777 quill-full "$work/disk" 2>/dev/null; then
  echo "SKIP: making a small filesystem needs root or password-less sudo"
  exit 77
fi
ln -sfn "$work/disk" "$drive"

start_recorder
# The second format of 44100 Hz is 16-bit stereo: 4-byte frames, while the
# drive holds a multiple of 4096 bytes minus a 46-byte header, so the write
# that fills it ends in the middle of a frame.
click Comwav
xdotool key Down Return
sleep 0.5
expect_equal "format" "44100Hz 16bit Stereo" "$(value text.Comwav)"
set_path 'Q:\full.wav'
click B_Start
probe wait '#32770' 60 >/dev/null || fail "no message when the drive was full"
state=$(probe state)
message=$(sed -n 's/^msgbox=//p' <<<"$state")
echo "     message box: $message"
[[ "$message" == 'Cannot write file "Q:\full.wav". '?* ]] || fail "the message does not name the file and a reason"
expect_equal "idle under the message (record, stop, choices)" "1 0 1" \
  "$(for key in B_Start B_Stop GroupBox1; do sed -n "s/^enabled.$key=//p" <<<"$state"; done | xargs)"
elapsed=$(value panel1)
xdotool key Return
sleep 2.5
expect_equal "no second message" "" "$(value msgbox)"
expect_equal "elapsed time stood still" "$elapsed" "$(value panel1)"

# The program's own wave reader: format, size and the tone of channel 1.
analyse() { report=$(tone_report "$1") || fail "the wave reader refuses $1: $report"; }
tone() { figure "$report" "$1"; }
expect_tone() {  # file
  [[ "$(tone frequency)" =~ ^4[34][0-9]\. ]] || fail "$1 does not hold a 440 Hz tone: $report"
  expect_equal "breaks in the tone of $1" 0 "$(tone discontinuities)"
}

file=$work/disk/full.wav
size=$(stat -c %s "$file")
data=$(od -An -tu4 -j42 -N4 "$file" | tr -d ' ')
riff=$(od -An -tu4 -j4 -N4 "$file" | tr -d ' ')
expect_equal "file size" $((46 + data)) "$size"
expect_equal "RIFF size" $((size - 8)) "$riff"
expect_equal "whole frames" 0 $((data % 4))
expect_equal "bytes recorded as the window shows them" "$data" "$(recorded_bytes)"
[ $((capacity - size)) -lt 4096 ] || fail "the drive was not filled: $size of $capacity bytes"
echo "ok   the file holds $data bytes of sound, $((capacity - size)) bytes short of the drive's $capacity"
expect_equal "format in the file as sox reads it" "44100 16 2" "$(soxi -r "$file") $(soxi -b "$file") $(soxi -c "$file")"
analyse "$file"
expect_equal "data size as the program's wave reader reads it" "$data" "$(tone data_bytes)"
expect_tone "$file"

set_path "$(winepath -w "$work/next.wav")"
click B_Start
wait_for_sound "$work/next.wav"
sleep 1
click B_Stop
analyse "$work/next.wav"
expect_equal "bytes of the next recording" "$(recorded_bytes)" "$(tone data_bytes)"
expect_tone "$work/next.wav"
echo "all full-drive checks passed"
