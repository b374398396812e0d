#!/usr/bin/env bash
# The real program on a real X display (Xvfb) under a real window manager (openbox), used
# the way a person uses it: X mouse and key input from xdotool, window titles and states read
# back from X, a screenshot of every step kept under the artefact folder.
#
#   desktop_test.sh TOMELIN TOMELIN-CLI ARTEFACT-FOLDER
#
# Exits 77 (a skip for CTest) only when Xvfb, openbox, xdotool, xprop or import is missing.
# The program reports where its controls are through TOMELIN_WIDGET_MAP; everything else is
# what X shows.

set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
begin_run "$@"

# The pointer and the key cursor are drawn on the screen: both go to the board's bottom edge
# (a move of the pointer over the board hides the key cursor) before a cell is looked at.
park_pointer() {
    local x y w h
    read -r x y w h < <(widget Tomel/PL) || return 1
    xdo mousemove --sync $((x + w / 2)) $((y + h - 2))
}
cell_pixel() {
    local cx cy
    park_pointer
    read -r cx cy < <(cell_centre "$1" "$2")
    pixel "$cx" "$cy"
}
cell_changed() { [ "$(cell_pixel "$1" "$2")" != "$3" ]; }
# The board as the screen shows it, into FILE (the pointer parked off the cells).
board_picture() {
    local x y w h
    read -r x y w h < <(widget Tomel/PL) || return 1
    park_pointer
    import -window root -crop "$((w))x$((h - 4))+$x+$y" +repage "$1" 2>>"$LOG"
}
# How many pixels of the board differ from the picture in FILE.
board_differs_from() {
    board_picture "$ART/board-now.png" || return 1
    local n
    n=$(compare -metric AE "$1" "$ART/board-now.png" null: 2>&1 >/dev/null)
    [ "${n%%.*}" != 0 ]
}
board_same_as() { ! board_differs_from "$1"; }
cell_is() { [ "$(cell_pixel "$1" "$2")" = "$3" ]; }

# ---- a display, a window manager, the program ---------------------------------------------
start_desktop
store_small_board Malé
# The splash is up for a fraction of a second; held here for its screenshot.
TOMELIN_SPLASH_MIN_MS=1500 "$TOMELIN" >>"$LOG" 2>&1 &
APP_PID=$!

# 1. Start-up: the splash, then the setup window.
wait_for 10 shown frmSplash || fail "the splash was never on the screen"
shot "splash"
wait_for 20 shown Form1 || fail "the setup window did not appear"
check "the splash is gone" hidden frmSplash
SETUP=$(window_of Form1) || fail "the setup window has no X window"
check "the setup window is titled Tomelin in X" [ "$(title_of "$SETUP")" = "Tomelin" ]
wait_for 10 is_normal "$SETUP" || fail "the setup window is not shown normally"
check "no game window before START" hidden Tomel
logo_open() { [ "$(widget Form1/Picture1/Check3 | cut -d' ' -f3)" -ge 264 ]; }
wait_for 5 logo_open || log "note: the logo did not grow open"
shot "setup-window"

# 2. Secondary windows and messages of the setup window, each title read back from X.
#    With no records yet, "Záznamy her" only says so, in a message titled "Tomelin".
no_other_tomelin() { ! other_tomelin >/dev/null; }
click Form1/Check2
wait_for 10 other_tomelin >/dev/null || fail "\"Záznamy her\" with no records showed no message"
NOTE_ID=$(other_tomelin | head -n1)
check "the no-records message is titled Tomelin" [ "$(title_of "$NOTE_ID")" = "Tomelin" ]
sleep 0.3
shot "no-records-message"
key Return
wait_for 10 no_other_tomelin || fail "the no-records message did not close"

secondary_window "Výběr figurky hráče 1" token-chooser-1 click Form1/Frame6_0/Picture7
secondary_window "Výběr figurky hráče 2" token-chooser-2 click Form1/Frame6_1/Picture7
secondary_window "O programu..." about click Form1/Picture1/Check3
secondary_window "Editor" editor open_editor

