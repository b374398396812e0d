// The computer player: its move scores against an independent play-and-count reference, its
// choice among tied moves, and how a pending computer move meets the window's commands.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "core/computer.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using namespace test;

int tokenDifference(const Board& b, int p) {
    const auto c = b.count();
    return p == 1 ? c.tokens1 - c.tokens2 : c.tokens2 - c.tokens1;
}

// Every move of p in scan order, scored by playing it on a copy and counting tokens: the
// gain (strength 2) or the gain less the opponent's best gain in reply (strength 3).
std::vector<Candidate> referenceCandidates(const Board& b, const Directions& dirs, int p,
                                           int strength) {
    std::vector<Candidate> out;
    for (int x = 0; x < b.side(); ++x) {
        for (int y = 0; y < b.side(); ++y) {
            if (b.at(x, y) != tokenOf(p))
                continue;
            for (std::size_t d = 0; d < static_cast<std::size_t>(dirs.count()); ++d) {
                const int tx = x + dirs.dx[d], ty = y + dirs.dy[d];
                if (b.at(tx, ty) != kFreeCell)
                    continue;
                Board after = b;
                after.set(tx, ty, tokenOf(p));
                if (static_cast<int>(d) >= dirs.neighbourCount())  // a jump
                    after.set(x, y, kFreeCell);
                for (std::size_t e = 0; e < static_cast<std::size_t>(dirs.neighbourCount()); ++e) {
                    if (after.at(tx + dirs.dx[e], ty + dirs.dy[e]) == tokenOf(3 - p))
                        after.set(tx + dirs.dx[e], ty + dirs.dy[e], tokenOf(p));
                }
                const int gain = tokenDifference(after, p) - tokenDifference(b, p);
                int reply = 0;  // the opponent's best immediate gain, none below 0
                if (strength == 3) {
                    for (const Candidate& r : referenceCandidates(after, dirs, 3 - p, 2))
                        reply = std::max(reply, r.score);
                }
                const MoveKind kind =
                    static_cast<int>(d) < dirs.neighbourCount() ? MoveKind::Copy : MoveKind::Jump;
                out.push_back({{{x, y}, {tx, ty}, kind}, gain - reply});
            }
        }
    }
    return out;
}

TEST(ComputerSearch, MatchesThePlayAndCountReferenceOnRandomPositions) {
    std::mt19937 rng(1234);
    std::vector<std::string> boards = {rows("+0/0-/")};  // no move at all
    for (int round = 0; round < 40; ++round) {
        std::string s;
        for (int i = 0, n = 3 + static_cast<int>(rng() % 6); i < n * n; ++i)
            s.push_back("XXX+-0"[rng() % 6]);
        boards.push_back(s);
    }
    ComputerSearch search;
    for (const std::string& s : boards) {
        for (int i = 0; i < 16; ++i) {
            const Logic logic = i < 8 ? Logic::Star : Logic::Cross;
            const Directions& dirs = Directions::of(logic);
            const int p = 1 + i % 2, strength = 2 + (i / 2) % 2;
            SCOPED_TRACE(s + " p" + std::to_string(p) + " s" + std::to_string(strength));
            const auto got = search.run(*Position::fromBoardString(s, playerOf(p)), logic, strength,
                                        std::nullopt);
            const auto want = referenceCandidates(boardFrom(s), dirs, p, strength);
            ASSERT_EQ(*got.candidates, want);
            int best = std::numeric_limits<int>::min();
            for (const Candidate& c : want)
                best = std::max(best, c.score);
            std::vector<int> ties;
            for (std::size_t k = 0; k < want.size(); ++k) {
                if (want[k].score == best)
                    ties.push_back(static_cast<int>(k));
            }
            EXPECT_EQ(*got.best, ties);
            if (!want.empty()) {
                EXPECT_EQ(got.bestScore, best);
            }
        }
    }
}

