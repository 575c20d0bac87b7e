#!/usr/bin/env bash
# Without a display, or with one that cannot be reached, the program says so and exits
# with status 1.
. "$(dirname "$0")/lib.sh"
program=$1

out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" 2>&1)
status=$?
[ $status = 1 ] || fail "status $status without a display, expected 1; output: $out"
grep -q "no display" <<<"$out" || fail "no message about the missing display: $out"

out=$(env -u WAYLAND_DISPLAY DISPLAY=:4321 "$program" 2>&1)
status=$?
[ $status = 1 ] || fail "status $status with an unreachable display, expected 1; output: $out"
grep -q 'cannot open the display ":4321"' <<<"$out" || fail "the unreachable display is not named: $out"
echo "ok"
