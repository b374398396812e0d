# Shared by the end-to-end scripts: a display (Xvfb), a window manager (openbox), the program
# with its widget map, xdotool input, X read-backs and screenshots. Source it, then call
# start_desktop and start_program.
#
# The sourcing script calls begin_run with its own arguments first.

WIDTH=${E2E_WIDTH:-1366}
HEIGHT=${E2E_HEIGHT:-768}
XVFB_PID=
WM_PID=
APP_PID=
STEP=0

need_tools() {
    local tool
    for tool in Xvfb openbox xdotool xprop xwininfo import compare; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIP: '$tool' is not installed (make deps installs xvfb, openbox, xdotool, x11-utils, imagemagick)"
            exit 77
        fi
    done
}

# Every script's start: begin_run PROGRAM TOOL ARTEFACT-FOLDER sets TOMELIN, CLI and ART (emptied),
# a work folder for the run (WORK, the widget map MAP) and the log ART/run.log, checks the tools
# are there and cleans up at exit.
begin_run() {
    TOMELIN=${1:?program}
    CLI=${2:?tool}
    ART=${3:?artefact folder}
    rm -rf "$ART"
    mkdir -p "$ART"
    LOG=$ART/run.log
    : >"$LOG"
    need_tools
    WORK=$(mktemp -d)
    MAP=$WORK/widgets.txt
    trap cleanup EXIT
}

log() { echo "$*" | tee -a "$LOG"; }
# No single X request may hang the run.
xdo() { timeout 5 xdotool "$@"; }

stop_program() {
    if [ -n "$APP_PID" ]; then
        kill "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    APP_PID=
}

cleanup() {
    stop_program
    for pid in $WM_PID $XVFB_PID; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$WORK"
}

fail() {
    log "FAIL: $*"
    shot "failure"
    exit 1
}

check() {  # check DESCRIPTION COMMAND...
    local what=$1
    shift
    if "$@"; then
        log "ok: $what"
    else
        fail "$what"
    fi
}

# Polls COMMAND... every 0.1 s until it succeeds or SECONDS pass.
wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    while ((tries-- > 0)); do
        if "$@" 2>/dev/null; then
            return 0
        fi
        sleep 0.1
    done
    return 1
}

shot() {
    STEP=$((STEP + 1))
    local file
    file=$(printf '%s/%02d-%s.png' "$ART" "$STEP" "$1")
    import -window root "$file" 2>>"$LOG" || log "note: no screenshot $file"
}

# ---- the program's controls, from its widget map ----------------------------------------
widget() {  # widget PATH -> "x y w h" of a visible control
    [ -f "$MAP" ] && awk -v n="$1" '$1 == n { print $2, $3, $4, $5; found = 1; exit } END { exit !found }' "$MAP"
}
shown() { widget "$1" >/dev/null; }
hidden() { ! shown "$1"; }
window_of() {  # window_of NAME -> the X window of one of the program's windows
    [ -f "$MAP" ] && awk -v n="$1" '$1 == n && NF >= 6 { print $6; found = 1; exit } END { exit !found }' "$MAP"
}
centre_of() {
    local x y w h
    read -r x y w h < <(widget "$1") || return 1
    echo $((x + w / 2)) $((y + h / 2))
}
click_at() {
    xdo mousemove --sync "$1" "$2"
    sleep 0.05
    xdo click 1
}
click() {  # click PATH: the left button in the middle of a control
    local cx cy
    read -r cx cy < <(centre_of "$1") || fail "no control $1 on the screen"
    click_at "$cx" "$cy"
}
key() { xdo key --delay 30 "$@"; }
type_text() { xdo type --delay 20 "$1"; }

# ---- board cells --------------------------------------------------------------------------
# A board of BOARD_SIDE x BOARD_SIDE cells on the screen (the script sets the side it plays).
BOARD_SIDE=11
cell_centre() {  # cell_centre C R -> the centre of cell (c, r) on the screen
    local x y w h
    read -r x y w h < <(widget Tomel/PL) || return 1
    echo $((x + (2 * $1 + 1) * w / (2 * BOARD_SIDE))) $((y + (2 * $2 + 1) * h / (2 * BOARD_SIDE)))
}
click_cell() {
    local cx cy
    read -r cx cy < <(cell_centre "$1" "$2") || fail "no board on the screen"
    click_at "$cx" "$cy"
}

# The setup window's board list: the first row, then End or Home (the last or first board).
choose_board_row() {
    local x y w h
    read -r x y w h < <(widget Form1/Frame3/List1) || fail "no board list"
    click_at $((x + w / 2)) $((y + 8))
    key "$1"
    sleep 0.3
}
# Both players the computer, player 1 "PC Velmistr".
computers_with_master() {
    click Form1/Frame6_0/Option18
    click Form1/Frame6_1/Option18
    click Form1/Frame6_0/Option24
}
# "Přidat pole" from the editor button's menu.
open_editor() {
    click Form1/Frame3/Command3
    wait_for 5 shown EDI || fail "the editor button showed no menu"
    key Down Return
}
# Windows titled "Tomelin" besides the setup window (its message boxes).
other_tomelin() { xdo search --onlyvisible --name '^Tomelin$' 2>/dev/null | grep -vx "$SETUP"; }
# A board of the player's own in slot 01 (5 x 5 unless given), stored as the editor stores one.
store_small_board() {  # store_small_board NAME [BOARD-STRING]
    "$CLI" store set 'Software\Brantl\Tomelin\HracíPole\01' '' "$1" >>"$LOG" 2>&1 &&
        "$CLI" store set 'Software\Brantl\Tomelin\HracíPole\01' 'Mapa' \
            "${2:-+XXXXXXXXXXXXXXXXXXXXXXX-}" >>"$LOG" 2>&1 || fail "could not store the board $1"
}
# Runs the named step functions in turn; E2E_STEPS="a b" runs only those (to see one fault
# on an older build).
run_steps() {
    local step
    for step in "$@"; do
        if [ -z "${E2E_STEPS:-}" ] || [[ " $E2E_STEPS " == *" $step "* ]]; then
            log "== $step"
            "$step"
        fi
    done
}

