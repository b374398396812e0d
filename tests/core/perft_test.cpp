// The perft table: move-path counts of the built-in boards and of boards with holes and a
// stuck player, pinned, and each checked against a counter written only for this check.

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "core/perft.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using namespace test;

// Deliberately plain: the board is a string of board-string characters, every move is
// played on a copy, and reach is decided by the distance rules of each logic rather than by
// a direction table. A copy is one move per target (whichever neighbour copies); a jump one
// move per source and target; a side without moves ends the line.
class PlainCounter {
public:
    PlainCounter(int side, bool star) : m_n(side), m_star(star) {}

    std::uint64_t count(const std::string& b, char own, int depth) const {
        if (depth == 0)
            return 1;
        const char opp = own == '+' ? '-' : '+';
        std::uint64_t total = 0;
        for (int ty = 0; ty < m_n; ++ty) {
            for (int tx = 0; tx < m_n; ++tx) {
                if (cell(b, tx, ty) != 'X')
                    continue;
                bool copied = false;
                for (int sy = 0; sy < m_n; ++sy) {
                    for (int sx = 0; sx < m_n; ++sx) {
                        if (cell(b, sx, sy) != own)
                            continue;
                        const int kind = reach(sx - tx, sy - ty);
                        if (kind == kCopy && !copied) {
                            copied = true;
                            total += count(played(b, -1, -1, tx, ty, own, opp), opp, depth - 1);
                        } else if (kind == kJump) {
                            total += count(played(b, sx, sy, tx, ty, own, opp), opp, depth - 1);
                        }
                    }
                }
            }
        }
        return total;
    }

private:
    static constexpr int kNone = 0, kCopy = 1, kJump = 2;

    int reach(int dx, int dy) const {
        const int ax = std::abs(dx), ay = std::abs(dy);
        if (m_star) {
            const int d = std::max(ax, ay);
            return d == 1 ? kCopy : d == 2 ? kJump : kNone;
        }
        if (ax + ay == 1)
            return kCopy;
        if ((ax == 1 && ay == 1) || (ax + ay == 2 && (ax == 0 || ay == 0)))
            return kJump;
        return kNone;
    }

    char cell(const std::string& b, int x, int y) const {
        return b[static_cast<std::size_t>(y * m_n + x)];
    }

    std::string played(std::string b, int sx, int sy, int tx, int ty, char own, char opp) const {
        b[static_cast<std::size_t>(ty * m_n + tx)] = own;
        if (sx >= 0)
            b[static_cast<std::size_t>(sy * m_n + sx)] = 'X';
        for (int y = 0; y < m_n; ++y) {
            for (int x = 0; x < m_n; ++x) {
                if (cell(b, x, y) == opp && reach(x - tx, y - ty) == kCopy)
                    b[static_cast<std::size_t>(y * m_n + x)] = own;
            }
        }
        return b;
    }

    int m_n;
    bool m_star;
};

struct PerftRow {
    const char* name;  // a built-in board's name, or a board string
    Logic logic;
    int player;
    std::uint64_t nodes[4];  // depths 1..4
};

std::string boardOfRow(const PerftRow& row) {
    const BuiltinBoard* b = findBuiltinBoard(row.name);
    return b ? b->boardString : std::string(row.name);
}

