#!/usr/bin/env bash
# Running and building need no test tool: scripts/install-deps installs those only with
# --test, ffmpeg always (the capture tool needs it), and a build without GoogleTest and
# Google Benchmark configures, leaving the tests and benchmarks out.
. "$(dirname "$0")/lib.sh"

plain=$("$source_dir/scripts/install-deps" --list)
full=$("$source_dir/scripts/install-deps" --test --list)
grep -qx ffmpeg <<<"$plain" || fail "ffmpeg is not among the runtime packages"
for tool in googletest libgtest-dev xvfb xauth xdotool libbenchmark-dev clang libclang-rt-14-dev valgrind chromium; do
  grep -qx "$tool" <<<"$plain" && fail "$tool is installed for make run"
  grep -qx "$tool" <<<"$full" || fail "$tool is not installed for make test"
done

cmake -S "$source_dir" -B "$work/build" -G Ninja -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
  -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$work/log" 2>&1 || { cat "$work/log"; fail "no build without the test tools"; }
grep -q "the tests and benchmarks are left out" "$work/log" || fail "the configure step does not say what it left out"
targets=$(cmake --build "$work/build" --target help)
grep -q "orvale-capture" <<<"$targets" || fail "the capture tool is not built"
for target in orvale-unit-tests orvale-e2e-tests orvale-bench; do
  grep -q "$target" <<<"$targets" && fail "$target is built without its framework"
done
echo ok
