#!/usr/bin/env bash
# cmake --install into a temporary prefix: every file in its place, the manual pages naming
# every option the programs take, one version everywhere, and the installed capture tool,
# started from /, drawing the same frame as the build tree's.
build=$1
. "$(dirname "$0")/lib.sh"

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
[ "$("$prefix/bin/orvale-invit" --version)" = "orvale-invit $version" ] || fail "orvale-invit --version"
[ "$("$prefix/bin/orvale-capture" --version)" = "orvale-capture $version" ] || fail "orvale-capture --version"
grep -q "\"orvale-invit $version\"" "$prefix/share/man/man6/orvale-invit.6" || fail "manual page of another version"
grep -q "\"orvale-invit $version\"" "$prefix/share/man/man1/orvale-capture.1" || fail "manual page of another version"
[ "$(grep -m1 '^## ' "$source_dir/CHANGELOG.md" | cut -d' ' -f2)" = "$version" ] || fail "the changelog starts elsewhere"

# The installed capture tool finds its data from any folder and draws what the build tree draws.
same_frame_as_build "$build" "$prefix/bin/orvale-capture" "the installed"
echo ok
