#!/usr/bin/env bash
# cmake --install into a temporary prefix: every file in its place, the manual pages naming
# every option the programs take, one version everywhere, and the installed capture tool,
# started from /, drawing the same frame as the build tree's.
set -euo pipefail
build=$1
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/orvale-invit bin/orvale-capture share/orvale-invit/gfx/orvale_25.png \
            share/orvale-invit/gfx/tunnel3.jpg share/orvale-invit/music/tidewater.ogg \
            share/applications/orvale-invit.desktop share/icons/hicolor/256x256/apps/orvale-invit.png \
            share/man/man6/orvale-invit.6 share/man/man1/orvale-capture.1 \
            share/doc/orvale-invit/README.md share/doc/orvale-invit/CHANGELOG.md share/doc/orvale-invit/LICENSE; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
[ -z "$(find "$prefix/bin" -type f ! -name 'orvale-invit' ! -name 'orvale-capture')" ] \
  || fail "more than the two programs in bin/: $(ls "$prefix/bin")"
grep -qx 'Exec=orvale-invit' "$prefix/share/applications/orvale-invit.desktop" || fail "the desktop entry does not start the intro"

# Every option of --help in the manual page (which writes a dash as \-).
for program in orvale-invit:6 orvale-capture:1; do
  name=${program%:*} section=${program#*:}
  page=$(sed 's/\\-/-/g' "$prefix/share/man/man$section/$name.$section")
  for option in $("$prefix/bin/$name" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    grep -q -- "$option" <<<"$page" || fail "$option of $name is not in its manual page"
  done
done

# One version: the project's, in both programs, the manual pages and the changelog's top entry.
version=$(sed -n 's/^project(orvale-invit VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[ -n "$version" ] || fail "no version in CMakeLists.txt"
[ "$("$prefix/bin/orvale-invit" --version)" = "orvale-invit $version" ] || fail "orvale-invit --version"
[ "$("$prefix/bin/orvale-capture" --version)" = "orvale-capture $version" ] || fail "orvale-capture --version"
grep -q "\"orvale-invit $version\"" "$prefix/share/man/man6/orvale-invit.6" || fail "manual page of another version"
grep -q "\"orvale-invit $version\"" "$prefix/share/man/man1/orvale-capture.1" || fail "manual page of another version"
[ "$(grep -m1 '^## ' "$source_dir/CHANGELOG.md" | cut -d' ' -f2)" = "$version" ] || fail "the changelog starts elsewhere"

# The installed capture tool finds its data from any folder and draws what the build tree draws.
mkdir "$work/installed" "$work/built"
(cd / && env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/orvale-capture" --size 320x180 --at 1000 \
   --out "$work/installed" 2>/dev/null) || fail "the installed capture tool failed"
(cd "$build" && env -u DISPLAY -u WAYLAND_DISPLAY ./orvale-capture --size 320x180 --at 1000 --out "$work/built" \
   2>/dev/null) || fail "the build tree's capture tool failed"
cmp -s "$work/installed/frame-001000.png" "$work/built/frame-001000.png" || fail "the installed tool draws another frame"
echo ok
