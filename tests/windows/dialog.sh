#!/usr/bin/env bash
# orvale-invit.exe under Wine: the setup dialog is the program's own bordered pop-up without a
# caption, "1024 x 768" and "Fullscreen" checked among its six resolutions, "Fewer flashes"
# clear and the warning above the buttons; Return opens the intro (full screen), Escape ends it
# with status 0. Then "Fullscreen" unticked, "Fewer flashes" ticked (and kept when the dialog
# shows its state again) and "800 x 600" picked give a centred 800 x 600 window; Escape in the
# dialog itself is "Leave" (status 0).
# No window manager runs: clicks and check marks are placed by the dialog's own geometry.
. "$(dirname "$0")/lib.sh"
start_xvfb
cd "$WINDOWS_BUILD"
shot=$(mktemp --suffix=.png)
trap 'kill $XVFB_PID 2>/dev/null; [ -n "${APP_PID:-}" ] && kill $APP_PID 2>/dev/null; rm -f "$shot"' EXIT

# Prints "ID X Y WIDTH HEIGHT" of the program's captionless dialog, waiting up to 60 s.
wait_dialog() {
  local deadline=$((SECONDS + 60)) w
  while [ $SECONDS -lt $deadline ]; do
    for w in $(xdotool search --onlyvisible --pid "$APP_PID" '' 2>/dev/null); do
      # (xdotool also lists windows without any process for --pid)
      [ "$(xdotool getwindowpid "$w" 2>/dev/null)" = "$APP_PID" ] || continue
      [ -z "$(xdotool getwindowname "$w" 2>/dev/null)" ] || continue
      eval "$(xdotool getwindowgeometry --shell "$w")"
      [ "$WIDTH" -gt 200 ] && { echo "$w $X $Y $WIDTH $HEIGHT"; return; }
    done
    kill -0 "$APP_PID" 2>/dev/null || return
    sleep 0.3
  done
}

# The dialog is 260 x 172 dialog units inside a one-pixel border. Prints the screen point of
# dialog units ($1, $2), offset by ($3, $4) pixels.
DX=0 DY=0 DW=0 DH=0
at() { echo $((DX + 1 + $1 * (DW - 2) / 260 + $3)) $((DY + 1 + $2 * (DH - 2) / 172 + $4)); }
# The darkest grey in the middle of a radio button or check box at dialog units ($1, $2) (the
# control's top-left corner, 10 or 11 units high): black where its dot or tick is.
mark() {
  read -r x y <<<"$(at "$1" "$2" 8 0)"
  y=$((y + 5 * (DH - 2) / 172 - 1))
  ffmpeg -loglevel error -i "$shot" -vf "crop=3:3:$((x - 1)):$((y - 1))" -f rawvideo -pix_fmt gray - |
    od -An -tu1 -v -w1 | sort -n | sed -n 1p | tr -d ' '
}

start_app wine orvale-invit.exe
read -r dialog DX DY DW DH <<<"$(wait_dialog)"
[ -n "${dialog:-}" ] || fail "no setup dialog: $(program_output)"
echo "dialog ${DW}x${DH} at $DX,$DY"
# Centred, about 1.75 x 1.6 pixels a dialog unit for Arial 8.
[ $((DX * 2 + DW)) -ge 1276 ] && [ $((DX * 2 + DW)) -le 1284 ] || fail "dialog not centred across: $DX + $DW"
[ "$DW" -gt 390 ] && [ "$DW" -lt 520 ] && [ "$DH" -gt 250 ] && [ "$DH" -lt 345 ] || fail "dialog is ${DW}x${DH}"
sleep 1
grab_screen "$shot"
checked=""
# Left column 1920 x 1080, 1280 x 1024, 1280 x 720; middle 1024 x 768, 1024 x 600, 800 x 600.
for place in "10 90 1920x1080" "10 100 1280x1024" "10 110 1280x720" "95 90 1024x768" "95 100 1024x600" \
  "95 110 800x600" "185 90 Fullscreen" "185 100 FewerFlashes"; do
  read -r u v label <<<"$place"
  grey=$(mark "$u" "$v")
  [ "$grey" -lt 80 ] && checked="$checked $label"
  [ "$grey" -lt 80 ] || [ "$grey" -gt 180 ] || fail "the mark of $label is neither set nor clear (grey $grey)"
done
[ "$checked" = " 1024x768 Fullscreen" ] || fail "checked:$checked; expected 1024x768 and Fullscreen"
# The banner (dark blue sky, a bitmap of the program's) across the top.
read -r x y <<<"$(at 40 4 0 0)"
read -r r g b <<<"$(region_mean "$shot" "20:8:$x:$y")"
[ "$b" -gt "$r" ] && [ "$b" -gt 40 ] && [ "$r" -lt 90 ] || fail "no banner at the top (mean $r $g $b)"
# The warning: dark letters on the grey between the group and the buttons.
read -r lx ly <<<"$(at 8 141 0 0)"
darkest=$(ffmpeg -loglevel error -i "$shot" -vf "crop=$((DW / 2)):8:$lx:$ly" -f rawvideo -pix_fmt gray - |
  od -An -tu1 -v -w1 | sort -n | sed -n 1p | tr -d ' ')
[ "$darkest" -lt 100 ] || fail "no warning above the buttons (darkest grey $darkest)"

press "$dialog" Return
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 60)"
[ -n "${intro:-}" ] || fail "no intro window after Return: $(program_output)"
[ "$x,$y ${w}x${h}" = "0,0 1280x1024" ] || fail "intro window is ${w}x${h} at $x,$y, expected the whole screen"
sleep 2
press "$intro" Escape
wait_exit 20
[ "$STATUS" = 0 ] || fail "Escape ended the intro with status $STATUS: $(program_output)"

# Windowed 800 x 600 through the dialog's own controls.
start_app wine orvale-invit.exe
read -r dialog DX DY DW DH <<<"$(wait_dialog)"
[ -n "${dialog:-}" ] || fail "no setup dialog on the second run"
xdotool mousemove $(at 190 95 0 0) click 1       # "Fullscreen"
xdotool mousemove $(at 190 105 0 0) click 1      # "Fewer flashes"
xdotool mousemove $(at 100 115 0 0) click 1      # "800 x 600": every check shown again from the state
sleep 1
grab_screen "$shot"
[ "$(mark 185 90)" -gt 180 ] || fail "\"Fullscreen\" is still ticked"
[ "$(mark 185 100)" -lt 80 ] || fail "\"Fewer flashes\" is not ticked"
xdotool mousemove $(at 127 160 0 0) click 1      # "Go!"
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 60)"
[ -n "${intro:-}" ] || fail "no intro window after Go!: $(program_output)"
[ "${w}x${h}" = 800x600 ] || fail "windowed intro is ${w}x${h}, expected 800x600"
[ "$x,$y" = "240,212" ] || fail "windowed intro at $x,$y, expected centred at 240,212"
press "$intro" Escape
wait_exit 20
[ "$STATUS" = 0 ] || fail "Escape ended the windowed intro with status $STATUS"

start_app wine orvale-invit.exe
read -r dialog _ _ _ _ <<<"$(wait_dialog)"
[ -n "${dialog:-}" ] || fail "no setup dialog on the third run"
press "$dialog" Escape
wait_exit 20
[ "$STATUS" = 0 ] || fail "Escape in the dialog ended with status $STATUS"
xdotool search --onlyvisible --name "$INTRO_TITLE" >/dev/null 2>&1 && fail "Escape in the dialog opened the intro"
echo "ok: dialog as designed; Return, Escape, windowed 800 x 600 and Leave"