TEST(ComputerSearch, ScoresAWorkedExampleAtEveryStrength) {
    // Cross logic, player 1's token at (1, 0) above three opposing tokens around (1, 1):
    //   X + X      copies onto (2, 0) and (0, 0) capture one token each (gain 3), the copy
    //   - X -      onto (1, 1) captures all three (gain 7). After either small copy the
    //   X - X      opponent answers onto (1, 1) capturing two (gain 5); after the big one
    //              the opponent has no token left.
    const Position p = *Position::fromBoardString(rows("X+X/-X-/X-X/"), Player::One);
    const std::pair<int, std::vector<int>> cases[] = {
        {0, {997, 993, 997}}, {1, {1, 3, 1}}, {2, {3, 7, 3}}, {3, {-2, 7, -2}}};
    ComputerSearch search;
    for (const auto& [strength, scores] : cases) {
        const auto r = search.run(p, Logic::Cross, strength, std::nullopt);
        ASSERT_EQ(r.candidates->size(), 3u);
        for (std::size_t k = 0; k < 3; ++k)
            EXPECT_EQ((*r.candidates)[k].score, scores[k]) << strength << ' ' << k;
        EXPECT_EQ((*r.candidates)[0].move, (Move{{1, 0}, {2, 0}, MoveKind::Copy}));
        EXPECT_EQ((*r.candidates)[1].move, (Move{{1, 0}, {1, 1}, MoveKind::Copy}));
        EXPECT_EQ((*r.candidates)[2].move, (Move{{1, 0}, {0, 0}, MoveKind::Copy}));
        const std::vector<int> ties = strength == 0 ? std::vector<int>{0, 2} : std::vector<int>{1};
        EXPECT_EQ(*r.best, ties);
    }
}

TEST(ComputerSearch, StrengthThreeSeesOnlyWindowsAroundTheCandidateAndTheLastMove) {
    std::string s(15 * 15, 'X');
    s[1 * 15 + 1] = '+';
    s[10 * 15 + 10] = '-';
    // No last move: the whole board is seen, the opponent always has a plain copy (0);
    // a last move far from (10,10) leaves the opponent outside every window (1); a last
    // move whose window holds (10,10) shows it again.
    const std::pair<std::optional<LastMove>, int> cases[] = {
        {std::nullopt, 0}, {LastMove{{5, 12}, {5, 13}}, 1}, {LastMove{{5, 12}, {10, 12}}, 0}};
    ComputerSearch search;
    for (const auto& [last, score] : cases) {
        const auto* cs =
            search.run(*Position::fromBoardString(s, Player::One), Logic::Star, 3, last).candidates;
        const Candidate want{{{1, 1}, {2, 2}, MoveKind::Copy}, score};
        EXPECT_NE(std::find(cs->begin(), cs->end(), want), cs->end())
            << (last ? last->target.x : -1);
    }
}

// Returns the same number every time.
struct FixedRandom : RandomSource {
    explicit FixedRandom(double v) : value(v) {}
    double value;
    double next() override { return value; }
};

TEST(ComputerPlayer, PicksAmongAllTiedBestCandidatesByTheRandomNumber) {
    // Cross logic, strength 1: the copy (2,2)->(2,1) captures (2,0) and the jump
    // (2,2)->(2,4) captures (2,5); halved, both score 1 and tie in this scan order.
    const std::string board = rows("XX-XXX/XXXXXX/XX+XXX/XXXXXX/XXXXXX/XX-XXX/");
    for (double value : {0.0, 0.49, 0.5, 0.999999, 1.0, 7.0, -3.0, std::nan("")}) {
        FixedRandom random(value);
        GameHarness h(board, "2", "PC Začátečník", "Bob", {0, 0}, &random);
        h.timers.fire(GameTimer::ComputerClicks);
        EXPECT_EQ(h.game.selection().selected(), (CellPos{2, 2}));
        EXPECT_EQ(h.timers.interval(GameTimer::ComputerClicks), 750);
        h.timers.fire(GameTimer::ComputerClicks);
        EXPECT_FALSE(h.game.computerMovePending());
        EXPECT_EQ(h.running(), "TimCHng TimerT");
        // Values outside [0, 1) are clamped into it; NaN counts as 0.
        EXPECT_EQ(*h.game.lastMoveTarget(), !(value >= 0.5) ? (CellPos{2, 1}) : (CellPos{2, 4}))
            << value;
    }
}

