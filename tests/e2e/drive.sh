# Driving the recorder like a person: start it, click its controls, type into
# them, and read its state back through the probe. Sourced by the scripts;
# needs DISPLAY and WINEPREFIX (the session provides both).
# shellcheck shell=bash
recorder_exe=$1
probe_exe=$2
tone_exe=$(dirname "$probe_exe")/tone_check.exe
export WINEDEBUG=-all

fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs a program that only reads (the probe, the tone check) and prints what
# it printed, with its error output too when the first argument is "keep".
# Under load Wine has been seen to lose a process at its start, before it
# printed anything: such a run is made once more, with a note.
read_only_run() {
  local - errors=/dev/null output status=0
  set -o pipefail
  [ "$1" = keep ] && errors=/dev/stdout
  shift
  output=$(wine "$@" 2>"$errors" | tr -d '\r') || status=$?
  if [ -z "$output" ] && [ $status -ne 0 ]; then
    echo "note: $(basename "$1") ended with status $status before printing anything; running it again" >&2
    status=0
    output=$(wine "$@" 2>"$errors" | tr -d '\r') || status=$?
  fi
  [ -z "$output" ] || printf '%s\n' "$output"
  return $status
}
probe() { read_only_run quiet "$probe_exe" "$@"; }
value() { probe state | sed -n "s/^$1=//p"; }
# The tone in a recording, as tone_check reads it, and one figure of that report.
tone_report() { read_only_run keep "$tone_exe" "$(winepath -w "$1")"; }
figure() { sed -n "s/^$2=//p" <<<"$1"; }  # report, key

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

# Puts the pointer over the main window's status line, where it touches no
# control. Without a window manager the X server may leave the keyboard with
# the root window, which passes each key to the window under the pointer.
rest_pointer() {
  local xy
  xy=$(probe where Sb) || fail "no status line on screen"
  # shellcheck disable=SC2086
  xdotool mousemove $xy
  sleep 0.2
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

# Waits until the file being recorded holds the tone itself. The device may
# first deliver silence for a while (under PulseAudio, up to a second or more
# after a start), and Wine's first bytes come a second or more after the start
# on a busy machine; bytes alone say nothing of either.
wait_for_sound() {  # file
  local report=
  for _ in $(seq 60); do
    report=$(tone_report "$1") || true
    awk -v s="$(figure "$report" sound_s)" -v a="$(figure "$report" amplitude)" \
      'BEGIN { exit !(s >= 0.2 && a >= 0.1) }' && return 0
    sleep 0.5
  done
  # Where every thread of the program stood, for the failure's report.
  winedbg --command "bt all" 2>&1 | tr -d '\r' >/tmp/quill-e2e-threads.txt || true
  fail "no sound of the tone in $1 30 s after the start: $(tr '\n' ' ' <<<"$report")" \
    "(the threads: /tmp/quill-e2e-threads.txt)" \
    "(the window: $(value panel0 | tr -d '\n'), $(value panel1 | tr -d '\n'), record button enabled $(value enabled.B_Start);" \
    "capture streams of the sound server: $(pactl list source-outputs 2>&1 | grep -E 'Corked|Latency|Sample|Source:' | tr -s ' \t\n' ' '))"
}

# The about window, through the menu: Alt+A opens "关于(&A)", its last item is "关于...".
open_about() {
  xdotool key alt+a
  sleep 0.5
  xdotool key Up Return
  probe wait TAboutForm 10 >/dev/null || fail "the about window did not open"
  sleep 0.5
}

# The about window through the skinned menu bar with the mouse: the entry
# "关于(&A)" is the bar's second, after "系统(&S)" (about 45 pixels of the
# menu font), in the bar below the skin's 30-pixel title; its drop-down's
# last of three items is "关于...".
open_about_with_mouse() {
  local left top right bottom xy
  read -r left top right bottom < <(probe window TMainForm) || fail "no main window"
  xdotool mousemove $((left + 77)) $((top + 39)) click 1
  sleep 0.7
  xy=$(probe menuitem 2 3) || fail "the about entry's drop-down did not open"
  # shellcheck disable=SC2086
  xdotool mousemove $xy click 1
  if ! probe wait TAboutForm 10 >/dev/null; then
    # What the screen showed, for the failure's report.
    import -window root /tmp/quill-e2e-about-failure.png 2>/dev/null || true
    fail "the about window did not open from the menu bar (menu item at $xy; the screen: /tmp/quill-e2e-about-failure.png)"
  fi
  sleep 0.5
}

expect_equal() {  # what, wanted, got
  [ "$2" = "$3" ] || fail "$1: wanted '$2', got '$3'"
  echo "ok   $1: $3"
}

# The file's sizes and sound: RIFF size = file - 8, data size = what the window
# last showed, sox reads the stated format, and after the device's leading
# silence the sound is a steady 440 Hz tone without a gap or a jump.
check_wave() {  # file, data bytes
  local file=$1 bytes=$2 size riff data report silence sound frequency jumps
  size=$(stat -c %s "$file")
  riff=$(od -An -tu4 -j4 -N4 "$file" | tr -d ' ')
  data=$(od -An -tu4 -j42 -N4 "$file" | tr -d ' ')
  expect_equal "RIFF size of $file" $((size - 8)) "$riff"
  expect_equal "data size of $file" "$bytes" "$data"
  expect_equal "sample format of $file" "44100 16 1" "$(soxi -r "$file") $(soxi -b "$file") $(soxi -c "$file")"
  report=$(tone_report "$file")
  silence=$(figure "$report" leading_silence_s)
  sound=$(figure "$report" sound_s)
  frequency=$(figure "$report" frequency)
  jumps=$(figure "$report" discontinuities)
  [ "$jumps" = 0 ] || fail "$file: the tone breaks $jumps times after it began: $(tr '\n' ' ' <<<"$report")"
  awk -v f="$frequency" -v s="$sound" 'BEGIN { exit !(f >= 437 && f <= 443 && s >= 0.5) }' ||
    fail "$file does not hold a steady 440 Hz tone: $(tr '\n' ' ' <<<"$report")"
  echo "ok   $file: ${sound} s of a ${frequency} Hz tone without a break, after ${silence} s of leading silence"
}
