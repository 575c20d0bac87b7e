#!/usr/bin/env bash
# Both programs are linked fully static: they import only DLLs that every Windows 10 and 11
# has, and the intro's own code takes no maths function from the C runtime DLL (whose code
# differs between Windows and Wine, so that the frames would too), nor sine, cosine or tangent
# from any C library (the drawing code has its own). orvale-invit.exe is a GUI program (no
# console window opens), orvale-capture.exe a console one.
. "$(dirname "$0")/lib.sh"

allowed="ADVAPI32.dll GDI32.dll IMM32.dll KERNEL32.dll msvcrt.dll ole32.dll OLEAUT32.dll OPENGL32.dll
SETUPAPI.dll SHELL32.dll USER32.dll VERSION.dll WINMM.dll"
maths='(a?sin|a?cos|a?tan|atan2|sinh|cosh|tanh|pow|exp|exp2|log|log2|log10|sqrt|cbrt|hypot|fmod)f?'

for program in orvale-invit orvale-capture; do
  exe="$WINDOWS_BUILD/$program.exe"
  [ -f "$exe" ] || fail "$exe is not built"
  headers=$(x86_64-w64-mingw32-objdump -p "$exe") || fail "cannot read $exe"
  dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
  [ -n "$dlls" ] || fail "$program.exe imports nothing: the check reads nothing"
  for dll in $dlls; do
    grep -qiw -- "$dll" <<<"$allowed" || fail "$program.exe imports $dll, which not every Windows has"
  done
  # The intro's own code calls none of them (the libraries do: SDL's wrappers, Vorbis's floor 0,
  # a kind of packet the intro's track has none of).
  imported_maths=$(awk '/DLL Name: msvcrt.dll/ { f = 1; next } /DLL Name:/ { f = 0 } f { print $NF }' <<<"$headers" |
    grep -xE "$maths")
  own=$(find "$WINDOWS_BUILD" -name '*.obj' -path '*orvale*' -exec x86_64-w64-mingw32-nm -u {} + | awk '{ print $2 }')
  for name in $imported_maths; do
    grep -qx -- "$name" <<<"$own" && fail "the intro's code takes $name from msvcrt.dll"
  done
  echo "$program.exe: $(tr '\n' ' ' <<<"$dlls")"
done
drawing=$(find "$WINDOWS_BUILD" -name '*.obj' -path '*/src/CMakeFiles/orvale_*.dir/*' ! -path '*/orvale_audio.dir/*')
[ -n "$drawing" ] || fail "no object files of the intro's code in $WINDOWS_BUILD"
trig=$(x86_64-w64-mingw32-nm -u $drawing | awk '{ print $2 }' | grep -xE '(sin|cos|tan|sincos)f?' | sort -u)
[ -z "$trig" ] || fail "the drawing code calls the C library's $(tr '\n' ' ' <<<"$trig")"
grep -q 'Subsystem.*(Windows GUI)' <<<"$(x86_64-w64-mingw32-objdump -p "$WINDOWS_BUILD/orvale-invit.exe")" ||
  fail "orvale-invit.exe is not a GUI program"
grep -q 'Subsystem.*(Windows CUI)' <<<"$(x86_64-w64-mingw32-objdump -p "$WINDOWS_BUILD/orvale-capture.exe")" ||
  fail "orvale-capture.exe is not a console program"
echo "ok: system DLLs only; GUI and console programs"
