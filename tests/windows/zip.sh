#!/usr/bin/env bash
# The Windows zip (scripts/make-dist-windows) holds both programs, data\, README.txt with their
# options, LICENSE and CHANGELOG.md; unpacked, its programs started from another folder find
# their data beside them.
. "$(dirname "$0")/lib.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(unset WINEPREFIX; "$root/scripts/make-dist-windows" "$WINDOWS_BUILD" "$work/dist") >"$work/dist.log" 2>&1 ||
  fail "make-dist-windows failed: $(cat "$work/dist.log")"
zip=$(ls "$work"/dist/orvale-invit-*-windows-x86_64.zip) || fail "no zip: $(cat "$work/dist.log")"
mkdir "$work/unpacked" "$work/elsewhere"
(cd "$work/unpacked" && unzip -q "$zip") || fail "the zip does not unpack"
top=$(ls "$work/unpacked")
for f in orvale-invit.exe orvale-capture.exe README.txt LICENSE CHANGELOG.md data/gfx/overlay.png \
  data/music/tidewater.ogg data/fonts/DejaVuSans.ttf data/fonts/DejaVuSans-LICENSE.txt; do
  [ -f "$work/unpacked/$top/$f" ] || fail "the zip lacks $f"
done
grep -q -- "--no-dialog" "$work/unpacked/$top/README.txt" || fail "README.txt does not give the options"

cd "$work/elsewhere"
wine "$work/unpacked/$top/orvale-capture.exe" --at 75000 --size 160x90 --out . >capture.log 2>&1 ||
  fail "the zip's orvale-capture.exe failed from another folder: $(cat capture.log)"
[ -s frame-075000.png ] || fail "no frame written: $(cat capture.log)"
echo "ok: $(basename "$zip"), $(du -k "$zip" | cut -f1) KB"
