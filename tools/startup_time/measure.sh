#!/usr/bin/env bash
# Start-up time of the game on a real X desktop: its own Xvfb display with the openbox
# window manager, a fresh store made by a first (untimed) start, then RUNS timed starts
# (10 unless set); prints each run and the median time until the setup window is mapped.
#
#   measure.sh STARTUP_TIME-TOOL TOMELIN [RUNS]
set -eu
TOOL=${1:?startup_time tool}
PROGRAM=${2:?program}
RUNS=${3:-10}
for tool in Xvfb openbox; do
    command -v "$tool" >/dev/null || { echo "needs $tool (make deps installs it)" >&2; exit 1; }
done
WORK=$(mktemp -d)
XVFB_PID=
WM_PID=
cleanup() {
    for pid in $WM_PID $XVFB_PID; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
# The first free display number from 40 up.
N=40
while [ -e /tmp/.X11-unix/X$N ] || [ -e /tmp/.X$N-lock ]; do N=$((N + 1)); done
Xvfb :$N -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
export DISPLAY=:$N
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$N ] && break; sleep 0.1; done
HOME=$WORK openbox --sm-disable >/dev/null 2>&1 &
WM_PID=$!
sleep 1
export TOMELIN_STORE=$WORK/tomelin.db XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config
unset QT_QPA_PLATFORM
"$TOOL" --runs 1 -- "$PROGRAM" >/dev/null  # makes the store and warms the file cache
"$TOOL" --runs "$RUNS" -- "$PROGRAM"