TEST(ComputerPlayer, OnlyLegalMoveIsPlayedAndProgressIsReported) {
    GameHarness h("+X" + std::string(45, '0') + "X-", "1", "PC Génius", "Bob");
    ASSERT_EQ(h.observer.progressScales.size(), 49u);
    EXPECT_EQ(h.observer.progressScales.front(), 41);
    // Int(100 k / 48) after k of 49 cells: 2 first, 100 after 48 cells, 102 at the end.
    ASSERT_EQ(h.observer.percents.size(), 49u);
    EXPECT_EQ(h.observer.percents.front(), 2);
    EXPECT_EQ(h.observer.percents[46], 97);
    EXPECT_EQ(h.observer.percents[47], 100);
    EXPECT_EQ(h.observer.percents.back(), 102);
    h.playComputerMove();
    EXPECT_EQ(h.game.position().toBoard().at(1, 0), kToken1);
    EXPECT_EQ(h.game.playerToMove(), Player::Two);
}

TEST(ComputerPlayer, FullRedrawParksTheLastMoveAndKeepsThePendingMove) {
    GameHarness h(original(), "1", "Alice", "PC Génius");
    h.move(0, 0, 1, 1);
    ASSERT_TRUE(h.game.lastMoveSource().has_value());
    h.timers.fire(GameTimer::ComputerClicks);  // the computer selected its token
    h.game.fullRedrawDone();                   // e.g. the window was resized
    EXPECT_FALSE(h.game.lastMoveSource().has_value());
    EXPECT_EQ(h.game.selection().state(), 0);
    EXPECT_EQ(h.observer.score[2], 116);
    h.timers.fire(GameTimer::ComputerClicks);
    ASSERT_TRUE(h.timers.fire(GameTimer::TurnChange));
    EXPECT_EQ(h.game.movesMade(), 2);
    EXPECT_EQ(h.game.playerToMove(), Player::One);
}

TEST(ComputerCancellation, RestartAndNewGameDropThePendingMove) {
    GameHarness h(original(), "1", "PC Profesionál", "Bob");
    h.timers.fire(GameTimer::ComputerClicks);  // first click given: a token is selected
    h.game.restart();
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_EQ(h.game.selection().state(), 0);
    EXPECT_EQ(h.running(), "Timer1");
    h.timers.fire(GameTimer::Start);
    h.timers.fire(GameTimer::TurnChange);
    // The new game's computer chooses afresh and plays on the new board.
    h.playComputerMove();
    EXPECT_EQ(h.game.position().toBoard().count().tokens1, 3);
    h.move(10, 0, 9, 1);
    ASSERT_TRUE(h.game.computerMovePending());
    h.game.leave();
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_EQ(h.running(), "");
}

TEST(ComputerCancellation, TakeBackDropsThePendingMoveAndTheComputerAnswersAfresh) {
    GameHarness h(original(), "1", "Alice", "PC Profesionál");
    h.move(0, 0, 1, 1);
    h.timers.fire(GameTimer::ComputerClicks);  // the computer has selected its token
    h.game.takeBack(1);
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_EQ(h.game.selection().state(), 0);
    EXPECT_EQ(h.running(), "TimCHng TimerT");
    EXPECT_EQ(h.game.position().toBoard(), boardFrom(original()));
    h.timers.fire(GameTimer::TurnChange);
    h.move(0, 0, 0, 1);
    h.playComputerMove();
    EXPECT_EQ(h.game.position().toBoard().at(1, 1), kFreeCell);
    EXPECT_EQ(h.game.position().toBoard().count().tokens2, 3);
    // Taking back two on the computer's turn hands it the turn again with a new search.
    h.move(0, 1, 0, 2);
    ASSERT_TRUE(h.game.computerMovePending());
    h.game.takeBack(2);
    EXPECT_FALSE(h.game.computerMovePending());
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.game.playerToMove(), Player::Two);
    EXPECT_TRUE(h.game.computerMovePending());
}

}  // namespace
}  // namespace tomelin
