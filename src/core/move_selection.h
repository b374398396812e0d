#pragma once
// The board's select-then-target clicks (`Check1` and the selection part of `PLKlik`): the
// first click on a token of the player to move selects it and marks the cells it can reach,
// a click on a marked cell completes the move, any other click ends the selection. The game
// plays the completed move; the computer's paced answer goes through the same two clicks so
// that its choice shows on the board the way a person's does.

#include <functional>

#include "core/board.h"
#include "core/directions.h"
#include "core/ports.h"
#include "core/position.h"

namespace tomelin {

// The cells a token on `cell` may move to in `position` (copy or jump onto a free cell, as
// `Marks::kCopy` / `Marks::kJump`) and the cell itself as `Marks::kSelected`; all-none when
// `cell` holds no token of the player to move.
Marks reachableMarks(const Position& position, Logic logic, CellPos cell);

class MoveSelection {
public:
    // 0 nothing selected, 1 a token selected, 2 the last click made a move or deselected.
    int state() const { return m_state; }
    // The selected token (meaningful while state() is 1).
    CellPos selected() const { return m_selected; }
    // The marks of the open selection; all none without one.
    const Marks& marks() const { return m_marks; }

    // A click on cell (x, y) of `position`, whose player to move is the one clicking; a cell
    // off the board (e.g. (-1, -1)) selects nothing. A click on a marked target completes a
    // move, which `play` makes while the selection is still shown; the rings and the marker
    // are cleared after it. `observer` hears of the selection marker and the rings.
    // Returns whether a move was made.
    bool click(const Position& position, Logic logic, int x, int y, GameObserver& observer,
               const std::function<void(const Move&)>& play);
    // Drops an open selection (rings and marker cleared) and returns to state 0.
    void cancel(GameObserver& observer);

private:
    int m_state = 0;
    CellPos m_selected;
    Marks m_marks;
};

}  // namespace tomelin
