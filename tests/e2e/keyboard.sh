#!/usr/bin/env bash
# The recorder driven from the keyboard alone, as a user without a mouse
# drives it: Tab to 录音, Space to record and to stop, the about window through
# the skinned menu bar's keyboard mode (F10 and Alt alone) and closed with
# Escape, the system menu with Alt+Space in both windows, and Alt+F4 while
# recording. Then, with the mouse, the Save dialog cancelled with Escape,
# after which typing still reaches the path edit.
set -euo pipefail
. "$(dirname "$0")/drive.sh" "$1" "$2"
work=$(mktemp -d /tmp/quill-keys.XXXXXX)
trap 'kill "${recorder_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

key() { xdotool key "$@"; sleep 0.4; }
# Presses Tab until the named control has the focus (at most once round the window).
tab_to() {  # name
  for _ in $(seq 8); do
    [ "$(value focus)" = "$1" ] && { echo "ok   Tab reaches $1"; return 0; }
    key Tab
  done
  fail "Tab never reached $1 (the focus is on $(value focus))"
}
# Opens the about window from the bar's keyboard mode: the mode starts on the
# first entry, 系统; Right goes to 关于, Down opens it on its first item, Up
# wraps round to the last, 关于..., and Enter runs it.
about_from_bar() {  # the keys that start the mode
  key "$1"
  expect_equal "$1 starts the bar's keyboard mode, no drop-down yet" none "$(value menu)"
  key Right
  key Down
  expect_equal "Down opens the entry's drop-down" open "$(value menu)"
  key Up
  key Return
  probe wait TAboutForm 10 >/dev/null || fail "the about window did not open from the bar with $1"
  sleep 0.5
  expect_equal "the about window's 关闭 has the focus" Button1 "$(value focus)"
  key Escape
  sleep 0.5
  expect_equal "Escape closed the about window" none "$(value about)"
  expect_equal "the focus is back where it was" B_Start "$(value focus)"
}

start_recorder
rest_pointer  # over the status line; it clicks nothing
expect_equal "a control has the focus at start" ComDriver "$(value focus)"
tab_to FilePath
key End shift+Home BackSpace
xdotool type --delay 15 "$(winepath -w "$work/keys.wav")"
tab_to B_Start
key space
expect_equal "Space on 录音 records" 0 "$(value enabled.B_Start)"
expect_equal "the focus rests on 停止" B_Stop "$(value focus)"
wait_for_sound "$work/keys.wav"
sleep 3
key space
expect_equal "Space on 停止 stops" "1 0" "$(value enabled.B_Start) $(value enabled.B_Stop)"
expect_equal "the focus is back on 录音" B_Start "$(value focus)"
check_wave "$work/keys.wav" "$(recorded_bytes)"

about_from_bar F10
about_from_bar alt

key alt+space
expect_equal "Alt+Space opens the main window's system menu" open "$(value menu)"
key Escape
sleep 0.3
expect_equal "Escape closes it" none "$(value menu)"
key F10
key Right
key Down
key Up
key Return
probe wait TAboutForm 10 >/dev/null || fail "the about window did not open again"
sleep 0.5
key alt+space
expect_equal "Alt+Space opens the about window's system menu" open "$(value menu)"
key Escape
sleep 0.3
expect_equal "Escape closes the menu and leaves the about window" "none open" "$(value menu) $(value about)"
key Escape
sleep 0.5
expect_equal "a second Escape closes the about window" none "$(value about)"

# Alt+F4 while recording: the program ends and the file is complete.
key space
wait_for_sound "$work/keys.wav"
sleep 1
last=$(recorded_bytes)
key alt+F4
for _ in $(seq 50); do kill -0 "$recorder_pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$recorder_pid" 2>/dev/null && fail "Alt+F4 did not end the program while recording"
data=$(od -An -tu4 -j42 -N4 "$work/keys.wav" | tr -d ' ')
[ "$data" -ge "$last" ] || fail "Alt+F4 left $data bytes of sound, the window showed $last"
check_wave "$work/keys.wav" "$data"

# With the mouse: the Save dialog cancelled with Escape hands the keys back to the path edit.
start_recorder
click FilePath
click SpeedButton1
probe wait '#32770' 10 >/dev/null || fail "the Save dialog did not open"
key Escape
sleep 0.5
expect_equal "Escape closed the Save dialog" TMainForm "$(value active)"
expect_equal "the path edit has the focus back" FilePath "$(value focus)"
key End
xdotool type --delay 15 "typed"
sleep 0.3
[[ "$(value text.FilePath)" == *typed ]] || fail "typing after the dialog gave the path '$(value text.FilePath)'"
echo "ok   typed after the Save dialog: $(value text.FilePath)"
xdotool key alt+F4
echo "all keyboard checks passed"
