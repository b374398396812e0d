#!/usr/bin/env bash
# The program as a screen reader meets it: on Xvfb with openbox, with the accessibility bus
# (AT-SPI) of a session bus of its own, screen_reader.py walks the program's accessible tree
# and presses its buttons through their accessible actions (pyatspi, as Orca does).
#
#   screen_reader_test.sh TOMELIN TOMELIN-CLI ARTEFACT-FOLDER
#
# Exits 77 (a skip for CTest) only when a tool of the desktop or of the bus is missing.

set -u

BUS_LAUNCHER=/usr/libexec/at-spi-bus-launcher
if ! command -v dbus-run-session >/dev/null 2>&1 || [ ! -x "$BUS_LAUNCHER" ] ||
    ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
    echo "SKIP: no session bus, AT-SPI bus or pyatspi (make deps installs dbus, at-spi2-core, python3-pyatspi)"
    exit 77
fi
# A session bus of its own, gone with the test.
if [ -z "${TOMELIN_E2E_SESSION_BUS:-}" ]; then
    TOMELIN_E2E_SESSION_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
begin_run "$@"
start_desktop
"$BUS_LAUNCHER" --launch-immediately >>"$LOG" 2>&1 &
BUS_PID=$!
trap 'kill "$BUS_PID" 2>/dev/null; cleanup' EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_program
shot "setup-window"

timeout 120 /usr/bin/python3 "$(dirname "$0")/screen_reader.py" 2>>"$LOG" | tee -a "$LOG"
status=${PIPESTATUS[0]}
shot "after-the-reader"
[ "$status" = 0 ] || fail "the screen reader's walk failed (status $status)"
log "all steps passed; screenshots in $ART"
