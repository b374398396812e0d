#!/usr/bin/env bash
# Run under an X display: starts PROGRAM with LANGUAGE=en, waits for its setup window, opens
# the music window from the setup window's music button and waits for it under its English
# title, "Music for Tomelin"; then ends the program. The Czech title would be "Hudba ke
# Tomelinu": the installed translation is what makes the difference.
#
#   english_probe.sh PROGRAM SECONDS LOG
set -uo pipefail

program=$1
seconds=$2
log=$3
map=$(mktemp)

LANGUAGE=en TOMELIN_WIDGET_MAP=$map "$program" >"$log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; rm -f "$map"' EXIT

widget() { awk -v n="$1" '$1 == n { print $2, $3, $4, $5; found = 1; exit } END { exit !found }' "$map"; }
clicked=0
for ((tick = 0; tick < seconds * 5; tick++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "$program ended before its music window appeared" >>"$log"
        exit 1
    fi
    if ((!clicked)) && read -r x y w h < <(widget Form1/Picture1/Picture12 2>/dev/null); then
        xdotool mousemove --sync $((x + w / 2)) $((y + h / 2)) click 1
        clicked=1
    fi
    if ((clicked)) && xdotool search --onlyvisible --pid "$pid" --name '^Music for Tomelin$' >/dev/null 2>&1; then
        echo "the music window is titled \"Music for Tomelin\" after $((tick / 5)).$((tick % 5 * 2)) s"
        exit 0
    fi
    sleep 0.2
done
echo "no window \"Music for Tomelin\" within $seconds s (clicked: $clicked)" >>"$log"
exit 1
