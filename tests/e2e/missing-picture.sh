#!/usr/bin/env bash
# A picture that cannot be loaded ends the intro during loading: a message box and a line on
# stderr name the file and the reason, and the exit status is 1.
. "$(dirname "$0")/lib.sh"
program=$1
start_xvfb

work=$(mktemp -d)
trap 'kill $XVFB_PID 2>/dev/null; [ -n "${APP_PID:-}" ] && kill $APP_PID 2>/dev/null; rm -rf "$work"' EXIT
# A copy of the program beside a copy of its data, one picture missing.
mkdir -p "$work/data"
cp -r "$(dirname "$program")/data/gfx" "$(dirname "$program")/data/music" "$work/data/"
rm "$work/data/gfx/overlay.png"
cp "$program" "$work/"
cd /

start_app "$work/$(basename "$program")"
read -r dialog _ _ _ _ <<<"$(wait_window $APP_PID "$DIALOG_TITLE" 30)"
[ -n "${dialog:-}" ] || fail "no setup dialog: $(cat "$OUT")"
click_at "$dialog" 290 190  # windowed, so the message box is not hidden behind a full screen
press "$dialog" Return
# The intro's window goes away first; then the message box (with the same title) shows.
wait_output "data/gfx/overlay.png is missing" 60 || fail "the missing file is not named: $(cat "$OUT")"
read -r box _ _ _ _ <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${box:-}" ] || fail "no message box for the missing picture: $(cat "$OUT")"
press "$box" Return
wait_exit 10
[ "$STATUS" = 1 ] || fail "status $STATUS for a missing picture, expected 1: $(cat "$OUT")"
echo "ok"
