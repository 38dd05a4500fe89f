#!/usr/bin/env bash
# Two sessions started together on one Wine prefix both finish their work: one
# waits for the other, says so, and neither's teardown ends the other's
# programs. Runs on a scratch copy of the test slot's prefix, outside the test
# session.
set -euo pipefail
harness=$(cd "$(dirname "$0")/../../tools/harness" && pwd)
work=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$work" && mkdir -p "$work"
trap 'rm -rf "$work"' EXIT

# Hard links keep the copy cheap; the registry files are the session's own.
cp -al "$WINEPREFIX" "$work/prefix"
rm -f "$work/prefix"/*.reg "$work/prefix/wineserver"
cp -p "$WINEPREFIX"/*.reg "$work/prefix/"

# Each session runs a Windows program, waits, and runs another one: a
# teardown of the other session in between would kill the second.
run_session() {  # name
  env -u QUILL_SESSION_DIR -u QUILL_SESSION_LOCK -u QUILL_SESSION_PREFIX -u QUILL_SLOT -u QUILL_SLOTS -u DISPLAY \
    -u PULSE_SERVER \
    WINEPREFIX="$work/prefix" "$harness/with-session" \
    bash -c 'wine cmd /c echo "$1-began" && sleep 2 && wine cmd /c echo "$1-ended"' _ "$1" \
    >"$work/$1.out" 2>"$work/$1.err"
}

run_session first &
first=$!
sleep 0.5
run_session second &
second=$!
wait $first || fail "the first session failed: $(cat "$work/first.err")"
wait $second || fail "the second session failed: $(cat "$work/second.err")"
for name in first second; do
  [ "$(tr -d '\r' <"$work/$name.out" | tr '\n' ' ')" = "$name-began $name-ended " ] || fail "the $name session printed: $(cat "$work/$name.out")"
done
waited=$(grep -l "waiting for the other session" "$work/first.err" "$work/second.err" | wc -l)
[ "$waited" -eq 1 ] || fail "$waited sessions said that they wait, not one"
echo "ok   two sessions on one prefix both finished, one after the other"
