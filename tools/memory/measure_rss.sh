#!/usr/bin/env bash
# Resident memory of the game on a real X desktop (its own Xvfb display with openbox, a
# fresh store): in the setup window, then in a game of two people on "Bitva".
#
#   measure_rss.sh TOMELIN
#
# Prints "setup <kB>" and "game <kB>" (VmRSS from /proc), each read after the window has
# been up for two seconds.
set -eu
PROGRAM=${1:?program}
for tool in Xvfb openbox xdotool; do
    command -v "$tool" >/dev/null || { echo "needs $tool (make deps installs it)" >&2; exit 1; }
done
WORK=$(mktemp -d)
XVFB_PID=
WM_PID=
APP_PID=
cleanup() {
    for pid in $APP_PID $WM_PID $XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
N=60
while [ -e /tmp/.X11-unix/X$N ] || [ -e /tmp/.X$N-lock ]; do N=$((N + 1)); done
Xvfb :$N -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
export DISPLAY=:$N
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$N ] && break; sleep 0.1; done
HOME=$WORK openbox --sm-disable >/dev/null 2>&1 &
WM_PID=$!
sleep 1
MAP=$WORK/widgets.txt
export TOMELIN_STORE=$WORK/tomelin.db TOMELIN_WIDGET_MAP=$MAP QT_QPA_PLATFORM=xcb
"$PROGRAM" >/dev/null 2>&1 &
APP_PID=$!

widget() { [ -f "$MAP" ] && awk -v n="$1" '$1 == n { print $2, $3, $4, $5; f = 1; exit } END { exit !f }' "$MAP"; }
wait_shown() {
    for _ in $(seq 100); do widget "$1" >/dev/null && return 0; sleep 0.1; done
    echo "no $1 on the screen" >&2
    exit 1
}
rss() { awk '/^VmRSS/ { print $2 }' "/proc/$APP_PID/status"; }
click_at() { xdotool mousemove --sync "$1" "$2" click 1; }

wait_shown Form1/Command1
sleep 2
echo "setup $(rss) kB"
[ -n "${RSS_DETAIL:-}" ] && grep -E "^(Rss|Private|Shared|Anonymous)" "/proc/$APP_PID/smaps_rollup"
# "Bitva" is the fourth built-in board; both players stay people.
read -r x y w h < <(widget Form1/Frame3/List1)
click_at $((x + w / 2)) $((y + 8))
xdotool key Home Down Down Down
sleep 0.3
read -r x y w h < <(widget Form1/Command1)
click_at $((x + w / 2)) $((y + h / 2))
wait_shown Tomel
sleep 2
echo "game $(rss) kB"
