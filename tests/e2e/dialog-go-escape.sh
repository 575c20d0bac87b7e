#!/usr/bin/env bash
# Return in the setup dialog opens the intro with the default choice, full screen, covering the
# 1280x1024 screen at its own mode; Escape ends it with status 0. Then a windowed 800 x 600
# run with "Fewer flashes": the box keeps its tick when the dialog shows its state again, and
# the window is centred at that size.
. "$(dirname "$0")/lib.sh"
program=$1
cd "$(dirname "$program")"  # the intro reads data/ from its working directory
start_xvfb

start_app "$program"
read -r dialog _ _ dw dh <<<"$(wait_window $APP_PID "$DIALOG_TITLE" 30)"
[ -n "${dialog:-}" ] || fail "no setup dialog: $(cat "$OUT")"
echo "dialog ${dw}x${dh}"
press "$dialog" Return
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${intro:-}" ] || fail "no intro window after Return: $(cat "$OUT")"
[ "$x,$y ${w}x${h}" = "0,0 1280x1024" ] || fail "intro window is ${w}x${h} at $x,$y, expected the whole screen"
sleep 1
press "$intro" a  # other keys do nothing
sleep 0.5
kill -0 $APP_PID 2>/dev/null || fail "a key other than Escape ended the intro"
press "$intro" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "Escape ended the intro with status $STATUS: $(cat "$OUT")"
# The music played through SDL's dummy sound driver, and everything loaded without complaint
# (a note that a font family was replaced by another is not one).
[ -n "$(grep -v 'is not installed; using' "$OUT")" ] && fail "the intro said: $(cat "$OUT")"

# Windowed 800 x 600 with fewer flashes: untick "Fullscreen", tick "Fewer flashes", pick
# "800 x 600" (which shows every check mark again from the dialog's state), press "Go!".
start_app "$program"
read -r dialog dx dy _ _ <<<"$(wait_window $APP_PID "$DIALOG_TITLE" 30)"
[ -n "${dialog:-}" ] || fail "no setup dialog on the second run"
click_at "$dialog" 280 190   # "Fullscreen"
click_at "$dialog" 280 210   # "Fewer flashes"
click_at "$dialog" 150 230   # "800 x 600"
sleep 0.5
shot=$(mktemp --suffix=.png)
grab_screen "$shot"
# A ticked box is filled blue, a clear one white.
ticked() { read -r r _ b <<<"$(region_mean "$shot" "8:8:$((dx + 275)):$((dy + $1))")"; [ $((b - r)) -gt 60 ]; }
ticked 187 && fail "\"Fullscreen\" is still ticked"
ticked 207 || fail "\"Fewer flashes\" is not ticked"
rm -f "$shot"
click_at "$dialog" 190 320   # "Go!"
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${intro:-}" ] || fail "no intro window after Go!: $(cat "$OUT")"
[ "${w}x${h}" = 800x600 ] || fail "windowed intro is ${w}x${h}, expected 800x600"
[ "$x,$y" = "240,212" ] || fail "windowed intro at $x,$y, expected centred at 240,212"
press "$intro" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "Escape ended the windowed intro with status $STATUS"
echo "ok"
