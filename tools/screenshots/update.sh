#!/usr/bin/env bash
# Refreshes the screenshots kept in assets/screenshots/ (the AppStream data's pictures) from
# the desktop test's steps: run `make test` (or `ctest -R desktop_e2e` in the build folder)
# first, then
#
#   tools/screenshots/update.sh [E2E-FOLDER]      (build/e2e unless given)
set -eu
cd "$(dirname "$0")/../.."
from=${1:-build/e2e}
to=assets/screenshots
mkdir -p "$to"
# kept name <- the desktop test's step
for pair in setup:setup-window game-hint:hint computer-game:computer-thinking records:records-viewer; do
    name=${pair%%:*}
    step=${pair#*:}
    shots=("$from"/[0-9][0-9]-"$step".png)
    [ -f "${shots[0]}" ] || { echo "no screenshot of step $step in $from" >&2; exit 1; }
    cp "${shots[0]}" "$to/$name.png"
    echo "$to/$name.png <- ${shots[0]}"
done
