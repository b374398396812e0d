#!/usr/bin/python3
"""What a screen reader finds of the running program on the AT-SPI bus.

  screen_reader.py
Prints "ok: ..." for each check and "FAIL: ..." for the first that fails (exit status 1).

It looks as Orca would: the application on the bus, the setup window's controls by role and
name, a name (or a label's relation) on every control a person can operate, and START and the
game window's toolbar operated through their accessible actions, not the mouse.
"""

import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

# The controls a person operates: each needs a name a screen reader can speak.
OPERABLE = {"push button", "toggle button", "radio button", "check box", "combo box",
            "list", "text", "spin button", "slider", "menu item"}


def fail(what):
    print("FAIL: " + what, flush=True)
    sys.exit(1)


def ok(what):
    print("ok: " + what, flush=True)


def wait_for(seconds, find):
    end = time.time() + seconds
    while time.time() < end:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    return None


def nodes(acc, depth=0):
    """The accessible and everything below it."""
    if acc is None or depth > 20:
        return
    yield acc
    for i in range(acc.childCount):
        yield from nodes(acc.getChildAtIndex(i), depth + 1)


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "tomelin":
            return app
    return None


def shown_windows(app):
    return [app.getChildAtIndex(i) for i in range(app.childCount)
            if app.getChildAtIndex(i) is not None and showing(app.getChildAtIndex(i))]


def control(window, role, name):
    for acc in nodes(window):
        if acc.getRoleName() == role and acc.name == name and showing(acc):
            return acc
    return None


def labelled(acc):
    for relation in acc.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for k in range(relation.getNTargets()):
                if relation.getTarget(k).name.strip():
                    return True
    return False


def unnamed_controls(window):
    """Operable controls on the screen with neither a name nor a label that names them, and
    how many operable controls were looked at."""
    found = []
    looked = 0
    for acc in nodes(window):
        role = acc.getRoleName()
        if role not in OPERABLE or not showing(acc):
            continue
        if role == "list" and acc.parent is not None and acc.parent.getRoleName() == "combo box":
            continue  # a combo box's pop-up list is spoken as the combo box
        looked += 1
        if not acc.name.strip() and not labelled(acc):
            found.append(role)
    return found, looked


def press(acc, what):
    action = acc.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        fail(f"{what} offers no Press action ({names})")
    action.doAction(names.index("Press"))


def window_with(app, role, name):
    for window in shown_windows(app):
        if control(window, role, name):
            return window
    return None


CELL_NAME = re.compile(r"^[a-p]([1-9]|1[0-6]), (hráč [12]( \(.*\))?|volné|mimo hru)$")


def read_the_board(game):
    """The board is a table whose cells a reader can walk, and the focus follows the keyboard's
    cell cursor with an event a reader hears."""
    board = control(game, "table", "Hrací pole")
    if not board:
        roles = [acc.getRoleName() for acc in nodes(game) if acc.name == "Hrací pole"]
        fail(f"the board is no table a reader can walk (roles {roles})")
    table = board.queryTable()
    side = table.nRows
    if side < 2 or table.nColumns != side or board.childCount != side * side:
        fail(f"the board's table is {table.nRows} x {table.nColumns} with {board.childCount} cells")
    names = [table.getAccessibleAt(r, c).name for r in range(side) for c in range(side)]
    odd = [n for n in names if not CELL_NAME.match(n)]
    if odd:
        fail(f"board cells a reader cannot make sense of: {odd[:5]}")
    for wanted in ("hráč 1", "hráč 2", "volné"):
        if not any(wanted in n for n in names):
            fail(f"no board cell reads \"{wanted}\": {names}")
    ok(f"the board reads as a {side} x {side} table of cells such as \"{names[0]}\"")

    # The keyboard leaves the board and comes back (Tab, Shift+Tab): the reader hears the cell
    # the keyboard's cursor starts from, the middle one. Four arrow presses (a quarter of a cell each) take the cursor one cell
    # right, and the reader hears that cell take the focus.
    heard = []

    def on_focus(event):
        if event.detail1 == 1 and event.source is not None:
            heard.append((event.source.getRoleName(), event.source.name))

    def take_focus():
        board.queryComponent().grabFocus()
        return False

    def press_keys():
        # Away from the board and back, then the arrows.
        subprocess.run(["xdotool", "key", "--delay", "150", "Tab", "shift+Tab"], check=False)
        subprocess.run(["xdotool", "key", "--delay", "100", "Right", "Right", "Right", "Right"],
                       check=False)
        return False

    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    GLib.timeout_add(100, take_focus)
    GLib.timeout_add(1000, press_keys)
    GLib.timeout_add(4000, lambda: pyatspi.Registry.stop() and False)
    pyatspi.Registry.start()
    pyatspi.Registry.deregisterEventListener(on_focus, "object:state-changed:focused")
    cells = [name for role, name in heard if role == "table cell"]
    middle = side // 2
    start = table.getAccessibleAt(middle, middle).name
    expected = table.getAccessibleAt(middle, middle + 1).name
    if start not in cells:
        fail(f"the board took the focus back and the reader heard {heard}, not \"{start}\"")
    if expected not in cells[cells.index(start):]:
        fail(f"after four presses of the right arrow the reader heard {heard}, not \"{expected}\"")
    focused = [n for n in names_of_focused(board)]
    if focused != [expected]:
        fail(f"the board's focused cells are {focused}, not \"{expected}\"")
    ok(f"the focus follows the keyboard's cursor: the reader hears \"{start}\", then \"{expected}\"")


