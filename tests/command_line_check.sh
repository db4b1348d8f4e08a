#!/usr/bin/env bash
# --help, --version, bad command lines and the window without any display: exit code, first line out,
# error text.
set -u
program=$1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XDG_SESSION_TYPE
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
check "2||parcelwright: unknown option --frob; see parcelwright --help" --frob
check "2||parcelwright: the window opens one file at a time, 2 given; see parcelwright --help" a.mxi -- --help
check "1||parcelwright: no display found (DISPLAY is not set); start one first, for example: Xvfb :99 & DISPLAY=:99 parcelwright"
export DISPLAY=:9876
check "1||parcelwright: cannot connect to the display; start one first, for example: Xvfb :99 & DISPLAY=:99 parcelwright" a.mxi
exit "$failures"
