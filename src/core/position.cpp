#include "core/position.h"

#include <algorithm>
#include <memory>
#include <mutex>

#include "core/bits.h"
#include "core/winner.h"

namespace tomelin {

namespace {

using bits::Bits;
using bits::Words;

void setBit(Words& w, int bit) {
    w[static_cast<std::size_t>(bit >> 6)] |= std::uint64_t{1} << (bit & 63);
}
void clearBit(Words& w, int bit) {
    w[static_cast<std::size_t>(bit >> 6)] &= ~(std::uint64_t{1} << (bit & 63));
}
bool testBit(const std::uint64_t* w, int bit) {
    return (w[bit >> 6] >> (bit & 63)) & 1U;
}

std::unique_ptr<Geometry> buildGeometry(int side, Logic logic) {
    auto g = std::make_unique<Geometry>();
    g->side = side;
    g->stride = side + 2;
    g->cells = side * g->stride;
    g->words = (g->cells + 63) / 64;
    const auto size = static_cast<std::size_t>(g->cells * g->words);
    g->neighbours.assign(size, 0);
    g->jumps.assign(size, 0);
    g->window.assign(size, 0);
    const Directions& dirs = Directions::of(logic);
    for (int d = 0; d < dirs.count(); ++d) {
        const auto du = static_cast<std::size_t>(d);
        g->offset[du] = dirs.dx[du] * g->stride + dirs.dy[du];
    }
    auto set = [&](std::vector<std::uint64_t>& table, int bit, int x, int y) {
        const int target = x * g->stride + y;
        table[static_cast<std::size_t>(bit * g->words + (target >> 6))] |= std::uint64_t{1}
                                                                           << (target & 63);
    };
    auto inside = [side](int x, int y) { return x >= 0 && y >= 0 && x < side && y < side; };
    for (int x = 0; x < side; ++x) {
        for (int y = 0; y < side; ++y) {
            const int bit = x * g->stride + y;
            for (int d = 0; d < dirs.count(); ++d) {
                const auto du = static_cast<std::size_t>(d);
                const int tx = x + dirs.dx[du], ty = y + dirs.dy[du];
                if (!inside(tx, ty))
                    continue;
                set(dirs.kind[du] == Directions::kCopyKind ? g->neighbours : g->jumps, bit, tx, ty);
            }
            for (int wx = x - 3; wx <= x + 3; ++wx) {
                for (int wy = y - 3; wy <= y + 3; ++wy) {
                    if (inside(wx, wy))
                        set(g->window, bit, wx, wy);
                }
            }
        }
    }
    return g;
}

// Captures of a move onto `target` by `own` against `opp`, in neighbour-direction order.
Played capturesInOrder(const Position& pos, Logic logic, int target, const Words& opp) {
    Played played;
    const Geometry& g = geometry(pos.side(), logic);
    const Directions& dirs = Directions::of(logic);
    const Cell t = pos.cellOf(target);
    for (int e = 0; e < dirs.neighbourCount(); ++e) {
        const auto eu = static_cast<std::size_t>(e);
        const int x = t.x + dirs.dx[eu], y = t.y + dirs.dy[eu];
        if (x < 0 || y < 0 || x >= pos.side() || y >= pos.side())
            continue;
        if (testBit(opp.data(), target + g.offset[eu]))
            played.captured[static_cast<std::size_t>(played.capturedCount++)] = {x, y};
    }
    return played;
}

}  // namespace

const Geometry& geometry(int side, Logic logic) {
    static std::array<std::unique_ptr<Geometry>, 2 * (kMaxSide + 1)> cache;
    static std::array<std::once_flag, 2 * (kMaxSide + 1)> once;
    const auto i = static_cast<std::size_t>(2 * side + (logic == Logic::Star ? 0 : 1));
    std::call_once(once[i], [&] { cache[i] = buildGeometry(side, logic); });
    return *cache[i];
}

std::optional<Position> Position::fromBoardString(std::string_view s, Player toMove) {
    if (checkBoardString(s))
        return std::nullopt;
    Board board;
    LoadBoardDescriptor(board, std::string(s).append("1"));
    return fromBoard(board, toMove);
}

std::optional<Position> Position::fromBoard(const Board& board, Player toMove) {
    const int n = board.side();
    if (n < kMinSide || n > kMaxSide)
        return std::nullopt;
    Position p;
    p.m_side = static_cast<std::uint8_t>(n);
    p.m_words = static_cast<std::uint8_t>(geometry(n, Logic::Star).words);
    p.m_toMove = toMove;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int bit = p.bitOf(x, y);
            switch (board.at(x, y)) {
                case kToken1:
                    setBit(p.m_p1, bit);
                    setBit(p.m_playable, bit);
                    break;
                case kToken2:
                    setBit(p.m_p2, bit);
                    setBit(p.m_playable, bit);
                    break;
                case kFreeCell:
                    setBit(p.m_playable, bit);
                    break;
                default:
                    break;
            }
        }
    }
    return p;
}

