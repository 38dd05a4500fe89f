#!/usr/bin/env bash
# The recorder end to end under Wine and the session's 440 Hz source: start-up
# choices, a recording stopped by the button and one ended by closing the
# window, the about window during a recording (opened through the skinned menu
# bar with Alt+A and with the mouse), and a path that cannot be made.
set -euo pipefail
. "$(dirname "$0")/drive.sh" "$1" "$2"
work=$(mktemp -d /tmp/quill-e2e.XXXXXX)
trap 'kill "${recorder_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

start_recorder
expect_equal "main window skinned" 1 "$(value skinned)"
expect_equal "format chosen at start" "44100Hz 16bit Mono" "$(value text.Comwav)"
expect_equal "path at start" 'C:\temp.wav' "$(value text.FilePath)"
expect_equal "stop disabled when idle" 0 "$(value enabled.B_Stop)"

# A recording stopped with the stop button, with the about window opened midway.
set_path "$(winepath -w "$work/first.wav")"
click B_Start
wait_for_sound "$work/first.wav"
sleep 1
expect_equal "record disabled while recording" 0 "$(value enabled.B_Start)"
expect_equal "choices disabled while recording" 0 "$(value enabled.GroupBox1)"
open_about
before=$(recorded_bytes)
sleep 2
after=$(recorded_bytes)
[ "$after" -gt "$before" ] || fail "the byte count stood still behind the about window ($before, $after)"
echo "ok   recording goes on behind the about window: $before -> $after bytes"
click Button1
sleep 1
expect_equal "about window closed" none "$(value about)"
open_about_with_mouse
expect_equal "about window opened with the mouse" open "$(value about)"
click Button1
sleep 1
expect_equal "about window closed again" none "$(value about)"
click B_Stop
sleep 0.5
[[ "$(value panel1)" =~ ^0:0:([3-9]|[12][0-9])$ ]] || fail "elapsed time reads '$(value panel1)'"
echo "ok   elapsed time $(value panel1)"
expect_equal "record enabled after stop" 1 "$(value enabled.B_Start)"
check_wave "$work/first.wav" "$(recorded_bytes)"

# A path in a folder that does not exist: the error is shown and the window stays idle.
set_path 'Z:\no\such\folder\x.wav'
click B_Start
probe wait '#32770' 10 >/dev/null || fail "no message box for an unwritable path"
message=$(value msgbox)
[[ "$message" == 'Cannot create file "Z:\no\such\folder\x.wav".'* ]] || fail "message box says '$message'"
echo "ok   message box: $message"
xdotool key Return
sleep 0.5
expect_equal "idle after a failed start" "1 0" "$(value enabled.B_Start) $(value enabled.B_Stop)"

# A recording ended by closing the window: the program ends and the file is complete.
set_path "$(winepath -w "$work/second.wav")"
click B_Start
wait_for_sound "$work/second.wav"
sleep 1
last=$(recorded_bytes)
click BitBtn1
for _ in $(seq 50); do kill -0 "$recorder_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$recorder_pid" 2>/dev/null && fail "the program did not end when its window closed"
data=$(od -An -tu4 -j42 -N4 "$work/second.wav" | tr -d ' ')
[ "$data" -ge "$last" ] || fail "closing left $data bytes of sound, the window showed $last"
check_wave "$work/second.wav" "$data"
echo "all end-to-end checks passed"
