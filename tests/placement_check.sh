#!/usr/bin/env bash
# Opens the editor under a real window manager (openbox on a 1280x800 Xvfb screen) at the scale factors
# 1, 1.5 and 2, opens both folder-name windows with the keyboard alone, and checks where their frames
# sit: every window on the screen; at scale 1 the main window centred, Form2 centred on it, Form3's
# frame at 295,119; the folder-name windows offer to be closed, not minimised or maximised.
set -euo pipefail
program=$1

workdir=$(mktemp -d)
cleanup() {
    for pid in ${app:-} ${wm:-} ${xvfb:-}; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$workdir"
}
trap cleanup EXIT
fail() { echo "$*"; exit 1; }

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$workdir/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$workdir/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$workdir/display")"
unset QT_QPA_PLATFORM
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break; sleep 0.1; done

# The outer frame of a window as "left top width height": its client area and the frame extents.
frame() {
    local info extents
    info=$(xwininfo -id "$1")
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r l r t b <<<"${extents:-0 0 0 0}"
    awk -v l="$l" -v r="$r" -v t="$t" -v b="$b" '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x-l, y-t, w+l+r, h+t+b}' <<<"$info"
}
on_screen() {
    read -r x y w h <<<"$2"
    [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 800 ] ||
        fail "scale $scale: the $1 runs off the 1280x800 screen: $2"
}
# Twice an offset from the centre: within one pixel either way.
near() { [ "${1#-}" -le 2 ] || fail "scale $scale: $2"; }
# Waits for a visible window titled "Folder name" besides those in $1; prints its id.
new_help_window() {
    for _ in $(seq 50); do
        for id in $(xdotool search --onlyvisible --name '^Folder name$' 2>/dev/null); do
            grep -qw "$id" <<<"$1" || { echo "$id"; return; }
        done
        sleep 0.1
    done
}

for scale in 1 1.5 2; do
    QT_SCALE_FACTOR=$scale "$program" 2>>"$workdir/log" &
    app=$!
    main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Parcelwright$' | head -n 1)
    [ -n "$main" ] || fail "scale $scale: no window titled Parcelwright"
    sleep 0.5 # the window manager frames the window and the program centres its frame
    read -r mx my mw mh <<<"$(frame "$main")"
    on_screen "main window" "$mx $my $mw $mh"
    near $((2 * mx + mw - 1280)) "the main window's frame is not centred across: $mx $my $mw $mh"
    near $((2 * my + mh - 800)) "the main window's frame is not centred down: $mx $my $mw $mh"

    # The Files page by Ctrl+Tab; Tab reaches "Standard destination folder" past the list and its buttons.
    xdotool windowactivate --sync "$main" 2>/dev/null
    for key in ctrl+Tab ctrl+Tab ctrl+Tab Tab Tab Tab Tab space; do xdotool key "$key"; sleep 0.1; done
    form2=$(new_help_window "")
    [ -n "$form2" ] || fail "scale $scale: Space on the first folder-name link opened no window"
    xdotool windowactivate --sync "$main" 2>/dev/null
    for key in Tab space; do xdotool key "$key"; sleep 0.1; done
    form3=$(new_help_window "$form2")
    [ -n "$form3" ] || fail "scale $scale: Space on the second folder-name link opened no window"
    sleep 0.3
    read -r x2 y2 w2 h2 <<<"$(frame "$form2")"
    read -r x3 y3 w3 h3 <<<"$(frame "$form3")"
    on_screen "first folder-name window" "$x2 $y2 $w2 $h2"
    for id in "$form2" "$form3"; do
        xprop -id "$id" _NET_WM_ALLOWED_ACTIONS | grep -q 'MINIMIZE\|MAXIMIZE' &&
            fail "scale $scale: a folder-name window can be minimised or maximised: $(xprop -id "$id" _NET_WM_ALLOWED_ACTIONS)"
    done
    on_screen "second folder-name window" "$x3 $y3 $w3 $h3"
    if [ "$scale" = 1 ]; then
        near $((2 * x2 + w2 - 2 * mx - mw)) "Form2 is not centred across the main window: $x2 $y2 $w2 $h2"
        near $((2 * y2 + h2 - 2 * my - mh)) "Form2 is not centred down the main window: $x2 $y2 $w2 $h2"
        [ "$x3 $y3" = "295 119" ] || fail "Form3's frame is at $x3,$y3, not at 295,119"
    fi
    echo "scale $scale: main $mx,$my ${mw}x$mh; Form2 $x2,$y2 ${w2}x$h2; Form3 $x3,$y3 ${w3}x$h3"

    xdotool key --window "$form3" Escape
    xdotool windowactivate --sync "$main" key ctrl+q 2>/dev/null
    for _ in $(seq 100); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$app" 2>/dev/null && fail "scale $scale: the program did not end on Ctrl+Q"
    wait "$app" || true
    app=
done