const PerftRow kTable[] = {
    // Built-in boards, player 1 to move.
    {"Originál", Logic::Star, 1, {16, 256, 6496, 164836}},
    {"Originál", Logic::Cross, 1, {10, 100, 1420, 20164}},
    {"Dáma", Logic::Star, 1, {98, 9208, 907682, 86845417}},
    {"Dáma", Logic::Cross, 1, {31, 939, 33967, 1211779}},
    {"Čelem vzad", Logic::Star, 1, {52, 2665, 130673, 6374018}},
    {"Čelem vzad", Logic::Cross, 1, {24, 586, 16084, 446935}},
    {"Bitva", Logic::Star, 1, {280, 78395, 22248707, 6313730249}},
    {"Bitva", Logic::Cross, 1, {80, 6399, 552600, 47713078}},
    {"Špionáž", Logic::Star, 1, {44, 1894, 96306, 4863028}},
    {"Špionáž", Logic::Cross, 1, {26, 684, 19674, 570702}},
    // Player 1 walled in by holes; player 2 moves, then player 1 is stuck and the line ends.
    {"+00X000X000XXXX-", Logic::Star, 1, {0, 0, 0, 0}},
    {"+00X000X000XXXX-", Logic::Cross, 1, {0, 0, 0, 0}},
    {"+00X000X000XXXX-", Logic::Star, 2, {4, 0, 0, 0}},
    {"+00X000X000XXXX-", Logic::Cross, 2, {4, 0, 0, 0}},
    // Holes scattered over a 5 x 5 board, either player to move.
    {"X+XX0XX-X0XX0XXX-0XXXX+X0", Logic::Star, 1, {19, 258, 4783, 67609}},
    {"X+XX0XX-X0XX0XXX-0XXXX+X0", Logic::Cross, 1, {10, 111, 1241, 13702}},
    {"X+XX0XX-X0XX0XXX-0XXXX+X0", Logic::Star, 2, {23, 334, 5678, 87139}},
    {"X+XX0XX-X0XX0XXX-0XXXX+X0", Logic::Cross, 2, {14, 120, 1544, 15933}},
};

// The plain counter is slow and everything is slow under the sanitizers, so by default it
// checks lines of up to 3 million paths and the rule set lines of up to 100 million (Bitva's
// star depth 4 is six billion). TOMELIN_PERFT_LIMIT=N raises the plain counter's limit to N
// and lifts the other.
struct Limits {
    std::uint64_t plain = 3'000'000;
    std::uint64_t fast = 100'000'000;
};
Limits limits() {
    Limits l;
    if (const char* env = std::getenv("TOMELIN_PERFT_LIMIT")) {
        l.plain = std::strtoull(env, nullptr, 10);
        l.fast = ~std::uint64_t{0};
    }
    return l;
}

TEST(PerftTable, PinnedCountsAgreeWithThePlainCounter) {
    const Limits limit = limits();
    for (const PerftRow& row : kTable) {
        const std::string s = boardOfRow(row);
        const Position position = *Position::fromBoardString(s, playerOf(row.player));
        const PlainCounter plain(position.side(), row.logic == Logic::Star);
        for (int depth = 1; depth <= 4; ++depth) {
            SCOPED_TRACE(std::string(row.name) + (row.logic == Logic::Star ? " star" : " cross") +
                         " p" + std::to_string(row.player) + " depth " + std::to_string(depth));
            const std::uint64_t want = row.nodes[depth - 1];
            if (want <= limit.fast) {
                EXPECT_EQ(perft(position, row.logic, depth), want);
            }
            if (want <= limit.plain) {
                EXPECT_EQ(plain.count(s, row.player == 1 ? '+' : '-', depth), want);
            }
        }
    }
}

TEST(PerftTable, RandomBoardsOfEverySideAgreeWithThePlainCounter) {
    // Every side from 2 to 16 crosses each width of the bit sets (one word up to 7, five at
    // 16) with holes and tokens anywhere, edges and corners included.
    std::mt19937 rng(77);
    for (int n = 2; n <= 16; ++n) {
        for (int round = 0; round < 3; ++round) {
            std::string s;
            for (int i = 0; i < n * n; ++i)
                s.push_back("XXXXX+-0"[rng() % 8]);
            const int depth = n <= 6 ? 3 : 2;
            for (Logic logic : {Logic::Star, Logic::Cross}) {
                SCOPED_TRACE(s + (logic == Logic::Star ? " star" : " cross"));
                const PlainCounter plain(n, logic == Logic::Star);
                const auto position = *Position::fromBoardString(s, Player::Two);
                EXPECT_EQ(perft(position, logic, depth), plain.count(s, '-', depth));
            }
        }
    }
}

TEST(PerftTable, DepthZeroIsTheEmptySequenceEvenForAStuckSide) {
    EXPECT_EQ(perft(*Position::fromBoardString(original(), Player::One), Logic::Star, 0), 1u);
    EXPECT_EQ(perft(*Position::fromBoardString("+00X000X000XXXX-", Player::One), Logic::Cross, 0),
              1u);
}

}  // namespace
}  // namespace tomelin
