#!/usr/bin/env bash
# "Leave", and Escape in the setup dialog, end the program with status 0 and no intro window.
. "$(dirname "$0")/lib.sh"
program=$1
cd "$(dirname "$program")"  # the intro reads data/ from its working directory
start_xvfb

for how in click escape; do
  start_app "$program"
  read -r dialog _ _ _ _ <<<"$(wait_window $APP_PID "$DIALOG_TITLE" 30)"
  [ -n "${dialog:-}" ] || fail "no setup dialog: $(cat "$OUT")"
  if [ $how = click ]; then
    click_at "$dialog" 270 320  # "Leave"
  else
    press "$dialog" Escape
  fi
  intro=$(wait_window $APP_PID "$INTRO_TITLE" 10)
  [ -z "$intro" ] || fail "leaving by $how opened the intro window"
  wait_exit 10
  [ "$STATUS" = 0 ] || fail "leaving by $how gave status $STATUS: $(cat "$OUT")"
done
echo "ok"
