#!/usr/bin/env bash
# External engines on the real program under Xvfb and openbox, driven by xdotool: a whole
# game of a person against `tomelin-cli uai` chosen as an engine in the setup window, an
# engine that crashes when chosen, one that crashes and one that hangs in the game (their
# messages, the window responsive, the game offered again), and the records viewer's PGN
# export read back. Screenshots of each step go to the artefact folder.
#
#   engine_test.sh TOMELIN TOMELIN-CLI ARTEFACT-FOLDER
#
# Exits 77 (a skip for CTest) only when a tool of the desktop is missing.

set -u

# shellcheck source=e2e_lib.sh
. "$(dirname "$0")/e2e_lib.sh"
begin_run "$@"

# ---- engines: the tool's own, and three that fail --------------------------------------
ENGINES=$WORK/engines
mkdir -p "$ENGINES"
engine_script() {  # engine_script NAME ON-GO: answers the handshake, then ON-GO to "go"
    cat >"$ENGINES/$1" <<SCRIPT
#!/bin/sh
while read line; do
  case "\$line" in
    uai) echo "id name $1"; echo uaiok ;;
    isready) echo readyok ;;
    go*) $2 ;;
    quit) exit 0 ;;
  esac
done
SCRIPT
    chmod +x "$ENGINES/$1"
}
printf '#!/bin/sh\nexec "%s" uai\n' "$CLI" >"$ENGINES/tomelin-uai"
chmod +x "$ENGINES/tomelin-uai"
printf '#!/bin/sh\nread line\necho uaiok\nexit 1\n' >"$ENGINES/quitter"
chmod +x "$ENGINES/quitter"
engine_script crasher "exit 3"
engine_script sleeper ":"

# A 3 x 3 board (a short whole game): x top left, o bottom right.
BOARD_SIDE=3
BOARD='+XXXXXXX-'

engine_kept() { "$CLI" store list 'Software\Brantl\Tomelin\Enginy' 2>/dev/null | grep -q "$1"; }
engine_not_kept() { ! engine_kept "$1"; }
not_thinking() { ! shown Tomel/thinking; }
engine_busy() { shown Tomel/thinking || shown Tomel/result || ! shown Tomel; }
# The person's move without knowing the board: copies from each cell in turn to each of its
# neighbours until one is made, which the engine's thinking (or the game's end) shows.
person_move() {
    local s sx sy dx dy tx ty
    for ((s = 0; s < BOARD_SIDE * BOARD_SIDE; s++)); do
        sx=$((s % BOARD_SIDE))
        sy=$((s / BOARD_SIDE))
        for dx in -1 0 1; do
            for dy in -1 0 1; do
                tx=$((sx + dx))
                ty=$((sy + dy))
                ((dx == 0 && dy == 0 || tx < 0 || ty < 0 || tx >= BOARD_SIDE || ty >= BOARD_SIDE)) && continue
                click_cell "$sx" "$sy"
                click_cell "$tx" "$ty"
                for _ in 1 2 3 4 5 6; do
                    engine_busy && return 0
                    sleep 0.1
                done
            done
        done
    done
    return 1
}

# Player 2 becomes the engine program PATH, chosen through "Vybrat…" and the file dialog.
choose_engine() {
    click Form1/Frame6_1/Option18
    sleep 0.2
    click Form1/Frame6_1/Option25
    click Form1/Frame6_1/engineBrowse
    wait_for 10 has_window "Vyberte program enginu UAI" || fail "\"Vybrat…\" opened no file dialog"
    sleep 0.5
    key ctrl+a
    type_text "$1"
    sleep 0.2
    shot "file-dialog-$(basename "$1")"
    key Return
    wait_for 10 no_window "Vyberte program enginu UAI" || fail "the file dialog did not close"
}
start_game() {
    click Form1/Command1
    wait_for 10 shown Tomel || fail "START showed no game window"
    GAME=$(window_of Tomel) || fail "the game window has no X window"
}
# Visible windows titled "Tomelin": the setup window, and a message box over it.
titled_tomelin() {
    local id n=0
    for id in $(xdo search --onlyvisible --name '^Tomelin$' 2>/dev/null); do
        [ "$(xdo getwindowname "$id" 2>/dev/null)" = Tomelin ] && n=$((n + 1))
    done
    echo "$n"
}
message_shown() { [ "$(titled_tomelin)" -ge 2 ]; }
no_message() { ! message_shown; }
# A message box over the setup window: screenshot, then Return closes it.
fault_message() {  # fault_message SHOT-NAME
    wait_for 20 message_shown || fail "no message ($1)"
    sleep 0.5
    shot "$1"
    key Return
    wait_for 5 no_message
    sleep 0.5
}

