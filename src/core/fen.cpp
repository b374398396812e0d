#include "core/fen.h"

#include <cstdint>
#include <vector>

namespace tomelin {

namespace {

// Splits at runs of spaces and tabs.
std::vector<std::string_view> fields(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t')
            ++i;
        if (i > start)
            out.push_back(s.substr(start, i - start));
    }
    return out;
}

// A decimal number of at most `maxDigits` digits and nothing else.
std::optional<int> number(std::string_view s, std::size_t maxDigits) {
    if (s.empty() || s.size() > maxDigits)
        return std::nullopt;
    int n = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

FenResult refuse(std::string why) {
    return {std::nullopt, std::move(why)};
}

}  // namespace

FenResult readFen(std::string_view fen) {
    if (fen.size() > 1024)
        return refuse("FEN too long");
    const std::vector<std::string_view> f = fields(fen);
    if (f.size() < 2 || f.size() > 4)
        return refuse("FEN needs a board and a side to move, then at most two counters");
    // The rows.
    std::vector<std::string_view> rows;
    std::size_t start = 0;
    const std::string_view board = f[0];
    for (std::size_t i = 0; i <= board.size(); ++i) {
        if (i == board.size() || board[i] == '/') {
            rows.push_back(board.substr(start, i - start));
            start = i + 1;
        }
    }
    const int n = static_cast<int>(rows.size());
    if (n < kMinSide || n > kMaxSide)
        return refuse("FEN board needs 2 to 16 rows");
    Board grid;
    grid.clear();
    grid.setSide(n);
    for (int y = 0; y < n; ++y) {
        const std::string_view row = rows[static_cast<std::size_t>(y)];
        int x = 0;
        std::size_t i = 0;
        while (i < row.size()) {
            const char c = row[i];
            if (c >= '0' && c <= '9') {
                std::size_t j = i;
                while (j < row.size() && row[j] >= '0' && row[j] <= '9')
                    ++j;
                const std::optional<int> run = number(row.substr(i, j - i), 2);
                if (!run || *run == 0 || x + *run > n)
                    return refuse("FEN row " + std::to_string(y + 1) + " has a bad count of free cells");
                for (int k = 0; k < *run; ++k)
                    grid.set(x++, y, kFreeCell);
                i = j;
                continue;
            }
            std::uint8_t code;
            switch (c) {
                case 'x':
                case 'X':
                    code = kToken1;
                    break;
                case 'o':
                case 'O':
                    code = kToken2;
                    break;
                case '-':
                    code = kNoCell;
                    break;
                default:
                    return refuse("FEN row " + std::to_string(y + 1) + " has a character other than x, o, - and digits");
            }
            if (x >= n)
                return refuse("FEN row " + std::to_string(y + 1) + " is longer than the board");
            grid.set(x++, y, code);
            ++i;
        }
        if (x != n)
            return refuse("FEN row " + std::to_string(y + 1) + " does not fill the board's " +
                          std::to_string(n) + " columns");
    }
    Player toMove;
    if (f[1] == "x" || f[1] == "X")
        toMove = Player::One;
    else if (f[1] == "o" || f[1] == "O")
        toMove = Player::Two;
    else
        return refuse("FEN side to move must be x or o");
    int halfmoves = 0, fullmoves = 1;
    if (f.size() >= 3) {
        const std::optional<int> h = number(f[2], 5);
        if (!h || *h > 0xFFFF)
            return refuse("FEN half-move clock must be a number from 0 to 65535");
        halfmoves = *h;
    }
    if (f.size() == 4) {
        const std::optional<int> m = number(f[3], 9);
        if (!m)
            return refuse("FEN full-move number must be a number");
        fullmoves = *m;
    }
    std::optional<Position> p = Position::fromBoard(grid, toMove);
    if (!p)
        return refuse("FEN board cannot be set up");
    p->setRules(Rules::Ataxx);
    p->setMoveCounters(halfmoves, fullmoves);
    return {p, {}};
}

std::string writeFen(const Position& position) {
    std::string s;
    const int n = position.side();
    for (int y = 0; y < n; ++y) {
        if (y > 0)
            s.push_back('/');
        int run = 0;
        for (int x = 0; x < n; ++x) {
            const std::uint8_t c = position.at(x, y);
            if (c == kFreeCell) {
                ++run;
                continue;
            }
            if (run > 0) {
                s += std::to_string(run);
                run = 0;
            }
            s.push_back(c == kToken1 ? 'x' : c == kToken2 ? 'o' : '-');
        }
        if (run > 0)
            s += std::to_string(run);
    }
    s += position.toMove() == Player::One ? " x " : " o ";
    s += std::to_string(position.halfmoveClock());
    s.push_back(' ');
    s += std::to_string(position.fullmoveNumber());
    return s;
}

std::string squareName(int side, Cell cell) {
    std::string s(1, static_cast<char>('a' + cell.x));
    s += std::to_string(side - cell.y);
    return s;
}

std::optional<Cell> parseSquare(int side, std::string_view text) {
    if (text.size() < 2 || text[0] < 'a' || text[0] >= 'a' + side)
        return std::nullopt;
    if (text[1] == '0')
        return std::nullopt;
    const std::optional<int> rank = number(text.substr(1), 2);
    if (!rank || *rank < 1 || *rank > side)
        return std::nullopt;
    return Cell{text[0] - 'a', side - *rank};
}

std::string moveText(int side, const Move& move) {
    if (move.kind == MoveKind::Copy)
        return squareName(side, move.to);
    return squareName(side, move.from) + squareName(side, move.to);
}

MoveParse parseMoveText(const Position& position, Logic logic, std::string_view text) {
    MoveParse r;
    if (text == kPassText) {
        r.kind = MoveParse::Kind::Pass;
        return r;
    }
    const int n = position.side();
    if (text.empty() || text.size() > 6 || n < kMinSide)
        return r;
    // The second square starts at the second letter.
    std::size_t split = text.size();
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] >= 'a' && text[i] <= 'z') {
            split = i;
            break;
        }
    }
    const std::optional<Cell> first = parseSquare(n, text.substr(0, split));
    if (!first)
        return r;
    const Directions& dirs = Directions::of(logic);
    if (split == text.size()) {
        // A copy: the first own neighbour in direction order is its source.
        Move m{*first, *first, MoveKind::Copy};
        const std::uint8_t own = tokenOf(position.toMove());
        for (int e = 0; e < dirs.neighbourCount(); ++e) {
            const auto eu = static_cast<std::size_t>(e);
            const Cell s{first->x + dirs.dx[eu], first->y + dirs.dy[eu]};
            if (position.at(s.x, s.y) == own) {
                m.from = s;
                break;
            }
        }
        r.kind = MoveParse::Kind::Move;
        r.move = m;
        return r;
    }
    const std::optional<Cell> second = parseSquare(n, text.substr(split));
    if (!second)
        return r;
    const int dx = second->x - first->x, dy = second->y - first->y;
    for (int d = 0; d < dirs.count(); ++d) {
        const auto du = static_cast<std::size_t>(d);
        if (dirs.dx[du] == dx && dirs.dy[du] == dy) {
            r.kind = MoveParse::Kind::Move;
            r.move = {*first, *second,
                      dirs.kind[du] == Directions::kCopyKind ? MoveKind::Copy : MoveKind::Jump};
            return r;
        }
    }
    return r;
}

}  // namespace tomelin
