#!/usr/bin/env bash
# The intro in a hostile environment: no sound device and no usable font (it runs, silent
# and without the system font, saying so once each); SIGTERM or SIGINT while it runs (an
# orderly end, status 0); Escape, or the window manager's close request, arriving while it
# loads (honoured as soon as it has loaded).
. "$(dirname "$0")/lib.sh"
program=$1
close_window=$2
cd "$(dirname "$program")"  # the intro reads data/ from its working directory
start_xvfb

# Starts the intro with the given environment assignments and answers the dialog with
# Return; sets INTRO to the intro window as soon as it appears (loading starts there).
# SIGINT is given back its default action, which a shell takes from background jobs.
start_intro() {
  start_app env --default-signal=INT "$@" "$program"
  read -r dialog _ <<<"$(wait_window $APP_PID "$DIALOG_TITLE" 30)"
  [ -n "${dialog:-}" ] || fail "no setup dialog: $(cat "$OUT")"
  press "$dialog" Return
  read -r INTRO _ <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
  [ -n "${INTRO:-}" ] || fail "no intro window: $(cat "$OUT")"
}

fonts=$(mktemp -d)
printf '<?xml version="1.0"?>\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' "$fonts" >"$fonts/fonts.conf"
start_intro SDL_AUDIODRIVER=no-such-driver FONTCONFIG_FILE="$fonts/fonts.conf"
sleep 3
kill -0 $APP_PID 2>/dev/null || fail "the intro stopped without sound or fonts: $(cat "$OUT")"
press "$INTRO" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "status $STATUS without sound or fonts: $(cat "$OUT")"
grep -q "no sound (.*); the intro runs silent" "$OUT" || fail "no word about the missing sound: $(cat "$OUT")"
[ "$(grep -c 'no usable font' "$OUT")" = 1 ] || fail "not one word about the missing fonts: $(cat "$OUT")"
rm -rf "$fonts"
echo "no sound device, no fonts: ran, said so"

for signal in TERM INT; do
  start_intro
  sleep 3
  kill -$signal $APP_PID
  wait_exit 10
  [ "$STATUS" = 0 ] || fail "SIG$signal ended the intro with status $STATUS: $(cat "$OUT")"
  echo "SIG$signal: orderly end"
done

start_intro
press "$INTRO" Escape
wait_exit 20
[ "$STATUS" = 0 ] || fail "Escape during loading: status $STATUS: $(cat "$OUT")"
echo "Escape during loading: ended"

start_intro
"$close_window" "$INTRO" || fail "could not ask the window to close"
wait_exit 20
[ "$STATUS" = 0 ] || fail "closing during loading: status $STATUS: $(cat "$OUT")"
echo "closed during loading: ended"
echo "ok"
