#!/usr/bin/env bash
# The picture fills any window with its aspect kept: a 320x180 intro in a window made 640x480
# shows a 640x360 picture between black bars of 60 pixels; made 800x300 it shows a 533x300
# picture between bars left and right; full screen with 1024x768 chosen on the 1280x1024 screen
# covers the screen at its own mode with a 1280x960 picture and bars of 32 pixels.
. "$(dirname "$0")/lib.sh"
program=$1
shot=$(mktemp --suffix=.png)
trap 'rm -f "$shot"' RETURN
start_xvfb

# Waits up to 30 s for the one-pixel line $1 (ffmpeg crop, in screen pixels) of the screen to
# be lit from $2 to $3 of its $4 pixels; fails with what it saw, named by $5, if it never is.
expect_lit() {
  local seen="" deadline=$((SECONDS + 30))
  while [ $SECONDS -lt $deadline ]; do
    grab_screen "$shot" || fail "cannot grab the screen"
    seen=$(lit_extent "$shot" "$1")
    [ "$seen" = "$2 $3 $4" ] && return
    sleep 0.5
  done
  fail "$5: lit from $seen (first last count), expected $2 $3 $4"
}

# Makes the intro window $1 x $2; sets X, Y, WIDTH, HEIGHT.
resize_to() {
  xdotool windowsize --sync "$intro" "$1" "$2"
  eval "$(xdotool getwindowgeometry --shell "$intro")"
  [ "${WIDTH}x${HEIGHT}" = "$1x$2" ] || fail "the window did not take $1x$2: ${WIDTH}x${HEIGHT}"
}

start_app "$program" --no-dialog --window --size 320x180 --mute
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${intro:-}" ] || fail "no intro window: $(cat "$OUT")"
resize_to 640 480
expect_lit "1:480:$((X + 320)):$Y" 60 419 480 "640x480 window, middle column"
expect_lit "640:1:$X:$((Y + 240))" 0 639 640 "640x480 window, middle row"
resize_to 800 300
expect_lit "800:1:$X:$((Y + 150))" 133 665 800 "800x300 window, middle row"
press "$intro" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "Escape ended the windowed intro with status $STATUS: $(cat "$OUT")"

start_app "$program" --no-dialog --fullscreen --size 1024x768 --mute
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${intro:-}" ] || fail "no full-screen window: $(cat "$OUT")"
[ "$x,$y ${w}x${h}" = "0,0 1280x1024" ] || fail "full screen window at $x,$y ${w}x${h}, not covering the screen"
expect_lit "1:1024:640:0" 32 991 1024 "full screen, middle column"
press "$intro" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "Escape ended the full-screen intro with status $STATUS: $(cat "$OUT")"
echo "ok"
