#!/usr/bin/env bash
# The windows in English and in Czech on the real program under Xvfb and openbox: for each
# language the setup window, the token chooser, the About window, the board editor, the
# music window, a game in progress, a computer game's result and the records viewer are
# opened, checked by their titles as X has them, and shot (screenshots under the artefact
# folder, one subfolder per language). English is chosen as a player would choose it, by the
# desktop's locale (LANGUAGE=en); Czech is what every other locale gets (LANGUAGE=de).
#
#   language_test.sh TOMELIN TOMELIN-CLI ARTEFACT-FOLDER
#
# Exits 77 (a skip for CTest) only when a tool of the desktop is missing.

set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
begin_run "$@"
TOP=$ART

CZECH_LETTERS='[áčďéěíňóřšťúůýžÁČĎÉĚÍŇÓŘŠŤÚŮÝŽ]'

# Every title X shows for the program's windows; in English none holds a Czech letter.
titles_are_english() {
    local id title
    for id in $(xdo search --onlyvisible --pid "$APP_PID" --name '.' 2>/dev/null); do
        title=$(title_of "$id")
        if grep -q "$CZECH_LETTERS" <<<"$title"; then
            log "Czech title in English: \"$title\""
            return 1
        fi
    done
    return 0
}

# One language: LOCALE the desktop's LANGUAGE, then the titles expected in it.
play_language() {
    local language=$1 locale=$2 about=$3 chooser=$4 editor=$5 music=$6 records=$7 board=$8 save=$9
    ART=$TOP/$language
    mkdir -p "$ART"
    STEP=0
    log "== $language (LANGUAGE=$locale)"
    rm -f "$TOMELIN_STORE"
    # A small board of the player's own, named in his language: shown as it is stored.
    store_small_board "$board"
    export LANGUAGE=$locale
    start_program
    # The title strip's logo has come in.
    sleep 2
    shot "setup-window"

    secondary_window "$chooser" token-chooser click Form1/Frame6_0/Picture7
    secondary_window "$about" about click Form1/Picture1/Check3
    secondary_window "$editor" board-editor open_editor
    click Form1/Picture1/Picture12
    wait_for 10 has_window "$music" || fail "the music window did not open"
    sleep 0.3
    shot "music-window"
    click Form1/Picture1/Picture12
    wait_for 10 no_window "$music" || fail "the music window did not hide"

    # Two people: a game in progress after one move of each.
    click Form1/Command1
    wait_for 10 shown Tomel || fail "START showed no game window"
    sleep 0.5
    click_cell 0 0
    click_cell 1 1
    sleep 1
    click_cell 10 0
    click_cell 9 1
    sleep 1
    shot "game-in-progress"
    if [ "$language" = en ]; then
        check "no Czech in the English titles (game)" titles_are_english
    fi
    new_game

    # The computer against the computer on the small board, to its result.
    computers_with_master
    choose_board_row End
    shot "computer-setup"
    click Form1/Command1
    wait_for 10 shown Tomel || fail "no game window for the computer game"
    wait_for 180 shown Tomel/result || fail "the computer game did not end within 3 minutes"
    sleep 0.3
    shot "result-panel"
    new_game
    secondary_window "$records" records-viewer click Form1/Check2
    # Qt's own file dialog in the same language ("Cancel"/"Zrušit": the screenshot).
    click Form1/Check2
    wait_for 10 has_window "$records" || fail "the records viewer did not open again"
    click frmVlst/exportAll
    wait_for 10 has_window "$save" || fail "the PGN export's file dialog \"$save\" did not open"
    sleep 0.5
    shot "file-dialog"
    key Escape
    wait_for 10 no_window "$save" || fail "the file dialog did not close"
    xdo windowactivate --sync "$(window_titled "$records")" 2>/dev/null
    key Escape
    wait_for 10 no_window "$records" || fail "the records viewer did not close"
    if [ "$language" = en ]; then
        check "no Czech in the English titles" titles_are_english
    fi
    stop_program
}

start_desktop
unset LC_ALL LC_MESSAGES
export LANG=C.UTF-8
play_language en en "About..." "Token of player 1" "Editor" "Music for Tomelin" "Records" "Small" \
    "Save all records as PGN"
play_language cs de "O programu..." "Výběr figurky hráče 1" "Editor" "Hudba ke Tomelinu" "Záznamy" "Malé" \
    "Uložit všechny záznamy do PGN"
log "PASSED"
