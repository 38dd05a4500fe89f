#!/usr/bin/env bash
# The skin tools' command lines: a folder packed and unpacked again, and a
# clear message with a non-zero exit for every kind of bad input.
set -uo pipefail
pack=$1 unpack=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

fail() { echo "FAIL: $*"; exit 1; }
refused() {  # what, expected text, command...
  local what=$1 text=$2
  shift 2
  "$@" >out.txt 2>err.txt && fail "$what: accepted"
  grep -q -- "$text" err.txt || fail "$what: message was: $(cat err.txt)"
}
folder() { rm -rf "$1" && mkdir -p "$1"; }

folder skin
printf '[Skin]\r\nImage=B.bmp\r\n' >skin/Main.INI
head -c 5000 /dev/urandom >skin/B.bmp
: >skin/empty.bmp
printf 'ab%.0s' $(seq 3000) >skin/a.bmp
mkdir skin/sub  # folders inside are not files of the skin
"$pack" skin pkg.skn >out.txt || fail "pack: $(cat out.txt)"
"$unpack" pkg.skn unpacked >out.txt || fail "unpack"
[ "$(ls unpacked | tr '\n' ' ')" = "a.bmp b.bmp empty.bmp main.ini " ] || fail "unpacked names: $(ls unpacked)"
cmp skin/Main.INI unpacked/main.ini && cmp skin/B.bmp unpacked/b.bmp && cmp skin/a.bmp unpacked/a.bmp &&
  cmp skin/empty.bmp unpacked/empty.bmp || fail "unpacked bytes differ"

refused "missing folder" "no such folder" "$pack" nowhere p.skn
folder none && : >none/a.bmp
refused "no description" "exactly one .ini" "$pack" none p.skn
folder two && : >two/a.ini && : >two/b.INI
refused "two descriptions" "exactly one .ini" "$pack" two p.skn
folder nl && : >nl/a.ini && : >"nl/line$(printf '\nbreak').bmp"
refused "line break in a name" "cannot be stored" "$pack" nl p.skn
folder wide && : >wide/a.ini && : >"wide/$(printf '\xc3\xa9').bmp"
refused "non-ASCII name" "cannot be stored" "$pack" wide p.skn
folder cases && : >cases/a.ini && : >cases/X.bmp && : >cases/x.bmp
refused "names differing in case" "letter case" "$pack" cases p.skn
folder many && : >many/a.ini && (cd many && seq 1001 | sed 's/$/.bmp/' | xargs touch)
refused "1002 files" "at most 1001" "$pack" many p.skn
rm many/1001.bmp && "$pack" many p.skn >out.txt || fail "1001 files refused"

folder orphan && : >orphan/a.ini && cp skin/B.bmp orphan/x@2x.bmp
refused "@2x picture without its image" "has no x.bmp beside it" "$pack" orphan p.skn

refused "missing package" "no such file" "$unpack" nothing.skn out
printf 'QQQQ' >huge.skn
refused "absurd expanded size" "damaged" "$unpack" huge.skn out
printf 'd\0\0\0' >zeros.skn
refused "another format marker" "Older Skin File" "$unpack" zeros.skn out
"$unpack" pkg.skn >out.txt 2>err.txt
[ $? -eq 2 ] && grep -q usage err.txt || fail "usage"
echo "skin tools: all checks passed"
