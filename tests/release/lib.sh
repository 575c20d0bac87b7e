# What the release tests share: a temporary folder removed at the end, failing with a reason,
# the project's version, and a capture tool's frame against the build tree's.
set -euo pipefail
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
version=$(sed -n 's/^project(orvale-invit VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[ -n "$version" ] || fail "no version in CMakeLists.txt"

# same_frame_as_build BUILD TOOL WHAT: TOOL, started from / with no library path of the
# caller's, writes the --at 1000 frame at 320 x 180 byte for byte as BUILD's capture tool does.
same_frame_as_build() {
  local build=$1 tool=$2 what=$3 out
  out=$(mktemp -d -p "$work")
  mkdir "$out/tested" "$out/built"
  (cd / && env -u DISPLAY -u WAYLAND_DISPLAY LD_LIBRARY_PATH= "$tool" --size 320x180 --at 1000 --out "$out/tested" \
     2>/dev/null) || fail "$what capture tool failed"
  (cd "$build" && env -u DISPLAY -u WAYLAND_DISPLAY ./orvale-capture --size 320x180 --at 1000 --out "$out/built" \
     2>/dev/null) || fail "the build tree's capture tool failed"
  cmp -s "$out/tested/frame-001000.png" "$out/built/frame-001000.png" || fail "$what tool draws another frame"
}
