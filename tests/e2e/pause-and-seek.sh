#!/usr/bin/env bash
# The viewer's keys in the window, the music playing through SDL's dummy driver: Space holds
# the picture (two pictures a second apart are the same), Right while paused shows another
# moment and holds it, Space plays on (the picture moves again), and Escape ends the intro
# from a pause as from playing.
. "$(dirname "$0")/lib.sh"
program=$1
cd "$(dirname "$program")"  # the intro reads data/ from its working directory
shots=$(mktemp -d)
start_xvfb

start_app "$program" --no-dialog --window --size 320x180 --start 20000
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${intro:-}" ] || fail "no intro window: $(cat "$OUT")"
# The window's pixels, raw.
grab() {
  ffmpeg -loglevel error -y -f x11grab -video_size "${w}x${h}" -i "$DISPLAY+$x,$y" -frames:v 1 \
    -f rawvideo -pix_fmt rgb24 "$shots/$1" || fail "cannot grab the window"
}
same() { cmp -s "$shots/$1" "$shots/$2"; }

# Playing: the picture moves and is no longer the loading screen.
playing=""
for _ in $(seq 120); do
  grab a
  sleep 0.3
  grab b
  read -r r g b <<<"$(od -An -tu1 -N3 "$shots/b")"
  if ! same a b && [ "$r $g $b" != "255 255 255" ]; then playing=yes; break; fi
done
[ -n "$playing" ] || fail "the intro does not play within a minute"

press "$intro" space
sleep 1
grab paused1
sleep 1
grab paused2
same paused1 paused2 || fail "the picture moves after Space"

press "$intro" Right
sleep 2
grab seek1
sleep 1
grab seek2
same seek1 seek2 || fail "the picture moves after a seek while paused"
same paused2 seek1 && fail "Right while paused does not show another moment"

press "$intro" space
sleep 1
grab on1
sleep 0.5
grab on2
same on1 on2 && fail "the picture does not move after Space again"

press "$intro" space
sleep 0.5
press "$intro" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "Escape while paused ended it with status $STATUS: $(cat "$OUT")"
[ -n "$(grep -v 'is not installed; using' "$OUT")" ] && fail "the intro said: $(cat "$OUT")"
rm -rf "$shots"
echo "ok"
