#!/usr/bin/env bash
# Runs the program with --help, --version and bad command lines, without any display: each answers
# on its stream with its exit code and opens no window.
set -uo pipefail
program=$1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
usage='usage: parcelwright [FILE] | --help | --version'
failures=0

# expect EXIT STDOUT STDERR ARGUMENT...: STDOUT and STDERR are whole texts, or "first:LINE" for the first line.
expect() {
    local exit=$1 out=$2 err=$3
    shift 3
    "$program" "$@" >"$workdir/out" 2>"$workdir/err"
    local code=$?
    local gotOut gotErr
    gotOut=$(cat "$workdir/out")
    gotErr=$(cat "$workdir/err")
    [[ $out == first:* ]] && { out=${out#first:}; gotOut=$(head -n 1 "$workdir/out"); }
    if [ "$code" != "$exit" ] || [ "$gotOut" != "$out" ] || [ "$gotErr" != "$err" ]; then
        echo "parcelwright $*: exit $code (expected $exit)"
        echo "  stdout: $gotOut"$'\n'"  expected: $out"
        echo "  stderr: $gotErr"$'\n'"  expected: $err"
        failures=$((failures + 1))
    fi
}

workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT

expect 0 'first:Usage: parcelwright [FILE]' '' --help
expect 0 'parcelwright 1.0.2.126' '' --version
expect 2 '' "parcelwright: unknown option \"--frob\"; $usage" --frob
expect 2 '' "parcelwright: unknown option \"-\"; $usage" -
expect 2 '' "parcelwright: one file at a time, 2 given; $usage" a.mxi b.mxi
expect 2 '' "parcelwright: one file at a time, 2 given; $usage" a.mxi -- --help
"$program" --help | grep -qx -- '  --version   print the version number and exit' ||
    { echo "--help does not list --version"; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] && echo "command line answers as expected"
exit "$failures"