# The music window is a tool window that only hides: its own button shows and hides it.
click Form1/Picture1/Picture12
wait_for 10 has_window "Hudba ke Tomelinu" || fail "the music window did not open"
check "\"Hudba ke Tomelinu\" is the music window's whole title" \
    [ "$(title_of "$(window_titled "Hudba ke Tomelinu")")" = "Hudba ke Tomelinu" ]
shot "music-window"
click Form1/Picture1/Picture12
wait_for 10 no_window "Hudba ke Tomelinu" || fail "the music window did not hide"

# 3. START: two people on "Originál".
click Form1/Command1
wait_for 10 shown Tomel || fail "START showed no game window"
GAME=$(window_of Tomel) || fail "the game window has no X window"
check "the game window is titled Tomelin in X" [ "$(title_of "$GAME")" = "Tomelin" ]
check "the setup window hid itself" hidden Form1
check "the game window is shown normally" is_normal "$GAME"
board_drawn() { ! cell_is 5 5 "0,0,0"; }
wait_for 5 board_drawn || fail "the board was not drawn"
FREE=$(cell_pixel 5 5)
shot "game-started"

# 4. Player 1 moves by mouse: a copy from (0, 0) to (1, 1).
click_cell 0 0
click_cell 1 1
wait_for 5 cell_changed 1 1 "$FREE" || fail "the mouse move left cell (1, 1) free"
sleep 0.4  # the turn change
shot "mouse-move"

# 5. Player 2 moves by keyboard: the key cursor starts where the pointer rests; Space clicks,
#    four arrow presses make one cell.
keyboard_move() {
    read -r x y < <(cell_centre 10 0)
    xdo mousemove --sync "$x" "$y"
    key space Left Left Left Left Down Down Down Down space
}
keyboard_move
wait_for 5 cell_changed 9 1 "$FREE" || fail "the keyboard move left cell (9, 1) free"
sleep 0.5
shot "keyboard-move"

# 6. "Z" takes back the full move: both new tokens are gone.
key z
wait_for 5 cell_is 1 1 "$FREE" || fail "\"Z\" left the mouse move on the board"
wait_for 5 cell_is 9 1 "$FREE" || fail "\"Z\" left the keyboard move on the board"
shot "take-back"

# 6a. "Y" redoes what "Z" took back: both moves are on the board again, player 1 to move.
key y
wait_for 5 cell_changed 1 1 "$FREE" || fail "\"Y\" did not bring the mouse move back"
wait_for 5 cell_changed 9 1 "$FREE" || fail "\"Y\" did not bring the keyboard move back"
sleep 0.5  # the turn changes
shot "redo"

# 6b. "N" shows the move PC Velmistr would play, drawn over the board; a click clears it.
board_picture "$ART/board-before-hint.png" || fail "the board could not be captured"
key n
wait_for 10 board_differs_from "$ART/board-before-hint.png" || fail "\"N\" showed no hint"
shot "hint"
read -r x y < <(cell_centre 5 5)
click_at "$x" "$y"
wait_for 5 board_same_as "$ART/board-before-hint.png" || fail "a click left the hint on the board"
shot "hint-cleared"

# 7. "Pauza-Minimalizovat", then restore.
click Tomel/Picture13_2
wait_for 10 is_hidden "$GAME" || fail "the game window was not minimised"
shot "minimised"
xdo windowactivate "$GAME" 2>>"$LOG"
wait_for 10 is_normal "$GAME" || fail "the game window was not restored"
shot "restored"

# 8. "Nová hra" -> "Novou hru" -> START again: the game window is back, normal.
new_game
shot "new-game-setup"
click Form1/Command1
wait_for 10 shown Tomel || fail "the second START showed no game window"
GAME=$(window_of Tomel) || fail "the game window has no X window"
wait_for 5 is_normal "$GAME" || fail "after the second START the game window is not normal: $(net_state "$GAME")"
shot "second-start"