def names_of_focused(board):
    for i in range(board.childCount):
        cell = board.getChildAtIndex(i)
        if cell.getState().contains(pyatspi.STATE_FOCUSED):
            yield cell.name


def main():
    app = wait_for(30, application)
    if not app:
        fail("the program never appeared on the accessibility bus")
    ok("the program is on the accessibility bus as \"tomelin\"")

    setup = wait_for(15, lambda: window_with(app, "push button", "START"))
    if not setup:
        fail("no window on the bus holds the START button")
    if setup.name != "Tomelin":
        fail(f"the setup window is named \"{setup.name}\", not \"Tomelin\"")
    if setup.getRoleName() != "frame":
        fail(f"the setup window is a \"{setup.getRoleName()}\" to a reader, not a window (\"frame\")")
    ok("the setup window is a window named \"Tomelin\" and holds START")

    expected = [("push button", "O programu"), ("push button", "Hudba"),
                ("push button", "Záznamy her"), ("push button", "Editor"),
                ("push button", "Figurka 1. hráče"), ("push button", "Figurka 2. hráče"),
                ("radio button", "Hvězda"), ("radio button", "Kříž"),
                ("list", "Hrací pole"), ("text", "Jméno 1. hráče"), ("text", "Jméno 2. hráče")]
    missing = [f"{role} \"{name}\"" for role, name in expected if not control(setup, role, name)]
    if missing:
        fail("the setup window lacks " + ", ".join(missing))
    ok(f"the setup window's {len(expected)} main controls are there by role and name")

    for side in ("1. hráč", "2. hráč"):
        panel = control(setup, "panel", side)
        if not panel or not control(panel, "radio button", "Člověk") or \
                not control(panel, "radio button", "Počítač"):
            fail(f"the panel \"{side}\" has no \"Člověk\"/\"Počítač\" choice")
    ok("each player's panel offers \"Člověk\" and \"Počítač\"")

    boards = control(setup, "list", "Hrací pole")
    items = [boards.getChildAtIndex(i).name for i in range(boards.childCount)]
    if "Originál" not in items or len(items) < 5:
        fail(f"the board list reads {items}")
    ok(f"the board list reads its {len(items)} boards, \"Originál\" among them")

    unnamed, looked = unnamed_controls(setup)
    if unnamed or looked < 15:
        fail(f"controls a screen reader cannot name in the setup window: {unnamed} of {looked}")
    ok(f"each of the setup window's {looked} controls has a name or a label")

    # START as a screen reader presses it: the game window comes up.
    press(control(setup, "push button", "START"), "START")
    game = wait_for(15, lambda: window_with(app, "push button", "Vrátit tah"))
    if not game:
        fail("pressing START through the accessibility bus showed no game window")
    if game.getRoleName() != "frame":
        fail(f"the game window is a \"{game.getRoleName()}\" to a reader, not a window (\"frame\")")
    toolbar = ["Zavřít", "Hudba", "Pauza-Minimalizovat", "Restart hry", "Nová hra", "Vrátit tah",
               "O programu", "Velikost okna"]
    missing = [name for name in toolbar if not control(game, "push button", name)]
    if missing:
        fail(f"the game window's toolbar lacks {missing}")
    ok("START pressed through the bus opens the game window with its named toolbar")
    if not any(acc.name == "Hrací pole" for acc in nodes(game)):
        fail("the game window's board has no name")
    ok("the game window's board is named \"Hrací pole\"")
    read_the_board(game)
    unnamed, looked = unnamed_controls(game)
    if unnamed or looked < len(toolbar):
        fail(f"controls a screen reader cannot name in the game window: {unnamed} of {looked}")
    ok(f"each of the game window's {looked} controls has a name")

    # "O programu" from the game window's toolbar: the About window, named, then gone again.
    press(control(game, "push button", "O programu"), "O programu")
    about = wait_for(10, lambda: [w for w in shown_windows(app) if w.name == "O programu..."])
    if not about:
        fail("\"O programu\" pressed through the bus opened no window \"O programu...\"")
    ok("\"O programu\" pressed through the bus opens the About window")
    return 0


if __name__ == "__main__":
    sys.exit(main())
