#pragma once
// The position of a game as a value, and the one rule set that every part of the game
// plays by: legal moves, making a move with its captures, whether a side can move, the fill
// of a side that cannot, the counts and the end of the game.
//
// API (stable; the computer players, perft, the turn sequence and the tool build on it):
//
//   Player               1 or 2; other(p) (opponent(p)) is the opponent, number(p) the 1/2 of the
//   records. Cell                 a board cell (x column from the left, y row from the top). Move
//   from, to and kind (copy or jump). A copy puts a new token on `to`
//                        whichever own neighbour it copies from: `from` is informational
//                        for a copy (the computer and the click path fill it in), and two
//                        copies onto the same cell have the same effect (sameEffect()).
//   Position             any side 2..16 with holes anywhere, both players' tokens and the
//                        player to move; compares by value and is cheap to copy.
//     fromBoardString / fromBoard / boardString / toBoard / at / counts
//     canMove(logic), legalMoves(logic, out), isLegal(logic, move)
//     play(logic, move) -> Played (the captured cells in neighbour-direction order); the
//                        mover is the player to move, who then passes the move on.
//     fillFree(receiver) -> the number of free cells that became the receiver's tokens.
//     isOver() (no free cell and at least one token), winner().
//     rules(): Tomelin's own rule or the standard game's (Rules::Ataxx); under the latter a
//     side without a move passes (pass()), the game also ends when a side has no token, when
//     neither side can move, or after 100 half-moves without a copy (isOver(logic)), and the
//     position counts half-moves and full moves as the standard notation does.
//   perft(position, logic, depth) in core/perft.h counts move paths on it.
//
// Layout: bit sets over cells numbered column by column (cell = x * stride + y, stride =
// side + 2), so that walking the bits in order visits the board in the game's scan order
// (columns from the left, each from the top), and two unused rows between columns keep every
// step of up to two cells from wrapping into another column. A side up to 7 fits one 64-bit
// word; 16 needs five.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/board.h"
#include "core/directions.h"
#include "core/player.h"
#include "core/ports.h"

namespace tomelin {

// The cell code of the player's tokens (10 or 20).
constexpr std::uint8_t tokenOf(Player p) {
    return static_cast<std::uint8_t>(10 * number(p));
}

using Cell = CellPos;

enum class MoveKind : std::uint8_t { Copy, Jump };

// The one rule difference between Tomelin's games and the standard game of the family.
enum class Rules : std::uint8_t {
    // A side that cannot move hands every free cell to its opponent, which ends the game.
    Tomelin,
    // A side that cannot move passes; the game ends when a side has no token, when neither
    // side can move (free cells stay free), or after 100 half-moves without a copy (a draw).
    Ataxx,
};
// Half-moves without a copy that end a game under the standard rules.
inline constexpr int kHalfmoveLimit = 100;

struct Move {
    Cell from;
    Cell to;
    MoveKind kind = MoveKind::Copy;
    bool operator==(const Move&) const = default;
    // Same change on the board: copies onto the same cell, or the same jump.
    bool sameEffect(const Move& m) const {
        return kind == m.kind && to == m.to && (kind == MoveKind::Copy || from == m.from);
    }
};

// The tokens that changed sides in one move, in the order of the neighbour directions.
struct Played {
    std::array<Cell, 8> captured{};
    int capturedCount = 0;
};

namespace bits {
inline constexpr int kMaxWords = 5;
using Words = std::array<std::uint64_t, kMaxWords>;
}  // namespace bits

class Position {
public:
    Position() = default;

    // A board string ("0X+-", n * n characters, 2 <= n <= 16); nothing for anything else.
    static std::optional<Position> fromBoardString(std::string_view s, Player toMove);
    // The playing area of a board grid (side 2..16).
    static std::optional<Position> fromBoard(const Board& board, Player toMove);

    int side() const { return m_side; }
    Player toMove() const { return m_toMove; }
    void setToMove(Player p) { m_toMove = p; }

    // Cell code (kNoCell, kFreeCell, kToken1, kToken2); cells off the board read kNoCell.
    std::uint8_t at(int x, int y) const;

    std::string boardString() const;
    // A board grid holding this position (margins empty).
    Board toBoard() const;

    Board::Counts counts() const;

