#!/usr/bin/env bash
# A GL implementation without framebuffer objects, or without GLSL: a message box and a line
# on stderr name what is missing, and the program exits with status 1 once the box is closed.
. "$(dirname "$0")/lib.sh"
program=$1
cd "$(dirname "$program")"  # the intro reads data/ from its working directory
start_xvfb

check() {
  local what=$1
  shift
  start_app env "$@" "$program"
  read -r dialog _ _ _ _ <<<"$(wait_window $APP_PID "$DIALOG_TITLE" 30)"
  [ -n "${dialog:-}" ] || fail "no setup dialog: $(cat "$OUT")"
  press "$dialog" Return
  read -r box _ _ _ _ <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
  [ -n "${box:-}" ] || fail "no message box without $what: $(cat "$OUT")"
  press "$box" Return
  wait_exit 10
  [ "$STATUS" = 1 ] || fail "status $STATUS without $what, expected 1: $(cat "$OUT")"
  grep -q "lacks $what" "$OUT" || fail "stderr does not name $what: $(cat "$OUT")"
}

check "framebuffer objects" MESA_GL_VERSION_OVERRIDE=2.1 MESA_EXTENSION_OVERRIDE="-GL_ARB_framebuffer_object"
check "GLSL" MESA_GL_VERSION_OVERRIDE=1.5
echo "ok"
