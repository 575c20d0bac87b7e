#!/usr/bin/env bash
# The command line under Wine, as on Linux: --help (status 0) and --version answer on the
# console they were started from; a bad option gives the usage and one line naming it, status
# 2. orvale-capture.exe --video says in one line that videos come from the Linux build, status 2.
. "$(dirname "$0")/lib.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
exe=$WINDOWS_BUILD/orvale-invit.exe

wine "$exe" --help >help 2>&1 || fail "--help ended with status $?: $(cat help)"
grep -q -- "--no-dialog" help || fail "--help does not list --no-dialog: $(cat help)"
version=$(wine "$exe" --version 2>&1 | tr -d '\r') || fail "--version failed"
grep -Eq '^orvale-invit [0-9]+\.[0-9]+\.[0-9]+$' <<<"$version" || fail "--version printed: $version"
status=0
wine "$exe" --frobnicate >bad 2>&1 || status=$?
[ "$status" = 2 ] || fail "an unknown option ended with status $status"
grep -q "^usage: orvale-invit" bad || fail "no usage for a bad option: $(cat bad)"
grep -q -- "--frobnicate" <<<"$(tail -n 1 bad)" || fail "the last line does not name the option: $(cat bad)"

status=0
wine "$WINDOWS_BUILD/orvale-capture.exe" --video intro.mp4 >video 2>&1 || status=$?
[ "$status" = 2 ] || fail "--video ended with status $status: $(cat video)"
[ "$(grep -c 'Linux build' video)" = 1 ] || fail "--video does not say where videos are made: $(cat video)"
[ ! -e intro.mp4 ] || fail "--video wrote a file"
echo "ok: --help, --version, a bad option, --video"
