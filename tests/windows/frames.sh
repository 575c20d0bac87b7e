#!/usr/bin/env bash
# orvale-capture.exe under Wine draws one moment of each scene and of the pages as the Linux
# build draws them: within PSNR >= 30 dB and no 8 x 8 block off by more than 10 levels (the
# comparison's report says how close they are).
. "$(dirname "$0")/lib.sh"
start_xvfb
work=$(mktemp -d)
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$work"' EXIT
mkdir "$work/windows" "$work/linux"
moments=7000,22000,45000,75000,100000,130000,170000

wine "$WINDOWS_BUILD/orvale-capture.exe" --at $moments --size 320x180 --out "$(winpath "$work/windows")" \
  >"$work/windows.log" 2>&1 || fail "orvale-capture.exe failed: $(cat "$work/windows.log")"
"$LINUX_BUILD/orvale-capture" --at $moments --size 320x180 --out "$work/linux" >"$work/linux.log" 2>&1 ||
  fail "the Linux orvale-capture failed: $(cat "$work/linux.log")"
[ "$(ls "$work/windows" | wc -l)" = 7 ] || fail "orvale-capture.exe wrote $(ls "$work/windows" | wc -l) frames, not 7"
"$LINUX_BUILD/tools/frame-compare/orvale-frame-compare" "$work/linux" "$work/windows" >"$work/report" 2>&1 ||
  fail "the Windows frames are not the Linux ones: $(cat "$work/report")"
cat "$work/report"
tail -n 2 "$work/report" | sed -n 1p
