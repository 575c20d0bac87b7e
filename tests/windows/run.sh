#!/usr/bin/env bash
# The Windows programs' tests, under Wine on a virtual X display: every tests/windows/*.sh
# but this one and lib.sh, each with the Windows build folder and the Linux one (whose frames
# and data the Windows programs are held to). Ends with "N passed, N failed".
# Usage: tests/windows/run.sh WINDOWS_BUILD LINUX_BUILD
set -u
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 2 ] || { echo "usage: tests/windows/run.sh WINDOWS_BUILD LINUX_BUILD" >&2; exit 2; }
WINDOWS_BUILD=$(cd "$1" && pwd) && LINUX_BUILD=$(cd "$2" && pwd) || exit 2
export WINDOWS_BUILD LINUX_BUILD

# One virtual display and one Wine prefix for the run (making one takes about ten seconds),
# gone afterwards.
. "$here/../e2e/lib.sh"
start_xvfb
WINEPREFIX=$(mktemp -d)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null; kill $XVFB_PID 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT
start=$SECONDS
if ! wineboot -i >/dev/null 2>&1; then
  echo "tests/windows: Wine cannot make a prefix" >&2
  exit 1
fi
echo "tests/windows: Wine prefix made in $((SECONDS - start)) s"

passed=0
failed=0
for test in "$here"/*.sh; do
  name=$(basename "$test" .sh)
  case $name in run | lib) continue ;; esac
  t0=$SECONDS
  if output=$(bash "$test" 2>&1); then
    passed=$((passed + 1))
    echo "PASS windows.$name ($((SECONDS - t0)) s): $(tail -n 1 <<<"$output")"
  else
    failed=$((failed + 1))
    echo "FAIL windows.$name ($((SECONDS - t0)) s):"
    sed 's/^/    /' <<<"$output"
  fi
done
echo "tests/windows: $((SECONDS - start)) s in all"
echo "windows: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
