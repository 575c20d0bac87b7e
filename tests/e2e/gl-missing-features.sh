#!/usr/bin/env bash
# An OpenGL older than what the intro asks for, 3.3 core or (--gl es) ES 3.0: a message box and
# a line on stderr name what is missing, and the program exits with status 1 once the box is
# closed; --check says so too, with status 1.
. "$(dirname "$0")/lib.sh"
program=$1
cd "$(dirname "$program")"  # the intro reads data/ from its working directory
start_xvfb

check() {
  local what=$1 api=$2
  shift 2
  start_app env "$@" "$program" --gl "$api"
  read -r dialog _ _ _ _ <<<"$(wait_window $APP_PID "$DIALOG_TITLE" 30)"
  [ -n "${dialog:-}" ] || fail "no setup dialog: $(cat "$OUT")"
  press "$dialog" Return
  read -r box _ _ _ _ <<<"$(wait_window $APP_PID "$INTRO_TITLE" 30)"
  [ -n "${box:-}" ] || fail "no message box without $what: $(cat "$OUT")"
  press "$box" Return
  wait_exit 10
  [ "$STATUS" = 1 ] || fail "status $STATUS without $what, expected 1: $(cat "$OUT")"
  grep -qF "lacks $what" "$OUT" || fail "stderr does not name $what: $(cat "$OUT")"

  local said
  said=$(env "$@" "$program" --gl "$api" --check 2>&1)
  [ $? = 1 ] || fail "--check without $what did not end with status 1: $said"
  grep -qF "lacks $what" <<<"$said" || fail "--check does not name $what: $said"
}

check "OpenGL 3.3 (core profile)" core MESA_GL_VERSION_OVERRIDE=3.2
check "OpenGL ES 3.0" es MESA_GLES_VERSION_OVERRIDE=2.0
echo "ok"
