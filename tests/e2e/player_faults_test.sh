#!/usr/bin/env bash
# What a player trips over in the windows, each played on the real program under Xvfb and
# openbox with xdotool and checked from what X shows: one function per fault, a screenshot
# of each step under the artefact folder.
#
#   player_faults_test.sh TOMELIN TOMELIN-CLI ARTEFACT-FOLDER
#
# Exits 77 (a skip for CTest) only when a tool of the desktop is missing.

set -u

TOMELIN=${1:?program}
CLI=${2:?tool}
ART=${3:?artefact folder}
rm -rf "$ART"
mkdir -p "$ART"
# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
need_tools
: >"$LOG"
trap cleanup EXIT

BOARD_SIDE=11
cell_centre() {
    local x y w h
    read -r x y w h < <(widget Tomel/PL) || return 1
    echo $((x + (2 * $1 + 1) * w / (2 * BOARD_SIDE))) $((y + (2 * $2 + 1) * h / (2 * BOARD_SIDE)))
}
park_pointer() {  # the pointer off the board, over the window's side picture
    xdo mousemove --sync 5 5
}

start_game() {
    click Form1/Command1
    wait_for 10 shown Tomel || fail "START showed no game window"
    GAME=$(window_of Tomel) || fail "the game window has no X window"
    wait_for 5 is_active "$GAME" || fail "the game window is not active after START"
}
new_game() {
    click Tomel/Picture13_4
    wait_for 5 shown UNGc || fail "\"Nová hra\" showed no \"Opravdu?\" menu"
    key Down Return
    wait_for 10 shown Form1 || fail "\"Novou hru\" did not bring the setup window back"
}

# ---- "H" shows and hides the music window; the game window keeps the keyboard ------------
music_key_toggles() {
    start_game
    key h
    wait_for 10 has_window "Hudba ke Tomelinu" || fail "\"H\" did not show the music window"
    sleep 0.5
    shot "music-shown-by-h"
    check "the game window keeps the keyboard after \"H\"" is_active "$GAME"
    key h
    wait_for 5 no_window "Hudba ke Tomelinu" || fail "a second \"H\" did not hide the music window"
    shot "music-hidden-by-h"
    check "the game window is still active" is_active "$GAME"
    new_game
}

start_desktop
"$CLI" store set 'Software\Brantl\Tomelin\HracíPole\01' '' 'Malé' >>"$LOG" 2>&1 &&
    "$CLI" store set 'Software\Brantl\Tomelin\HracíPole\01' 'Mapa' '+XXXXXXXXXXXXXXXXXXXXXXX-' \
        >>"$LOG" 2>&1 || fail "could not store the board Malé"
start_program
shot "setup-window"

music_key_toggles

log "all steps passed; screenshots in $ART"