# ---- a crash when chosen: the engine answers uaiok and exits ----------------------------
engine_crashes_when_chosen() {
    choose_board_row End
    choose_engine "$ENGINES/quitter"
    fault_message "fault-quitter-when-chosen"
    check "the engine that exits is not kept" engine_not_kept quitter
}

# ---- a whole game against tomelin-cli uai ----------------------------------------------
engine_game() {
    choose_board_row End
    choose_engine "$ENGINES/tomelin-uai"
    wait_for 15 engine_kept tomelin-uai || fail "tomelin-cli does not see the engine the program kept"
    sleep 0.5
    shot "engine-chosen"
    start_game
    sleep 1
    local turns=0 shown_thinking=0
    while ! shown Tomel/result; do
        ((turns++ < 40)) || fail "the game did not end"
        person_move || fail "the person found no move"
        if shown Tomel/thinking && ((shown_thinking++ == 0)); then
            shot "engine-thinking"
        fi
        #  The engine's move: its thinking ends, its two clicks and the turn change follow.
        wait_for 20 not_thinking || fail "the engine did not move"
        sleep 1.5
        ((turns == 3)) && shot "engine-game-under-way"
    done
    sleep 0.5
    shot "engine-game-ended"
    new_game
}

# ---- a crash and a hang in the game: the message, the game offered again ----------------
engine_fault_in_game() {  # engine_fault_in_game SCRIPT
    choose_board_row End
    choose_engine "$ENGINES/$1"
    wait_for 15 engine_kept "$1" || fail "tomelin-cli does not see the engine $1 the program kept"
    start_game
    sleep 1
    person_move || fail "the person found no move"
    if [ "$1" = sleeper ]; then
        #  While it hangs the window goes on: the thinking indicator's share of the time
        #  used moves on between two looks.
        sleep 0.5
        shot "engine-hanging"
        local x y w h changed
        read -r x y w h < <(widget Tomel/thinking) || fail "no thinking indicator while the engine hangs"
        crop "$x" "$y" "$w" "$h" "$WORK/think1.png"
        sleep 0.7
        crop "$x" "$y" "$w" "$h" "$WORK/think2.png"
        changed=$(pixels_differing "$WORK/think1.png" "$WORK/think2.png")
        check "the window keeps drawing while the engine hangs ($changed pixels changed)" [ "${changed:-0}" -gt 0 ]
    fi
    wait_for 20 shown Form1 || fail "the fault of $1 did not end the game"
    fault_message "fault-$1-in-game"
    wait_for 5 shown Form1/Resume || fail "the kept game is not offered after the fault of $1"
    shot "resume-offered-after-$1"
}

engine_faults_in_game() {
    engine_fault_in_game crasher
    engine_fault_in_game sleeper
}

# ---- the records viewer exports every record; a second reader reads it back ------------
export_pgn() {
    click Form1/Check2
    wait_for 10 shown frmVlst || fail "the records viewer did not open"
    sleep 0.3
    click frmVlst/exportAll
    wait_for 10 has_window "Uložit všechny záznamy do PGN" || fail "no save dialog"
    sleep 0.5
    key ctrl+a
    type_text "$WORK/export.pgn"
    key Return
    wait_for 10 test -s "$WORK/export.pgn" || fail "nothing was exported"
    shot "viewer-exported"
    key Escape
    #  Read back by a reader of its own (awk over the PGN grammar's tags and results): one
    #  game a record, each with the seven tags and the result its Result tag names.
    local games
    games=$(awk '
        /^\[/ { tag = substr($1, 2); if (tag == "Result") { r = $2; gsub(/[]"]/, "", r) }
                seen[tag] = 1; next }
        /^(1-0|0-1|1\/2-1\/2|\*)$/ || / (1-0|0-1|1\/2-1\/2|\*)$/ {
            n = split($0, w, " "); if (w[n] != r) { print "bad result"; exit 1 }
            for (t in need) if (!(t in seen)) { print "no tag " t; exit 1 }
            count++; delete seen; next }
        BEGIN { split("Event Site Date Round Black White Result", a, " "); for (i in a) need[a[i]] = 1 }
        END { print count + 0 }' "$WORK/export.pgn")
    log "the exported file holds $games games"
    check "the exported file holds the game against the engine" [ "$games" -ge 1 ]
    check "its record names the engine by the name it reported" grep -q '^\[White "Tomelin ' "$WORK/export.pgn"
    cp "$WORK/export.pgn" "$ART/export.pgn"
}

start_desktop
store_small_board Male "$BOARD"
start_program
shot "setup-window"

# The fault step runs both failing engines.
run_steps engine_crashes_when_chosen engine_game engine_faults_in_game export_pgn

log "all steps passed; screenshots in $ART"
