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

start_app "$program" --no-dialog --window --size 320x180 --mute
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${intro:-}" ] || fail "no intro window: $(cat "$OUT")"
xdotool windowsize --sync "$intro" 640 480
sleep 1
eval "$(xdotool getwindowgeometry --shell "$intro")"
grab_screen "$shot" || fail "cannot grab the screen"
[ "${WIDTH}x${HEIGHT}" = 640x480 ] || fail "the window did not take 640x480: ${WIDTH}x${HEIGHT}"
column=$(lit_extent "$shot" "1:480:$((X + 320)):$Y")
[ "$column" = "60 419 480" ] || fail "640x480 window: picture rows (first last count) $column, expected 60 419 480"
row=$(lit_extent "$shot" "640:1:$X:$((Y + 240))")
[ "$row" = "0 639 640" ] || fail "640x480 window: picture columns $row, expected 0 639 640"

xdotool windowsize --sync "$intro" 800 300
sleep 1
eval "$(xdotool getwindowgeometry --shell "$intro")"
grab_screen "$shot" || fail "cannot grab the screen"
row=$(lit_extent "$shot" "800:1:$X:$((Y + 150))")
[ "$row" = "133 665 800" ] || fail "800x300 window: picture columns $row, expected 133 665 800"
press "$intro" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "Escape ended the windowed intro with status $STATUS: $(cat "$OUT")"

start_app "$program" --no-dialog --fullscreen --size 1024x768 --mute
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${intro:-}" ] || fail "no full-screen window: $(cat "$OUT")"
[ "$x,$y ${w}x${h}" = "0,0 1280x1024" ] || fail "full screen window at $x,$y ${w}x${h}, not covering the screen"
sleep 2
grab_screen "$shot" || fail "cannot grab the screen"
column=$(lit_extent "$shot" "1:1024:640:0")
[ "$column" = "32 991 1024" ] || fail "full screen: picture rows $column, expected 32 991 1024"
press "$intro" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "Escape ended the full-screen intro with status $STATUS: $(cat "$OUT")"
echo "ok"
