#!/usr/bin/env bash
# A damaged picture ends orvale-invit.exe during loading with status 1: a line on the console
# and a message box name the file. The copy runs from another folder and finds its data beside
# the executable.
. "$(dirname "$0")/lib.sh"
start_xvfb
work=$(mktemp -d)
trap 'kill $XVFB_PID 2>/dev/null; [ -n "${APP_PID:-}" ] && kill $APP_PID 2>/dev/null; rm -rf "$work"' EXIT
mkdir -p "$work/intro/data" "$work/elsewhere"
cp "$WINDOWS_BUILD/orvale-invit.exe" "$work/intro/"
cp -r "$WINDOWS_BUILD/data/gfx" "$WINDOWS_BUILD/data/music" "$WINDOWS_BUILD/data/fonts" "$work/intro/data/"
head -c 300 "$WINDOWS_BUILD/data/gfx/overlay.png" >"$work/intro/data/gfx/overlay.png"
cd "$work/elsewhere"

start_app wine "$work/intro/orvale-invit.exe" --no-dialog --window --size 640x360
wait_output "overlay.png" 60 || fail "the damaged file is not named: $(program_output)"
read -r box _ _ _ _ <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${box:-}" ] || fail "no message box for the damaged picture: $(program_output)"
press "$box" Return
wait_exit 20
[ "$STATUS" = 1 ] || fail "status $STATUS for a damaged picture, expected 1: $(program_output)"
echo "ok: $(grep -m1 overlay.png "$OUT" | tr -d '\r')"
