#!/usr/bin/env bash
# make dist's two artefacts from the build tree: the Debian package holds only what runs,
# depends on no imaging library and no test tool; the portable archive, unpacked elsewhere,
# needs only what every desktop has and no C library newer than 2.34, and its capture tool,
# started from another folder, draws the build tree's frame byte for byte.
build=$1
. "$(dirname "$0")/lib.sh"

# Sonames every desktop distribution (Debian, Ubuntu, Mint, Fedora, Arch) installs with its
# desktop: what the archive may leave to the system.
allowed="ld-linux-x86-64.so.2 libc.so.6 libm.so.6 libdl.so.2 libpthread.so.0 librt.so.1
libstdc++.so.6 libgcc_s.so.1 libGL.so.1 libOpenGL.so.0 libGLX.so.0 libEGL.so.1 libX11.so.6
libXext.so.6 libXrandr.so.2 libXi.so.6 libXcursor.so.1 libXfixes.so.3 libxkbcommon.so.0
libwayland-client.so.0 libwayland-cursor.so.0 libwayland-egl.so.1 libasound.so.2 libpulse.so.0
libSDL2-2.0.so.0 libgtk-3.so.0 libgdk-3.so.0 libglib-2.0.so.0 libgobject-2.0.so.0 libgio-2.0.so.0
libcairo.so.2 libpango-1.0.so.0 libpangocairo-1.0.so.0 libfontconfig.so.1 libfreetype.so.6
libpng16.so.16 libz.so.1 libepoxy.so.0"

"$source_dir/scripts/make-dist" "$build" "$work/dist" >/dev/null
deb=$work/dist/orvale-invit_${version}_amd64.deb
archive=$work/dist/orvale-invit-$version-linux-x86_64.tar.gz
[ -s "$deb" ] || fail "no $(basename "$deb")"
[ -s "$archive" ] || fail "no $(basename "$archive")"

# The package: runtime files only, stripped programs, Depends computed, ffmpeg and OpenGL ES recommended.
files=$(dpkg-deb -c "$deb" | awk '{ print $6 }' | grep -v '/$')
while read -r file; do
  case $file in
    ./usr/bin/orvale-invit | ./usr/bin/orvale-capture | ./usr/share/orvale-invit/gfx/* | \
    ./usr/share/orvale-invit/music/* | ./usr/share/applications/orvale-invit.desktop | \
    ./usr/share/icons/hicolor/256x256/apps/orvale-invit.png | ./usr/share/man/man[16]/orvale-*.gz | \
    ./usr/share/doc/orvale-invit/*) ;;
    *) fail "the package holds $file" ;;
  esac
done <<<"$files"
dpkg-deb -x "$deb" "$work/deb"
sections=$(readelf -S "$work/deb/usr/bin/orvale-invit")
grep -q '\.symtab' <<<"$sections" && fail "the packaged program is not stripped"
depends=$(dpkg-deb -f "$deb" Depends)
for name in libsdl2-2.0-0 libgtk-3-0 libpng16-16 libvorbis0a libc6; do
  grep -q "$name" <<<"$depends" || fail "Depends lacks $name: $depends"
done
grep -qiE 'devil|libil|gtest|benchmark|valgrind|xvfb|clang' <<<"$depends" && fail "Depends names a removed or test library: $depends"
[ "$(dpkg-deb -f "$deb" Recommends)" = "ffmpeg, libgles2" ] || fail "ffmpeg and libgles2 are not recommended"

# The archive, unpacked elsewhere.
mkdir "$work/unpacked"
tar -C "$work/unpacked" -xzf "$archive"
bundle=$work/unpacked/orvale-invit-$version-linux-x86_64
for elf in "$bundle/orvale-invit" "$bundle/orvale-capture" "$bundle"/lib/*; do
  for needed in $(readelf -d "$elf" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    [ -e "$bundle/lib/$needed" ] || grep -qw -- "$needed" <<<"$allowed" ||
      fail "$(basename "$elf") needs $needed, neither in lib/ nor on every desktop"
  done
  newest=$(objdump -T "$elf" | grep -o 'GLIBC_[0-9.]*' | sort -uV | tail -1)
  [ "$(printf '%s\nGLIBC_2.34\n' "$newest" | sort -V | tail -1)" = GLIBC_2.34 ] || fail "$(basename "$elf") needs $newest"
done
carried=$(ls "$bundle/lib")
for runtime in libstdc++ libgcc_s libc.so libm.so; do
  grep -q "^$runtime" <<<"$carried" && fail "the archive carries $runtime"
done
grep -q -- '--preset' "$bundle/README" || fail "the archive's README lacks the capture tool's usage"

same_frame_as_build "$build" "$bundle/orvale-capture" "the archive's"
resolved=$(ldd "$bundle/orvale-invit")
grep -q "$bundle/lib/libvorbis.so.0" <<<"$resolved" || fail "the archive's program does not use its own lib/"
echo ok
