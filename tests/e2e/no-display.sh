#!/usr/bin/env bash
# Without any display the program says it needs one and exits with status 1.
. "$(dirname "$0")/lib.sh"
program=$1
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" 2>&1)
status=$?
[ $status = 1 ] || fail "status $status without a display, expected 1; output: $out"
echo "$out" | grep -qi "display" || fail "no message about the display: $out"
echo "$out"
echo "ok"
