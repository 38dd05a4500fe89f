#!/usr/bin/env bash
# The recorder started with a temporary folder it cannot use: one that does
# not exist, and a read-only one (a read-only filesystem made for the test,
# which needs root or password-less sudo; without either that case is
# skipped). The program must start with its skin, record a whole wave file
# and end when its window closes, each time.
set -euo pipefail
. "$(dirname "$0")/drive.sh" "$1" "$2"
work=$(mktemp -d /tmp/quill-e2e.XXXXXX)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo -n "$@"; fi; }
cleanup() {
  kill "${recorder_pid:-0}" 2>/dev/null || true
  wait "${recorder_pid:-0}" 2>/dev/null || true
  if mountpoint -q "$work/read-only"; then as_root umount "$work/read-only" || as_root umount -l "$work/read-only"; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# The program's TMP and TEMP, which name its temporary folder, can only be
# set inside Wine: Wine keeps the Unix ones from Windows programs.
start_recorder_with_temp() {  # Windows path of the temporary folder
  wine cmd /c "set TMP=$1&&set TEMP=$1&&$(winepath -w "$recorder_exe")" >/dev/null 2>&1 &
  recorder_pid=$!
  probe wait TMainForm 60 >/dev/null || fail "the main window did not open with the temporary folder $1"
  sleep 1
}

folders=('C:\no such folder\Temp')
mkdir "$work/read-only"
if as_root mount -t tmpfs -o ro,size=64k quill-ro "$work/read-only" 2>/dev/null; then
  touch "$work/read-only/probe" 2>/dev/null && fail "the read-only folder takes files"
  folders+=("$(winepath -w "$work/read-only")")
else
  echo "note: a read-only folder needs root or password-less sudo; that case is skipped"
fi

n=0
for folder in "${folders[@]}"; do
  n=$((n + 1))
  start_recorder_with_temp "$folder"
  echo "ok   the window opened with the temporary folder $folder"
  expect_equal "main window skinned" 1 "$(value skinned)"
  expect_equal "format chosen at start" "44100Hz 16bit Mono" "$(value text.Comwav)"
  set_path "$(winepath -w "$work/take$n.wav")"
  click B_Start
  wait_for_sound "$work/take$n.wav"
  sleep 1
  click B_Stop
  sleep 0.5
  check_wave "$work/take$n.wav" "$(recorded_bytes)"
  click BitBtn1
  for _ in $(seq 50); do kill -0 "$recorder_pid" 2>/dev/null || break; sleep 0.2; done
  kill -0 "$recorder_pid" 2>/dev/null && fail "the program did not end when its window closed"
done
[ -z "$(ls -A "$work/read-only")" ] || fail "something was written into the read-only folder"
echo "all temporary-folder checks passed"
