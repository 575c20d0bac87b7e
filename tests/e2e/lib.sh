# Helpers for the end-to-end tests: a private virtual X display, the program's windows,
# synthetic input. Sourced by each test script.
set -u

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb on a free display number and points DISPLAY at it; it is stopped on exit.
start_xvfb() {
  NUMBER_FILE=$(mktemp)
  Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 5>"$NUMBER_FILE" 2>/dev/null &
  XVFB_PID=$!
  trap 'kill $XVFB_PID 2>/dev/null; [ -n "${APP_PID:-}" ] && kill $APP_PID 2>/dev/null; rm -f "$NUMBER_FILE"' EXIT
  for _ in $(seq 100); do
    [ -s "$NUMBER_FILE" ] && break
    sleep 0.1
  done
  [ -s "$NUMBER_FILE" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$NUMBER_FILE")"
  unset WAYLAND_DISPLAY
  export NO_AT_BRIDGE=1
  # SDL's dummy sound driver plays the music in real time without any hardware.
  export SDL_AUDIODRIVER=dummy
}

# Starts the program in the background with its output in $OUT; sets APP_PID.
start_app() {
  OUT=$(mktemp)
  "$@" >"$OUT" 2>&1 &
  APP_PID=$!
}

# Prints "ID X Y WIDTH HEIGHT" of the first visible window of process $1 titled exactly $2,
# waiting up to $3 seconds; prints nothing if none appears.
wait_window() {
  local pid=$1 title=$2 deadline=$((SECONDS + $3)) w
  while [ $SECONDS -lt $deadline ]; do
    for w in $(xdotool search --onlyvisible --pid "$pid" '' 2>/dev/null); do
      if [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$title" ]; then
        eval "$(xdotool getwindowgeometry --shell "$w")"
        echo "$w $X $Y $WIDTH $HEIGHT"
        return
      fi
    done
    kill -0 "$pid" 2>/dev/null || return
    sleep 0.2
  done
}

# Waits up to $1 seconds for the program to end and sets STATUS to its exit status
# ("timeout" if it is still running).
wait_exit() {
  local deadline=$((SECONDS + $1))
  while kill -0 "$APP_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do sleep 0.2; done
  if kill -0 "$APP_PID" 2>/dev/null; then
    STATUS=timeout
  else
    wait "$APP_PID"
    STATUS=$?
  fi
}

# Waits up to $2 seconds for the program's output to contain the text $1; false if it never does.
wait_output() {
  local deadline=$((SECONDS + $2))
  while [ $SECONDS -lt $deadline ]; do
    grep -qF -- "$1" "$OUT" && return 0
    sleep 0.2
  done
  return 1
}

# Gives window $1 the keyboard focus and presses key $2.
press() {
  xdotool windowfocus --sync "$1" && xdotool key "$2"
}

# Clicks at ($2, $3) inside window $1.
click_at() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

# The setup dialog's window title as X sees it (the dialog itself shows no title).
DIALOG_TITLE=orvale-invit
INTRO_TITLE="Vaskel :: Orvale Invit 2011"

# Saves the whole virtual screen (1280x1024) as a PNG in $1.
grab_screen() {
  ffmpeg -loglevel error -y -f x11grab -video_size 1280x1024 -i "$DISPLAY" -frames:v 1 "$1"
}

# Prints "FIRST LAST COUNT": the first and last of the COUNT pixels of a one-pixel line of the
# picture $1 (ffmpeg crop "W:H:X:Y", one of W and H 1) that are not black (grey above 8),
# counted from the top or left; "none" when all are black.
lit_extent() {
  ffmpeg -loglevel error -i "$1" -vf "crop=$2" -f rawvideo -pix_fmt gray - |
    od -An -tu1 -v -w1 | awk '{ if ($1 > 8) { if (first == "") first = NR - 1; last = NR - 1 } }
      END { if (first == "") print "none"; else print first, last, NR }'
}

# Prints "R G B", the mean colour of a region of the picture $1 (ffmpeg crop "W:H:X:Y").
region_mean() {
  ffmpeg -loglevel error -i "$1" -vf "crop=$2,scale=1:1:flags=area" -f rawvideo -pix_fmt rgb24 - | od -An -tu1 |
    awk '{ print $1, $2, $3 }'
}
