#include "editor/board_edit.h"

#include <algorithm>
#include <cmath>

#include "core/board.h"
#include "core/texts.h"
#include "core/fen.h"

namespace tomelin {

const char* boardRefusalText(BoardRefusal refusal) {
    switch (refusal) {
        case BoardRefusal::NoFreeCell:
            return TOMELIN_TR_NOOP("BoardEditor", "Není žádné volné políčko.");
        case BoardRefusal::NoPlayer1Token:
            return TOMELIN_TR_NOOP("BoardEditor", "Nejsou žádné figurky hráče 1");
        case BoardRefusal::NoPlayer2Token:
            return TOMELIN_TR_NOOP("BoardEditor", "Nejsou žádné figurky hráče 2");
    }
    return "";
}

char editCellChar(EditCell code) {
    switch (code) {
        case EditCell::NoCell:
            return '0';
        case EditCell::Free:
            return 'X';
        case EditCell::Player1:
            return '+';
        case EditCell::Player2:
            return '-';
    }
    return '0';
}

std::optional<EditCell> editCellFromChar(char c) {
    switch (c) {
        case '0':
            return EditCell::NoCell;
        case 'X':
            return EditCell::Free;
        case '+':
            return EditCell::Player1;
        case '-':
            return EditCell::Player2;
        default:
            return std::nullopt;
    }
}

BoardEdit::BoardEdit() {
    m_cells.fill(EditCell::Free);
}

bool BoardEdit::load(std::string_view boardString) {
    m_cells.fill(EditCell::Free);
    m_tool = EditCell::Free;
    if (checkBoardString(boardString).has_value()) {
        return false;
    }
    const int n = boardStringSide(boardString);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            // checkBoardString has accepted every character, so each has a code.
            m_cells[r * kGridSize + c] =
                editCellFromChar(boardString[static_cast<std::size_t>(r * n + c)])
                    .value_or(EditCell::NoCell);
        }
    }
    // Cropping or padding a board made elsewhere would save another board under its name.
    m_minSide = std::min<int>(kMinSide, n);
    m_maxSide = std::max<int>(kMaxSide, std::min<int>(n, kGridSize));
    m_side = n;
    return true;
}

bool BoardEdit::shrink() {
    if (m_side <= m_minSide) {
        return false;
    }
    --m_side;
    return true;
}

bool BoardEdit::grow() {
    if (m_side >= m_maxSide) {
        return false;
    }
    ++m_side;
    return true;
}

EditCell BoardEdit::at(int column, int row) const {
    if (column < 0 || column >= kGridSize || row < 0 || row >= kGridSize) {
        return EditCell::NoCell;
    }
    return m_cells[row * kGridSize + column];
}

EditCell BoardEdit::cycleTool() {
    m_tool = static_cast<EditCell>((static_cast<int>(m_tool) + 1) % 4);
    return m_tool;
}

EditPos BoardEdit::cellAt(double x, double y, double canvasWidth, double canvasHeight) const {
    const auto index = [this](double p, double extent) {
        if (!(extent > 0.0)) {
            return 0;
        }
        // Compare in doubles first: a point far outside the canvas must not overflow an int.
        const double cell = std::floor(p / (extent / m_side));
        return static_cast<int>(std::clamp(cell, 0.0, static_cast<double>(m_side - 1)));
    };
    return {index(x, canvasWidth), index(y, canvasHeight)};
}

bool BoardEdit::paintOne(int column, int row, EditCell code) {
    EditCell& cell = m_cells[row * kGridSize + column];
    if (cell == code) {
        return false;
    }
    cell = code;
    return true;
}

std::vector<EditPos> BoardEdit::paint(EditPos cell) {
    std::vector<EditPos> changed;
    int c = std::clamp(cell.column, 0, m_side - 1);
    int r = std::clamp(cell.row, 0, m_side - 1);
    EditCell t = m_tool;
    if (paintOne(c, r, t)) {
        changed.push_back({c, r});
    }
    if (!m_mirror) {
        return changed;
    }
    // The opposite cell through the centre, with the two players' tokens exchanged, keeps
    // the board symmetric under a half turn.
    c = m_side - 1 - c;
    r = m_side - 1 - r;
    if (t == EditCell::Player1) {
        t = EditCell::Player2;
    } else if (t == EditCell::Player2) {
        t = EditCell::Player1;
    }
    if (paintOne(c, r, t)) {
        changed.push_back({c, r});
    }
    return changed;
}

std::string BoardEdit::boardString() const {
    std::string s;
    s.reserve(static_cast<std::size_t>(m_side * m_side));
    for (int r = 0; r < m_side; ++r) {
        for (int c = 0; c < m_side; ++c) {
            s.push_back(editCellChar(at(c, r)));
        }
    }
    return s;
}

std::optional<BoardRefusal> BoardEdit::saveRefusal() const {
    int free = 0;
    int player1 = 0;
    int player2 = 0;
    for (int r = 0; r < m_side; ++r) {
        for (int c = 0; c < m_side; ++c) {
            switch (at(c, r)) {
                case EditCell::Free:
                    ++free;
                    break;
                case EditCell::Player1:
                    ++player1;
                    break;
                case EditCell::Player2:
                    ++player2;
                    break;
                case EditCell::NoCell:
                    break;
            }
        }
    }
    if (free == 0) {
        return BoardRefusal::NoFreeCell;
    }
    if (player1 == 0) {
        return BoardRefusal::NoPlayer1Token;
    }
    if (player2 == 0) {
        return BoardRefusal::NoPlayer2Token;
    }
    return std::nullopt;
}

std::string boardStringFromFen(std::string_view fen) {
    const FenResult read = readFen(fen);
    return read.position ? read.position->boardString() : std::string();
}

}  // namespace tomelin
