#!/usr/bin/env bash
# The page's tests (tests/web/run.mjs), on a virtual display of their own, with the test
# driver installed first: playwright-core from the npm registry (or npm's cache), at the
# version package-lock.json names. The browser is Debian's Chromium, never a download.
# Usage: tests/web/run.sh SITE LINUX_BUILD
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -eq 2 ] || { echo "usage: tests/web/run.sh SITE LINUX_BUILD" >&2; exit 2; }
command -v npm >/dev/null || { echo "tests/web: npm is not installed (it comes with Node.js)" >&2; exit 1; }
[ -x /usr/bin/chromium ] || { echo "tests/web: /usr/bin/chromium is missing (scripts/install-deps --test)" >&2; exit 1; }
(cd "$here" && npm ci --prefer-offline --no-audit --no-fund --loglevel=error >/dev/null) ||
  { echo "tests/web: npm could not install playwright-core" >&2; exit 1; }
# A virtual display, for the run in which Chromium draws through Mesa's OpenGL.
. "$here/../e2e/lib.sh"
start_xvfb
node "$here/run.mjs" "$@"
