#!/usr/bin/env bash
# Opens the editor in a real X window under Xvfb, checks its title and client size as a person
# would see them, and closes it with its Close button.
set -euo pipefail
program=$1

workdir=$(mktemp -d)
cleanup() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$workdir/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$workdir/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$workdir/display")"
unset QT_QPA_PLATFORM

"$program" &
app=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Parcelwright$' | head -n 1)
[ -n "$window" ] || { echo "no window titled Parcelwright"; exit 1; }

size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
echo "window $window, client area $size"
[ "$size" = "473x343" ] || { echo "expected a 473x343 client area"; exit 1; }

# Close sits at 392,312, 73 x 25 in client coordinates.
xdotool mousemove --window "$window" 428 324 click 1
for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$app" 2>/dev/null; then
    echo "the program did not end on Close"
    exit 1
fi
wait "$app"
app=
echo "closed by Close"