std::uint8_t Position::at(int x, int y) const {
    if (!inside(x, y))
        return kNoCell;
    const int bit = bitOf(x, y);
    if (test(m_p1, bit))
        return kToken1;
    if (test(m_p2, bit))
        return kToken2;
    return test(m_playable, bit) ? kFreeCell : kNoCell;
}

std::string Position::boardString() const {
    std::string s;
    s.reserve(static_cast<std::size_t>(m_side * m_side));
    for (int y = 0; y < m_side; ++y) {
        for (int x = 0; x < m_side; ++x) {
            switch (at(x, y)) {
                case kToken1:
                    s.push_back('+');
                    break;
                case kToken2:
                    s.push_back('-');
                    break;
                case kFreeCell:
                    s.push_back('X');
                    break;
                default:
                    s.push_back('0');
                    break;
            }
        }
    }
    return s;
}

Board Position::toBoard() const {
    Board b;
    b.setSide(m_side);
    for (int x = 0; x < m_side; ++x) {
        for (int y = 0; y < m_side; ++y)
            b.set(x, y, at(x, y));
    }
    return b;
}

Words Position::freeCells() const {
    Words f{};
    for (std::size_t i = 0; i < bits::kMaxWords; ++i)
        f[i] = m_playable[i] & ~(m_p1[i] | m_p2[i]);
    return f;
}

Board::Counts Position::counts() const {
    Board::Counts c;
    const Words f = freeCells();
    for (std::size_t i = 0; i < bits::kMaxWords; ++i) {
        c.free += bits::popcount(f[i]);
        c.tokens1 += bits::popcount(m_p1[i]);
        c.tokens2 += bits::popcount(m_p2[i]);
    }
    return c;
}

bool Position::canMove(Logic logic) const {
    const bool star = logic == Logic::Star;
    return bits::withWords(m_words, [&]<int W>() {
        const auto own = Bits<W>::load(tokens(m_toMove));
        const auto empty = Bits<W>::load(freeCells());
        return (bits::reach(own, star, stride()) & empty).any();
    });
}

void Position::legalMoves(Logic logic, std::vector<Move>& out) const {
    out.clear();
    const Geometry& g = geometry(m_side, logic);
    const bool star = logic == Logic::Star;
    const Directions& dirs = Directions::of(logic);
    bits::withWords(m_words, [&]<int W>() {
        const auto own = Bits<W>::load(tokens(m_toMove));
        const auto empty = Bits<W>::load(freeCells());
        (bits::neighbourhood(own, star, stride()) & empty).forEach([&](int t) {
            // The first own neighbour in direction order is named as the source.
            for (int e = 0; e < dirs.neighbourCount(); ++e) {
                const int s = t + g.offset[static_cast<std::size_t>(e)];
                if (s >= 0 && s < g.cells && own.test(s) && testBit(g.neighboursOf(t), s)) {
                    out.push_back({cellOf(s), cellOf(t), MoveKind::Copy});
                    break;
                }
            }
        });
        own.forEach([&](int s) {
            (Bits<W>::load(g.jumpsOf(s)) & empty).forEach([&](int t) {
                out.push_back({cellOf(s), cellOf(t), MoveKind::Jump});
            });
        });
    });
}

