# Driving the recorder like a person: start it, click its controls, type into
# them, and read its state back through the probe. Sourced by the scripts;
# needs DISPLAY and WINEPREFIX (the session provides both).
# shellcheck shell=bash
recorder_exe=$1
probe_exe=$2
export WINEDEBUG=-all

fail() { echo "FAIL: $*" >&2; exit 1; }
probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
value() { probe state | sed -n "s/^$1=//p"; }

# Starts the program and waits for its main window.
start_recorder() {
  wine "$recorder_exe" >/dev/null 2>&1 &
  recorder_pid=$!
  probe wait TMainForm 60 >/dev/null || fail "the main window did not open"
  sleep 1
}

click() {
  local xy
  xy=$(probe where "$1") || fail "no control $1 on screen"
  # shellcheck disable=SC2086
  xdotool mousemove $xy click 1
  sleep 0.5
}

# Replaces the path in FilePath by typing, as a user would.
set_path() {
  click FilePath
  xdotool key End shift+Home BackSpace
  xdotool type --delay 15 "$1"
  sleep 0.3
}

# The number in "已经录制了 N  字节 ".
recorded_bytes() { value panel0 | tr -cd '0-9'; }

# Wine's first captured bytes come a second or more after the start, later on
# a busy machine: waits for them rather than for a fixed time.
wait_for_sound() {
  for _ in $(seq 100); do
    [ "$(recorded_bytes)" -gt 0 ] 2>/dev/null && return 0
    sleep 0.2
  done
  fail "no sound recorded 20 s after the start"
}

# The about window, through the menu: Alt+A opens "关于(&A)", its last item is "关于...".
open_about() {
  xdotool key alt+a
  sleep 0.5
  xdotool key Up Return
  probe wait TAboutForm 10 >/dev/null || fail "the about window did not open"
  sleep 0.5
}

expect_equal() {  # what, wanted, got
  [ "$2" = "$3" ] || fail "$1: wanted '$2', got '$3'"
  echo "ok   $1: $3"
}

# The file's sizes and sound: RIFF size = file - 8, data size = what the window
# last showed, and a 440 Hz tone in it.
check_wave() {  # file, data bytes
  local file=$1 bytes=$2 size riff data stat
  size=$(stat -c %s "$file")
  riff=$(od -An -tu4 -j4 -N4 "$file" | tr -d ' ')
  data=$(od -An -tu4 -j42 -N4 "$file" | tr -d ' ')
  expect_equal "RIFF size of $file" $((size - 8)) "$riff"
  expect_equal "data size of $file" "$bytes" "$data"
  expect_equal "sample format of $file" "44100 16 1" "$(soxi -r "$file") $(soxi -b "$file") $(soxi -c "$file")"
  stat=$(sox "$file" -n stat 2>&1)
  grep -q 'Rough   frequency: *4[34][0-9]$' <<<"$stat" || fail "$file does not hold a 440 Hz tone: $stat"
  echo "ok   $file holds a 440 Hz tone"
}