# "Nová hra" on the game window's toolbar, confirmed: back to the setup window.
new_game() {
    click Tomel/Picture13_4
    wait_for 5 shown UNGc || fail "\"Nová hra\" showed no \"Opravdu?\" menu"
    key Down Return
    wait_for 10 shown Form1 || fail "\"Novou hru\" did not bring the setup window back"
    check "the game window hid itself" hidden Tomel
}

# ---- windows as X has them --------------------------------------------------------------
# The visible top-level window whose title is exactly TITLE.
window_titled() {
    local id
    for id in $(xdo search --onlyvisible --name '.' 2>/dev/null); do
        if [ "$(xdo getwindowname "$id" 2>/dev/null)" = "$1" ]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
has_window() { window_titled "$1" >/dev/null; }
no_window() { ! has_window "$1"; }
net_state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null; }
is_hidden() { net_state "$1" | grep -q _NET_WM_STATE_HIDDEN; }
is_normal() {
    ! is_hidden "$1" && xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}
title_of() { xprop -id "$1" _NET_WM_NAME 2>/dev/null | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p'; }
# The window the window manager treats as active (decimal id).
active_window() {
    xprop -root _NET_ACTIVE_WINDOW 2>/dev/null | sed -n 's/.*# \(0x[0-9a-f]*\).*/\1/p' |
        { read -r hex && echo $((hex)); }
}
is_active() { [ "$(active_window)" = "$1" ]; }
# Where a window's frame is on the screen, as "x y".
frame_position() {
    xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }'
}

# The colour of one pixel as "r,g,b" (the first bracket of ImageMagick's text form, which
# names some colours instead of giving srgb(...)).
rgb_of_txt() { sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1,\2,\3/p'; }
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- 2>/dev/null | rgb_of_txt; }
pixel_of() { convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null | rgb_of_txt; }
# A region of the screen into FILE: crop X Y W H FILE.
crop() { import -window root -crop "$3x$4+$1+$2" +repage "$5" 2>>"$LOG"; }
# How many pixels of two pictures differ.
pixels_differing() { compare -metric AE "$1" "$2" null: 2>&1 >/dev/null | cut -d' ' -f1; }
# The mean brightness (0 ... 1) of a picture.
brightness() { convert "$1" -colorspace Gray -format '%[fx:mean]' info: 2>>"$LOG"; }

# A secondary window: opened by ACTION..., found by its exact title, shot, closed with Escape.
secondary_window() {
    local title=$1 name=$2
    shift 2
    "$@"
    wait_for 10 has_window "$title" || fail "window \"$title\" did not open"
    local id
    id=$(window_titled "$title")
    check "\"$title\" is the window's whole title in X" [ "$(title_of "$id")" = "$title" ]
    sleep 0.3
    shot "$name"
    xdo windowactivate --sync "$id" 2>/dev/null
    key Escape
    wait_for 10 no_window "$title" || fail "window \"$title\" did not close"
}

# ---- a display, a window manager, the program ---------------------------------------------
start_desktop() {
    Xvfb -displayfd 5 -screen 0 "${WIDTH}x${HEIGHT}x24" -nolisten tcp 5>"$WORK/display" 2>>"$LOG" &
    XVFB_PID=$!
    wait_for 10 test -s "$WORK/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$WORK/display")"
    unset WAYLAND_DISPLAY
    log "display $DISPLAY at ${WIDTH}x${HEIGHT}"
    # Nothing of the run touches the user's own files.
    export HOME=$WORK/home XDG_DATA_HOME=$WORK/data XDG_CONFIG_HOME=$WORK/config
    export XDG_CACHE_HOME=$WORK/cache XDG_RUNTIME_DIR=$WORK/run
    mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    openbox --sm-disable >>"$LOG" 2>&1 &
    WM_PID=$!
    wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        fail "openbox did not start"
    export QT_QPA_PLATFORM=xcb
    # The windows in Czech, whatever the machine's locale (language_test.sh sets its own).
    export LANGUAGE=cs
    export TOMELIN_STORE=$WORK/store.db
    export TOMELIN_WIDGET_MAP=$MAP
}

# Starts the program and waits for its setup window; SETUP is its X window.
start_program() {
    rm -f "$MAP"
    "$TOMELIN" >>"$LOG" 2>&1 &
    APP_PID=$!
    wait_for 20 shown Form1 || fail "the setup window did not appear"
    SETUP=$(window_of Form1) || fail "the setup window has no X window"
    wait_for 10 is_normal "$SETUP" || fail "the setup window is not shown normally"
}
