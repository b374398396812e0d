#!/usr/bin/env bash
# Run under an X display: starts PROGRAM, waits until it maps a normal top-level window
# titled TITLE (the splash screen, titled the same, does not count), prints its geometry and
# ends the program.
#
#   window_probe.sh PROGRAM TITLE SECONDS LOG
set -uo pipefail

program=$1
title=$2
seconds=$3
log=$4

"$program" >"$log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null' EXIT

for ((tick = 0; tick < seconds * 5; tick++)); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        echo "$program ended with status $? before its window appeared" >>"$log"
        exit 1
    fi
    for window in $(xdotool search --onlyvisible --pid "$pid" --name "^$title\$" 2>/dev/null); do
        # The first type is the one meant; the splash lists "normal" after "splash".
        type=$(xprop -id "$window" _NET_WM_WINDOW_TYPE 2>/dev/null)
        type=${type#*= }
        if [[ ${type%%,*} == _NET_WM_WINDOW_TYPE_NORMAL ]]; then
            geometry=$(xwininfo -id "$window" | grep -E 'Width|Height' | tr -s ' ' | tr '\n' ' ')
            echo "window $window \"$title\" after $((tick / 5)).$((tick % 5 * 2)) s:$geometry"
            exit 0
        fi
    done
    sleep 0.2
done
echo "no window \"$title\" within $seconds s" >>"$log"
exit 1
