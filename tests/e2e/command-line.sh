#!/usr/bin/env bash
# The command line: --help and --version answer at once; a bad option or value gives the usage
# and one line naming it, status 2; --no-dialog --window --size 800x600 started from / opens
# the intro at once at that size, centred; --display beyond the displays there are is refused;
# --check ends with a verdict.
. "$(dirname "$0")/lib.sh"
program=$1
cd /

"$program" --help >/tmp/help.$$ 2>&1 || fail "--help ended with status $?"
grep -q -- "--no-dialog" /tmp/help.$$ || fail "--help does not list --no-dialog: $(cat /tmp/help.$$)"
version=$("$program" --version) || fail "--version failed"
grep -Eq '^orvale-invit [0-9]+\.[0-9]+\.[0-9]+$' <<<"$version" || fail "--version printed: $version"
status=0
"$program" --size 800 >/tmp/bad.$$ 2>&1 || status=$?
[ "$status" = 2 ] || fail "a bad --size ended with status $status"
grep -q "^usage: orvale-invit" /tmp/bad.$$ || fail "no usage for a bad value: $(cat /tmp/bad.$$)"
[ "$(tail -n 1 /tmp/bad.$$ | grep -c -- '--size wants')" = 1 ] || fail "the last line does not name the problem"
status=0
"$program" --frobnicate >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "an unknown option ended with status $status"
rm -f /tmp/help.$$ /tmp/bad.$$

start_xvfb
status=0
"$program" --display 3 --no-dialog >/tmp/display.$$ 2>&1 || status=$?
[ "$status" = 2 ] || fail "--display 3 on one display ended with status $status"
grep -q "there is 1 display" /tmp/display.$$ || fail "--display 3 does not say how many: $(cat /tmp/display.$$)"
rm -f /tmp/display.$$

# --check says what it found and ends with its verdict, whichever it is.
status=0
"$program" --check --size 320x180 >/tmp/check.$$ 2>&1 || status=$?
[ "$status" = 0 ] || [ "$status" = 1 ] || fail "--check ended with status $status: $(cat /tmp/check.$$)"
for label in data: sound: "display 0:" OpenGL: font: ribbons:; do
  grep -q "^$label" /tmp/check.$$ || fail "--check does not say $label: $(cat /tmp/check.$$)"
done
grep -Eq "^verdict: +(ready|not ready)" <<<"$(tail -n 1 /tmp/check.$$)" ||
  fail "--check ends without a verdict: $(cat /tmp/check.$$)"
rm -f /tmp/check.$$

start_app "$program" --no-dialog --window --size 800x600 --mute
read -r intro x y w h <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
[ -n "${intro:-}" ] || fail "no intro window: $(cat "$OUT")"
for other in $(xdotool search --onlyvisible --pid $APP_PID '' 2>/dev/null); do
  [ "$(xdotool getwindowname "$other" 2>/dev/null)" = "$DIALOG_TITLE" ] && fail "the dialog showed"
done
[ "${w}x${h}" = 800x600 ] || fail "window is ${w}x${h}, expected 800x600"
[ "$x,$y" = "240,212" ] || fail "window at $x,$y, expected centred at 240,212"
press "$intro" Escape
wait_exit 10
[ "$STATUS" = 0 ] || fail "Escape ended it with status $STATUS: $(cat "$OUT")"
echo "ok"
