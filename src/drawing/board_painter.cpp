#include "drawing/board_painter.h"

#include <cmath>

namespace tomelin {

namespace {
constexpr Rgb kFreeField = rgb(191, 191, 191);
constexpr Rgb kPlainRing = rgb(127, 127, 127);
constexpr Rgb kHole = rgb(0, 0, 0);
}  // namespace

void BoardPainter::setGeometry(double pictureWidth, double pictureHeight, int side) {
    const int n = side < 1 ? 1 : side;
    m_picW = pictureWidth;
    m_picH = pictureHeight;
    m_cellW = pictureWidth / n;
    m_cellH = pictureHeight / n;
}

void BoardPainter::drawCell(const Board& board, const BoardLook& look, int x, int y) {
    const std::uint8_t v = board.at(x, y);
    if (v == kNoCell) {
        m_pic.fillBox(1 + m_cellW * x, 1 + m_cellH * y, m_cellW + m_cellW * x - 1,
                      m_cellH + m_cellH * y - 1, kHole);
        return;
    }
    Rgb colour = kFreeField;
    int shape = 0;
    if (v == kToken1 || v == kToken2) {
        const PlayerStyle& style = look.styles[v / 10];
        colour = style.colour;
        shape = style.shape;
    }
    // Entry v / 10 rounded half to even: free field (1) -> 0, tokens 10 -> 1, 20 -> 2.
    const auto kindIndex = static_cast<std::size_t>(std::nearbyint(v / 10.0));
    const int kind = kindIndex < look.kinds.size() ? look.kinds[kindIndex] : 0;
    drawToken(m_pic, {static_cast<double>(x), static_cast<double>(y), m_cellH},
              {.shape = shape, .colour = colour, .playerKind = kind,
               .detailLevel = look.detail, .drawField = true},
              m_random);
}

void BoardPainter::drawAll(const Board& board, const BoardLook& look) {
    for (int y = 0; y < board.side(); ++y)
        for (int x = 0; x < board.side(); ++x)
            drawCell(board, look, x, y);
}

void BoardPainter::drawRings(const Board& board, const Marks& marks, const Directions& dirs,
                         const PlayerStyle& mover, int xx, int yy) {
    const double cw = m_cellW;
    const double ch = m_cellH;
    for (int d = 0; d <= dirs.lastDir; ++d) {
        const int x = xx + dirs.dx[static_cast<std::size_t>(d)];
        const int y = yy + dirs.dy[static_cast<std::size_t>(d)];
        if (board.safeAt(x, y) == kNoCell)
            continue;
        Rgb ring = kPlainRing;
        Rgb lines = kWhite;
        // A cell that is no free field carries no target mark (the core prunes these too).
        std::uint8_t mark = marks.at(x, y);
        if (board.safeAt(x, y) != kFreeCell && mark != Marks::kSelected)
            mark = Marks::kNone;
        switch (mark) {
            case Marks::kCopy:
                ring = mover.secondColour;
                break;
            case Marks::kJump:
                ring = mover.colour;
                lines = mover.secondColour;
                break;
            default:
                break;
        }
        for (double i = ch / 15; i <= ch / 6 + 1; i += 1) {
            m_pic.boxOutline(x * cw + i, y * ch + i, x * cw + cw - i, y * ch + ch - i, ring);
        }
        m_pic.boxOutline(x * cw + ch / 6 + 1, y * ch + ch / 6 + 1, x * cw + cw - ch / 6 - 1,
                         y * ch + ch - ch / 6 - 1, lines);
        m_pic.boxOutline(x * cw + ch / 6 - 1, y * ch + ch / 6 - 1, x * cw + cw - ch / 6 + 1,
                         y * ch + ch - ch / 6 + 1, lines);
    }
    m_pic.refresh();
}

std::array<int, 3> rayWidths(double cellW) {
    return {static_cast<int>(std::nearbyint(cellW / 4 * 3 / 6)),
            static_cast<int>(std::nearbyint(cellW / 4 * 3 / 12)), 1};
}

}  // namespace tomelin