std::size_t Position::moveCount(Logic logic) const {
    const Geometry& g = geometry(m_side, logic);
    const bool star = logic == Logic::Star;
    return bits::withWords(m_words, [&]<int W>() {
        const auto own = Bits<W>::load(tokens(m_toMove));
        const auto empty = Bits<W>::load(freeCells());
        std::size_t n = static_cast<std::size_t>((bits::neighbourhood(own, star, stride()) & empty).count());
        own.forEach([&](int s) {
            n += static_cast<std::size_t>((Bits<W>::load(g.jumpsOf(s)) & empty).count());
        });
        return n;
    });
}

bool Position::isLegal(Logic logic, const Move& move) const {
    if (!inside(move.from.x, move.from.y) || !inside(move.to.x, move.to.y))
        return false;
    const int s = bitOf(move.from.x, move.from.y);
    const int t = bitOf(move.to.x, move.to.y);
    if (!test(tokens(m_toMove), s) || !test(freeCells(), t))
        return false;
    const Geometry& g = geometry(m_side, logic);
    return testBit(move.kind == MoveKind::Copy ? g.neighboursOf(s) : g.jumpsOf(s), t);
}

Played Position::play(Logic logic, const Move& move) {
    if (!isLegal(logic, move))
        return {};
    const int s = bitOf(move.from.x, move.from.y);
    const int t = bitOf(move.to.x, move.to.y);
    Words& own = m_toMove == Player::One ? m_p1 : m_p2;
    Words& opp = m_toMove == Player::One ? m_p2 : m_p1;
    const Played played = capturesInOrder(*this, logic, t, opp);
    const Geometry& g = geometry(m_side, logic);
    const std::uint64_t* nb = g.neighboursOf(t);
    for (std::size_t i = 0; i < m_words; ++i) {
        const std::uint64_t captured = nb[i] & opp[i];
        opp[i] &= ~captured;
        own[i] |= captured;
    }
    setBit(own, t);
    if (move.kind == MoveKind::Jump)
        clearBit(own, s);
    if (m_rules == Rules::Ataxx)
        countMove(move.kind == MoveKind::Copy);
    m_toMove = other(m_toMove);
    return played;
}

void Position::setMoveCounters(int halfmoves, int fullmoves) {
    m_halfmoves = static_cast<std::uint16_t>(std::clamp(halfmoves, 0, 0xFFFF));
    m_fullmoves = static_cast<std::uint32_t>(std::max(fullmoves, 1));
}

void Position::countMove(bool resetsClock) {
    m_halfmoves = resetsClock ? 0 : static_cast<std::uint16_t>(std::min(m_halfmoves + 1, 0xFFFF));
    if (m_toMove == Player::Two)
        ++m_fullmoves;
}

bool Position::isOver(Logic logic) const {
    if (m_rules == Rules::Tomelin)
        return isOver();
    const Board::Counts c = counts();
    if (c.tokens1 == 0 || c.tokens2 == 0 || c.free == 0 || m_halfmoves >= kHalfmoveLimit)
        return true;
    Position them = *this;
    them.m_toMove = other(m_toMove);
    return !canMove(logic) && !them.canMove(logic);
}

int Position::winner(Logic logic) const {
    if (m_rules == Rules::Ataxx && m_halfmoves >= kHalfmoveLimit) {
        const Board::Counts c = counts();
        Position them = *this;
        them.m_toMove = other(m_toMove);
        const bool movesLeft = c.tokens1 > 0 && c.tokens2 > 0 && (canMove(logic) || them.canMove(logic));
        if (movesLeft)
            return 0;
    }
    return winner();
}

bool Position::mustPass(Logic logic) const {
    return m_rules == Rules::Ataxx && !canMove(logic) && !isOver(logic);
}

bool Position::pass(Logic logic) {
    if (!mustPass(logic))
        return false;
    countMove(false);
    m_toMove = other(m_toMove);
    return true;
}

int Position::fillFree(Player receiver) {
    const Words f = freeCells();
    Words& own = receiver == Player::One ? m_p1 : m_p2;
    int filled = 0;
    for (std::size_t i = 0; i < bits::kMaxWords; ++i) {
        filled += bits::popcount(f[i]);
        own[i] |= f[i];
    }
    return filled;
}

bool Position::isOver() const {
    const Board::Counts c = counts();
    return c.free == 0 && c.tokens1 + c.tokens2 > 0;
}

int Position::winner() const {
    const Board::Counts c = counts();
    return winnerOfCounts(c.tokens1, c.tokens2);
}

}  // namespace tomelin