# 9. The computer against the computer ("PC Velmistr" against "PC Profesionál"), to the
#    end, on the user's board "Malé" (5 x 5: an odd number of cells, so never a draw, which
#    would leave no record).
new_game
# Player 1 is "PC Velmistr", the fourth strength, thinking on its worker thread.
computers_with_master
choose_board_row End
shot "computer-setup"
click Form1/Command1
wait_for 10 shown Tomel || fail "no game window for \"Malé\""
BOARD_SIDE=5
wait_for 5 shown Tomel/thinking || fail "the computer's thinking indicator was never seen"
shot "computer-thinking"
wait_for 180 shown Tomel/result || fail "the computer game did not end within 3 minutes"
sleep 0.3
shot "computer-game-over"
RECORDS=$("$CLI" records 2>>"$LOG")
log "records after the game: $RECORDS"
check "the game left its record" grep -q 'PC Profesionál' <<<"$RECORDS"
check "the record names PC Velmistr" grep -q 'PC Velmistr' <<<"$RECORDS"

# 10. Its record in "Záznamy her".
new_game
secondary_window "Záznamy" records-viewer click Form1/Check2

# 11. "Opravdu skončit": from the game window's close button; the process ends at once, 0.
click Form1/Command1
wait_for 10 shown Tomel || fail "no game window for the last START"
sleep 0.3
click Tomel/Picture13_0
wait_for 5 shown EDNc || fail "the close button showed no \"Opravdu skončit?\" menu"
sleep 0.2
shot "quit-menu"
key Down Return  # "Opravdu skončit"
for _ in $(seq 20); do
    kill -0 "$APP_PID" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$APP_PID" 2>/dev/null; then
    shot "still-running"
    fail "the program still runs 2 s after \"Opravdu skončit\""
fi
wait "$APP_PID"
STATUS=$?
APP_PID=
check "the program ended with status 0 (it was $STATUS)" [ "$STATUS" -eq 0 ]
# 12. The game in progress outlives the program. "Opravdu skončit" above left the computers'
#     game kept: the next start offers it beside START.
start_program
wait_for 5 shown Form1/Resume || fail "no \"Pokračovat ve hře\" for the game left at quitting"
shot "resume-offered"
#     START drops it: two people on "Originál", one move by mouse, then the program is killed.
click Form1/Frame6_0/Option19
click Form1/Frame6_1/Option19
choose_board_row Home
click Form1/Command1
wait_for 10 shown Tomel || fail "START after the offer showed no game window"
check "START withdrew the offer" hidden Form1/Resume
BOARD_SIDE=11
wait_for 5 board_drawn || fail "the board was not drawn"
FREE=$(cell_pixel 5 5)
click_cell 0 0
click_cell 1 1
wait_for 5 cell_changed 1 1 "$FREE" || fail "the move before the kill left cell (1, 1) free"
TOKEN=$(cell_pixel 1 1)
sleep 0.6  # the turn change keeps the game
shot "before-kill"
kill -KILL "$APP_PID"
wait "$APP_PID" 2>/dev/null
APP_PID=
#     Started again, the game resumes as it was: the move on the board, the turn passed on.
start_program
wait_for 5 shown Form1/Resume || fail "no \"Pokračovat ve hře\" after the kill"
shot "resume-after-kill"
click Form1/Resume
wait_for 10 shown Tomel || fail "\"Pokračovat ve hře\" showed no game window"
check "the setup window hid itself for the resumed game" hidden Form1
wait_for 5 cell_is 1 1 "$TOKEN" || fail "the resumed board lacks the move before the kill"
check "the rest of the board is as it was" cell_is 5 5 "$FREE"
sleep 0.4
shot "resumed-game"
#     Player 2 is to move: the keyboard move of step 5 works on the resumed game.
keyboard_move
wait_for 5 cell_changed 9 1 "$FREE" || fail "player 2 could not move in the resumed game"
shot "resumed-game-move"

log "all steps passed; screenshots in $ART"
