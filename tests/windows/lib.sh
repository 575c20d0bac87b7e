# Helpers for the tests of the Windows programs under Wine on a virtual X display: the e2e
# helpers (Xvfb, windows, synthetic input) and Wine in a prefix of the run's own. Sourced by
# each test script, which gets WINDOWS_BUILD (the Windows build folder) and LINUX_BUILD.
. "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

# WINEPREFIX is made once by run.sh and shared by the tests; Wine says nothing of itself, and
# starts neither its .NET nor its browser engine installers.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
[ -n "${WINEPREFIX:-}" ] && [ -n "${DISPLAY:-}" ] || fail "no WINEPREFIX or DISPLAY (run the tests through tests/windows/run.sh)"
# One virtual display for the whole run: Wine's server, shared by the tests, keeps the one it
# started on.
start_xvfb() { XVFB_PID=; }

# A Unix path as the Windows programs see it.
winpath() { winepath -w "$1" 2>/dev/null; }

# Wine's own console and sound messages are not the program's.
program_output() { grep -v -e '^ALSA lib' -e '^wine:' -e '^err:' "$OUT"; }
