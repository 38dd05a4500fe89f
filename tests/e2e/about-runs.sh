#!/usr/bin/env bash
# With a recording running, the about item through the skinned menu bar 200
# times with the mouse and 200 times with the keys (Alt+A, Up, Enter): every
# click and key reaches the menu, whose loop the recording's timer pumps
# into, and the recording goes on whole behind the about windows.
set -euo pipefail
. "$(dirname "$0")/drive.sh" "$1" "$2"
runs=${3:-200}
work=$(mktemp -d /tmp/quill-about.XXXXXX)
trap 'kill "${recorder_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT

# The about window by its title, read from the display: no Wine program per step.
about_shown() { xdotool search --onlyvisible --name '^关于$' >/dev/null 2>&1; }
about_gone() { ! about_shown; }
within_5s() { for _ in $(seq 100); do "$@" && return 0; sleep 0.05; done; return 1; }
# Whether the about window opened; closed with Escape when it did, the menu left when not.
opened() {
  if within_5s about_shown; then
    xdotool key Escape
    within_5s about_gone || fail "Escape did not close the about window"
    return 0
  fi
  # The screen at the first loss, for the failure's report.
  [ -f "$work/lost" ] || { import -window root /tmp/quill-e2e-about-lost.png 2>/dev/null || true; touch "$work/lost"; }
  xdotool key Escape Escape
  sleep 0.3
  return 1
}

start_recorder
set_path "$(winepath -w "$work/runs.wav")"
click B_Start
wait_for_sound "$work/runs.wav"
read -r left top right bottom < <(probe window TMainForm) || fail "no main window"
entry="$((left + 77)) $((top + 39))"  # 关于(&A), as open_about_with_mouse finds it
# shellcheck disable=SC2086
xdotool mousemove $entry click 1
sleep 0.7
item=$(probe menuitem 2 3) || fail "the about entry's drop-down did not open"
xdotool key Escape Escape
sleep 0.5

lost_clicks=0
for _ in $(seq "$runs"); do
  # shellcheck disable=SC2086
  xdotool mousemove $entry click 1 sleep 0.25 mousemove $item click 1
  opened || lost_clicks=$((lost_clicks + 1))
done
# The test display runs no window manager. When the about window goes, the X
# server may leave the keyboard with its root window, which hands each key to
# the window under the pointer: the pointer rests over the main window's
# status line, as a hand on the mouse leaves it, so no key falls on the bare
# screen. (A window manager gives the keyboard to the window activated.)
rest_pointer
lost_keys=0
for _ in $(seq "$runs"); do
  xdotool key alt+a sleep 0.15 key Up Return
  opened || lost_keys=$((lost_keys + 1))
done
[ "$lost_clicks $lost_keys" = "0 0" ] ||
  fail "of $runs runs, $lost_clicks by the mouse and $lost_keys by the keys opened no about window (the screen at the first: /tmp/quill-e2e-about-lost.png)"
echo "ok   $runs runs by the mouse and $runs by the keys each opened the about window"
expect_equal "still recording" 0 "$(value enabled.B_Start)"
click B_Stop
check_wave "$work/runs.wav" "$(recorded_bytes)"
echo "all about runs passed"
