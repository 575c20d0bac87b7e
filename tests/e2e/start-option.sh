#!/usr/bin/env bash
# --start 20000: behind the loading screen (white) the intro catches up, and the first picture
# after it is the burning circle of 20 s (dark corners), never the opening (light grey ones).
# Escape during a long catch-up ends it at once.
. "$(dirname "$0")/lib.sh"
program=$1
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"' RETURN
start_xvfb

start_app "$program" --no-dialog --window --size 320x180 --mute --start 20000
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${intro:-}" ] || fail "no intro window: $(cat "$OUT")"
corner=""
for _ in $(seq 240); do
  ffmpeg -loglevel error -y -f x11grab -video_size 320x180 -i "$DISPLAY+$x,$y" -frames:v 1 "$shot" ||
    fail "cannot grab the window"
  read -r r g b <<<"$(region_mean "$shot" 40:40:0:0)"
  # White: the loading screen; black: a window not yet drawn into.
  if [ "$r $g $b" != "255 255 255" ] && [ "$r $g $b" != "0 0 0" ]; then
    corner="$r $g $b"
    break
  fi
  sleep 0.25
done
[ -n "$corner" ] || fail "still loading after a minute"
[ "$r" -lt 64 ] || fail "the first picture after loading has corners of $corner: not the burning circle"
press "$intro" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "Escape ended it with status $STATUS: $(cat "$OUT")"

start_app "$program" --no-dialog --window --size 320x180 --mute --start 150000
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${intro:-}" ] || fail "no intro window for --start 150000: $(cat "$OUT")"
sleep 3
press "$intro" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "Escape during the catch-up: status $STATUS: $(cat "$OUT")"
echo "ok"
