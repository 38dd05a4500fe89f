#!/usr/bin/env bash
# A recording cut off without warning: the program is killed midway, as a
# crash or the task manager would end it. The file must still be a wave file
# that sox reads, holding the 440 Hz tone without a break and at least all
# but the last 1.5 s of the sound the window last showed.
set -euo pipefail
. "$(dirname "$0")/drive.sh" "$1" "$2"
work=$(mktemp -d /tmp/quill-e2e.XXXXXX)
trap 'kill "${recorder_pid:-0}" 2>/dev/null || true; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM HUP

bytes_per_second=88200  # the default format, 44100 Hz 16-bit mono

start_recorder
set_path "$(winepath -w "$work/killed.wav")"
click B_Start
wait_for_sound "$work/killed.wav"
sleep 4
shown=$(recorded_bytes)
kill -KILL "$recorder_pid"
wait "$recorder_pid" 2>/dev/null || true
file=$work/killed.wav

stat=$(sox "$file" -n stat 2>&1) || fail "sox cannot read the file left by the killed program: $stat"
echo "ok   sox reads the file left by the killed program"
data=$(od -An -tu4 -j42 -N4 "$file" | tr -d ' ')
riff=$(od -An -tu4 -j4 -N4 "$file" | tr -d ' ')
[ "$riff" -eq $((data + 38)) ] || fail "RIFF size $riff does not fit data size $data"
report=$(tone_report "$file") || fail "the wave reader refuses the file: $report"
tone() { figure "$report" "$1"; }
expect_equal "data size as the program's wave reader reads it" "$data" "$(tone data_bytes)"
awk -v shown="$shown" -v data="$data" -v rate=$bytes_per_second -v written="$(stat -c %s "$file")" 'BEGIN {
  printf "     the window showed %d bytes (%.2f s); the header holds %d (%.2f s), %.2f s less; %d bytes were on disk\n",
         shown, shown / rate, data, data / rate, (shown - data) / rate, written - 46 }'
[ "$data" -ge $((shown - 3 * bytes_per_second / 2)) ] || fail "the file holds $data bytes, the window showed $shown"
echo "ok   the file holds all but at most 1.5 s of what the window showed"

frequency=$(tone frequency)
jumps=$(tone discontinuities)
silence=$(tone leading_silence)
samples=$(tone tone_samples)
echo "     tone: $frequency Hz, $samples samples after $silence of leading silence, $jumps breaks"
[[ "$frequency" =~ ^4[34][0-9]\. ]] || fail "the file does not hold a 440 Hz tone ($frequency Hz)"
expect_equal "breaks in the tone" 0 "$jumps"
expect_equal "samples of silence and tone" $((data / 2)) $((silence + samples))
echo "all survival checks passed"
