#pragma once
// The board as a screen reader finds it: a table of side x side cells, each cell named by its
// square and what stands on it ("c3, hráč 1 (Petr)"), the key cursor's cell the focused one.
// A reader walks the cells with its table commands, or follows the key cursor as the arrows
// move it; a cell whose token changes while it has the focus is read anew.

#include "core/ports.h"

namespace tomelin {

class BoardView;

// Makes BoardView's cells reachable on the accessibility bus (installed once; later calls do
// nothing).
void installBoardAccessibility();

// What a listening reader is told (nothing is done while none listens): the key cursor moved
// to `cell`; what stands on `cell` changed; the board was laid anew (another side, perhaps).
void tellReaderCellFocused(BoardView& view, CellPos cell);
void tellReaderCellChanged(BoardView& view, CellPos cell);
void tellReaderBoardReset(BoardView& view);

}  // namespace tomelin
