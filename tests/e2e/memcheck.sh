#!/usr/bin/env bash
# Memcheck over a short capture (loading, the first frames, writing a PNG, shutting down):
# no invalid access, no use of uninitialised memory, no memory lost for good.
# Usage: memcheck.sh ORVALE_CAPTURE SUPPRESSIONS
set -u
capture=$1
suppressions=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cd "$(dirname "$capture")"  # the capture tool reads data/ from its working directory
valgrind --error-exitcode=3 --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
  --num-callers=30 --keep-debuginfo=yes --suppressions="$suppressions" \
  "$capture" --size 160x90 --fps 10 --out "$out" --at 300 >"$out/log" 2>&1
status=$?
[ "$status" = 0 ] || { grep -v "^==[0-9]*== *$" "$out/log" | tail -60; echo "FAIL: memcheck status $status"; exit 1; }
[ -s "$out/frame-000300.png" ] || { cat "$out/log"; echo "FAIL: no frame written"; exit 1; }
grep "ERROR SUMMARY" "$out/log"
echo "ok"