    // The player to move has a legal move (a token with a free cell within reach).
    bool canMove(Logic logic) const;
    // Every distinct legal move of the player to move: one copy per free target (copied from
    // the first own neighbour in direction order), one jump per source and target; in scan
    // order of the target for copies, then of the source and direction for jumps.
    void legalMoves(Logic logic, std::vector<Move>& out) const;
    std::size_t moveCount(Logic logic) const;
    // Source holds a token of the player to move, target is free, and the kind matches the
    // offset (a copy's source may be any own neighbour of the target).
    bool isLegal(Logic logic, const Move& move) const;

    // Makes a legal move of the player to move and passes the move to the opponent. The
    // caller checks legality (isLegal); an illegal move leaves the position unchanged and
    // returns no captures.
    Played play(Logic logic, const Move& move);

    // Every free cell becomes a token of `receiver`; returns how many did.
    int fillFree(Player receiver);

    // No free cell is left and at least one token stands on the board.
    bool isOver() const;
    // 1 or 2 for more tokens, 0 for equal counts.
    int winner() const;

    Rules rules() const { return m_rules; }
    void setRules(Rules rules) { m_rules = rules; }
    // Half-moves since the last copy and the number of the full move (1 at the start; it
    // grows after player Two's move). Only the standard rules count them.
    int halfmoveClock() const { return m_halfmoves; }
    int fullmoveNumber() const { return m_fullmoves; }
    void setMoveCounters(int halfmoves, int fullmoves);

    // The game is over under the position's rules: isOver() for Tomelin's rule (a side that
    // cannot move is the turn sequence's business there); for the standard rules also a side
    // without tokens, neither side able to move, or the half-move limit reached.
    bool isOver(Logic logic) const;
    // The winner of a finished game under the position's rules: winner(), except that the
    // standard game's half-move limit draws while moves are left.
    int winner(Logic logic) const;
    // Under the standard rules: the side to move has no move and the game goes on.
    bool mustPass(Logic logic) const;
    // Makes the pass of a side that must pass; false (and nothing changes) otherwise.
    bool pass(Logic logic);

    bool operator==(const Position&) const = default;

    // Bit-level access for the rule engines (perft, the computer): cells as bit indices.
    int stride() const { return m_side + 2; }
    int words() const { return m_words; }
    int bitOf(int x, int y) const { return x * stride() + y; }
    Cell cellOf(int bit) const { return {bit / stride(), bit % stride()}; }
    const bits::Words& playable() const { return m_playable; }
    const bits::Words& tokens(Player p) const { return p == Player::One ? m_p1 : m_p2; }
    bits::Words freeCells() const;

private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < m_side && y < m_side; }
    bool test(const bits::Words& w, int bit) const {
        return (w[static_cast<std::size_t>(bit >> 6)] >> (bit & 63)) & 1U;
    }

    bits::Words m_playable{};
    bits::Words m_p1{};
    bits::Words m_p2{};
    std::uint8_t m_side = 0;
    std::uint8_t m_words = 0;
    Player m_toMove = Player::One;
    Rules m_rules = Rules::Tomelin;
    std::uint16_t m_halfmoves = 0;
    std::uint32_t m_fullmoves = 1;

    void countMove(bool resetsClock);
};

// Per-side, per-logic tables of the rule engines: for every cell bit its neighbours, its
// jump targets and its 7 x 7 window, each `words` words long.
struct Geometry {
    int side = 0;
    int stride = 0;
    int words = 0;
    int cells = 0;  // bits in use: side * stride
    std::vector<std::uint64_t> neighbours;
    std::vector<std::uint64_t> jumps;
    std::vector<std::uint64_t> window;
    // Bit offsets of the direction table's entries, in its order.
    std::array<int, 26> offset{};
    const std::uint64_t* neighboursOf(int bit) const {
        return neighbours.data() + static_cast<std::size_t>(bit * words);
    }
    const std::uint64_t* jumpsOf(int bit) const {
        return jumps.data() + static_cast<std::size_t>(bit * words);
    }
    const std::uint64_t* windowOf(int bit) const {
        return window.data() + static_cast<std::size_t>(bit * words);
    }
};
// Built once per side and logic, kept for the run.
const Geometry& geometry(int side, Logic logic);

}  // namespace tomelin
