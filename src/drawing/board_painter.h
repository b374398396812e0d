#pragma once
// `DRWP`, `ShBrd` and the cell part of `Prekr`: the board picture drawn from the game model.

#include <array>

#include "core/board.h"
#include "core/directions.h"
#include "core/ports.h"
#include "drawing/token_painter.h"
#include "platform/draw/draw_surface.h"

namespace tomelin {

// What the board is drawn with besides the grids: the players' styles (`HR1`, `HR2`), their
// kinds (`PlayerKind`, entry 0 for free fields) and the token detail level.
struct BoardLook {
    std::array<PlayerStyle, 3> styles{PlayerStyle{}, kDefaultStyle1, kDefaultStyle2};
    std::array<int, 3> kinds{0, 0, 0};
    int detail = 2;
};

// Draws cells and target rings into the board picture `PL`; keeps the cell size that the
// last full redraw derived from the picture size.
class BoardPainter {
public:
    BoardPainter(DrawSurface& picture, RandomSource& random) : m_pic(picture), m_random(random) {}

    // `Prekr` steps 4: `BoardPicW`, `BoardPicH`, `CellW`, `CellH` for a picture of the given
    // inner size and a board of `side` cells (a side below 1 counts as 1).
    void setGeometry(double pictureWidth, double pictureHeight, int side);
    double cellW() const { return m_cellW; }
    double cellH() const { return m_cellH; }
    double boardPicW() const { return m_picW; }

    // `DRWP`: cell (x, y) as the board holds it: a field (with its token) or a black hole.
    void drawCell(const Board& board, const BoardLook& look, int x, int y);
    // `Prekr` step 11: every cell, rows outer, columns inner.
    void drawAll(const Board& board, const BoardLook& look);
    // `ShBrd`: the rings of every cell within reach of (xx, yy), coloured by its mark in the
    // colours of the player to move. Cells the board does not have are left alone.
    void drawRings(const Board& board, const Marks& marks, const Directions& dirs,
               const PlayerStyle& mover, int xx, int yy);

private:
    DrawSurface& m_pic;
    RandomSource& m_random;
    double m_cellW = 1;
    double m_cellH = 1;
    double m_picW = 0;
    double m_picH = 0;
};

// `Prekr` step 5: the widths of the capture ray's three lines for cell width `cellW`.
std::array<int, 3> rayWidths(double cellW);

}  // namespace tomelin
