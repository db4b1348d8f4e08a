#!/usr/bin/env bash
# --help, --version and bad command lines without any display: exit code, first line out, error text.
set -u
program=$1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
usage='usage: parcelwright [FILE] | --help | --version'
error=$(mktemp)
trap 'rm -f "$error"' EXIT
failures=0
check() {
    local expected=$1 out code
    shift
    out=$("$program" "$@" 2>"$error")
    code=$?
    local got="$code|${out%%$'\n'*}|$(cat "$error")"
    [ "$got" = "$expected" ] || { echo "parcelwright $*: got $got, expected $expected"; failures=$((failures + 1)); }
}
check '0|Usage: parcelwright [FILE]|' --help
check '0|parcelwright 1.0.2.126|' --version
check "2||parcelwright: unknown option \"--frob\"; $usage" --frob
check "2||parcelwright: unknown option \"-\"; $usage" -
check "2||parcelwright: one file at a time, 2 given; $usage" a.mxi -- --help
"$program" --help | grep -qx -- '  --version   print the version number and exit' || { echo "--help lacks --version"; failures=1; }
exit "$failures"
