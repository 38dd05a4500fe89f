#!/usr/bin/env bash
# Records the session's tone at 96000 Hz, 32 bits, stereo for SECONDS (60 by
# default) three ways, one after another: through the capture stream into a
# wave file, with a bare DirectSound loop (the platform's ceiling under Wine),
# and with PulseAudio's own parecord (outside Wine). All three recordings go
# through the same tone check. Needs QUILL_WIN_BUILD and a running session.
set -euo pipefail
: "${QUILL_WIN_BUILD:?QUILL_WIN_BUILD must name the Windows build}"
seconds=${1:-60}
steady_after=5

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe=$QUILL_WIN_BUILD/bench/bench_capture.exe
work=$(mktemp -d /tmp/quill-capture-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

wine_path() { printf 'Z:%s' "${1//\//\\}"; }
figure() { sed -n "s/.*\b$2=\([^ ]*\).*/\1/p" <<<"$1"; }  # line, key

# One Windows part of the benchmark; a part that fails or prints no figures
# ends the benchmark with its name and output, never with empty figures.
run_part() {  # mode, arguments...
  local mode=$1 output status=0
  shift
  output=$("$root/tools/harness/wine-exec" "$exe" "$mode" "$@" 2>&1 | tr -d '\r') || status=$?
  if [ $status -ne 0 ] || [ -z "$(figure "$output" discontinuities)" ]; then
    echo "capture benchmark: the Windows part '$mode' failed (exit $status):" >&2
    printf '%s\n' "$output" >&2
    exit 1
  fi
  printf '%s\n' "$output" | grep "^$mode:"
}

stream=$(run_part stream "$seconds" "$(wine_path "$work/stream.wav")")
echo "$stream"
bare=$(run_part bare "$seconds")
echo "$bare"

# parecord: its CPU from /proc/PID/stat (utime + stime, fields 14 and 15),
# its steady rate from the growth of its output file.
raw=$work/parecord.raw
parecord --raw --rate=96000 --channels=2 --format=s32le >"$raw" &
pid=$!
sleep "$steady_after"
size0=$(stat -c %s "$raw")
time0=$(date +%s.%N)
sleep $((seconds - steady_after))
size1=$(stat -c %s "$raw")
time1=$(date +%s.%N)
read -r utime stime < <(awk '{ print $14, $15 }' "/proc/$pid/stat")
kill -INT "$pid"
wait "$pid" || true
bytes_per_second=$((96000 * 4 * 2))
analysed=$(run_part analyse "$(wine_path "$raw")" 96000 32 2)
recorded=$(figure "$analysed" recorded_s)
parecord_cpu=$(awk -v u="$utime" -v s="$stime" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.3f", (u + s) / hz }')
parecord_cpu_per_s=$(awk -v c="$parecord_cpu" -v r="$recorded" 'BEGIN { printf "%.5f", (r > 0 ? c / r : 0) }')
parecord_rate=$(awk -v a="$size0" -v b="$size1" -v t0="$time0" -v t1="$time1" -v bps="$bytes_per_second" \
  'BEGIN { printf "%.4f", (b - a) / bps / (t1 - t0) }')
echo "parecord: seconds=$parecord_rate recorded_s=$recorded discontinuities=$(figure "$analysed" discontinuities)" \
  "cpu_s=$parecord_cpu cpu_per_s=$parecord_cpu_per_s"

cpu_per_s=$(figure "$stream" cpu_per_s)
ratio=$(awk -v a="$cpu_per_s" -v b="$parecord_cpu_per_s" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }')
echo "capture: seconds=$(figure "$stream" seconds) discontinuities=$(figure "$stream" discontinuities)" \
  "bare_discontinuities=$(figure "$bare" discontinuities) cpu_per_s=$cpu_per_s" \
  "parecord_cpu_per_s=$parecord_cpu_per_s ratio=$ratio"
