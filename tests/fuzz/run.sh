#!/usr/bin/env bash
# Runs each fuzz target of a fuzz build for the given number of seconds, starting from the
# committed seeds; new inputs it finds go to <build>/corpus/<target>, a crashing input to
# <build>/findings/. Exits non-zero on the first finding.
# Usage: tests/fuzz/run.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
export LSAN_OPTIONS="suppressions=$here/../sanitizer-suppressions.txt:print_suppressions=0"
mkdir -p "$build/findings"
for target in picture music; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  echo "fuzzing the $target decoder for $seconds s"
  "$build/tests/fuzz/orvale-fuzz-$target" "$corpus" "$here/corpus/$target" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$build/findings/$target-" -print_final_stats=1 2>"$build/fuzz-$target.log" ||
    { tail -40 "$build/fuzz-$target.log"; echo "fuzzing the $target decoder found a fault; the input is in $build/findings/" >&2; exit 1; }
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$build/fuzz-$target.log" | sed "s/^/  /"
done
