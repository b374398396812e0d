#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "core/computer.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using test::boardFrom;
using test::GameHarness;
using test::rows;

// ---- An independent reference: play each move on a copy and compare token differences ----

int tokenDifference(const Board& b, int p) {
    const auto c = b.count();
    return p == 1 ? c.tokens1 - c.tokens2 : c.tokens2 - c.tokens1;
}

Board played(Board b, const Directions& dirs, int p, int fx, int fy, int tx, int ty) {
    const bool copy = std::max(std::abs(tx - fx), std::abs(ty - fy)) == 1 &&
                      (dirs.count() == 24 || std::abs(tx - fx) + std::abs(ty - fy) == 1);
    b.set(tx, ty, tokenOf(p));
    if (!copy)
        b.set(fx, fy, kFreeCell);
    for (int e = 0; e < dirs.neighbourCount(); ++e) {
        const auto eu = static_cast<std::size_t>(e);
        if (b.at(tx + dirs.dx[eu], ty + dirs.dy[eu]) == tokenOf(3 - p)) {
            b.set(tx + dirs.dx[eu], ty + dirs.dy[eu], tokenOf(p));
        }
    }
    return b;
}

std::vector<Candidate> referenceCandidates(const Board& b, const Directions& dirs, int p,
                                           int strength) {
    std::vector<Candidate> out;
    const int n = b.side();
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            if (b.at(x, y) != tokenOf(p))
                continue;
            for (int d = 0; d < dirs.count(); ++d) {
                const auto du = static_cast<std::size_t>(d);
                const int tx = x + dirs.dx[du], ty = y + dirs.dy[du];
                if (b.at(tx, ty) != kFreeCell)
                    continue;
                const Board after = played(b, dirs, p, x, y, tx, ty);
                int score = tokenDifference(after, p) - tokenDifference(b, p);
                if (strength == 3) {
                    int reply = 0;
                    for (const Candidate& r : referenceCandidates(after, dirs, 3 - p, 2)) {
                        reply = std::max(reply, r.score);
                    }
                    score -= reply;
                } else if (strength == 0) {
                    score = 1000 - score;
                } else if (strength == 1) {
                    score = score / 2;
                }
                out.push_back({x, y, tx, ty, score});
            }
        }
    }
    return out;
}

std::string randomBoard(std::mt19937& rng, int n) {
    const char cells[] = {'X', 'X', 'X', '+', '-', '0'};
    std::string s;
    for (int i = 0; i < n * n; ++i)
        s.push_back(cells[rng() % 6]);
    return s;
}

TEST(ComputerSearch, MatchesThePlayAndCountReferenceOnRandomPositions) {
    std::mt19937 rng(1234);
    ComputerSearch search;
    for (int round = 0; round < 40; ++round) {
        const int n = 3 + static_cast<int>(rng() % 6);
        const Board b = boardFrom(randomBoard(rng, n));
        for (Logic logic : {Logic::Star, Logic::Cross}) {
            const Directions& dirs = Directions::of(logic);
            for (int p = 1; p <= 2; ++p) {
                for (int s = 0; s <= 3; ++s) {
                    const auto got = search.run(b, dirs, p, s, std::nullopt);
                    const auto want = referenceCandidates(b, dirs, p, s);
                    ASSERT_EQ(*got.candidates, want) << boardString(b) << " p" << p << " s" << s;
                    if (want.empty()) {
                        EXPECT_TRUE(got.best->empty());
                        continue;
                    }
                    int best = want.front().score;
                    for (const auto& c : want)
                        best = std::max(best, c.score);
                    EXPECT_EQ(got.bestScore, best);
                    std::vector<int> ties;
                    for (std::size_t i = 0; i < want.size(); ++i) {
                        if (want[i].score == best)
                            ties.push_back(static_cast<int>(i));
                    }
                    EXPECT_EQ(*got.best, ties);
                }
            }
        }
    }
}

const Candidate* findCandidate(const std::vector<Candidate>& cs, int fx, int fy, int tx, int ty) {
    for (const auto& c : cs) {
        if (c.fromX == fx && c.fromY == fy && c.toX == tx && c.toY == ty)
            return &c;
    }
    return nullptr;
}

TEST(ComputerSearch, StrengthTwoAlwaysTakesTheCopyCapturingThree) {
    const Board b = boardFrom(rows({"XXXXXX", "X---XX", "XXXXXX", "XX+XXX", "XXXXXX", "XXXXXX"}));
    ComputerSearch search;
    const auto r = search.run(b, Directions::cross(), 1, 2, std::nullopt);
    ASSERT_EQ(r.best->size(), 1u);
    EXPECT_EQ(r.bestScore, 3);  // cross logic: the copy onto (2,2) captures (2,1) only
    const auto star = search.run(b, Directions::star(), 1, 2, std::nullopt);
    ASSERT_EQ(star.best->size(), 1u);
    const Candidate& c = (*star.candidates)[static_cast<std::size_t>(star.best->front())];
    EXPECT_EQ(c, (Candidate{2, 3, 2, 2, 7}));
}

// Cross logic; player 1 at (2,2) with exactly one capturing copy and one capturing jump.
std::string tieBoard() {
    return rows({"XX-XXX", "XXXXXX", "XX+XXX", "XXXXXX", "XXXXXX", "XX-XXX"});
}

TEST(ComputerSearch, StrengthOneHalvesSoCopiesAndJumpsWithoutCapturesTie) {
    // Cross logic: the copy (2,2)->(2,1) captures (2,0): gain 3; the jump (2,2)->(2,4)
    // captures (2,5): gain 2; both score 1. Plain copies and jumps both score 0.
    const Board b = boardFrom(tieBoard());
    ComputerSearch search;
    const auto r = search.run(b, Directions::cross(), 1, 1, std::nullopt);
    EXPECT_EQ(r.bestScore, 1);
    ASSERT_EQ(r.best->size(), 2u);
    EXPECT_EQ(findCandidate(*r.candidates, 2, 2, 2, 1)->score, 1);
    EXPECT_EQ(findCandidate(*r.candidates, 2, 2, 2, 4)->score, 1);
    EXPECT_EQ(findCandidate(*r.candidates, 2, 2, 3, 2)->score, 0);  // plain copy
    EXPECT_EQ(findCandidate(*r.candidates, 2, 2, 4, 2)->score, 0);  // plain jump
}

TEST(ComputerSearch, StrengthZeroPrefersTheSmallestGain) {
    const Board b = boardFrom(rows({"XXXXX", "X-XXX", "XX+XX", "XXXXX", "XXXXX"}));
    ComputerSearch search;
    const auto r = search.run(b, Directions::cross(), 1, 0, std::nullopt);
    EXPECT_EQ(r.bestScore, 1000);
    for (int i : *r.best) {
        const Candidate& c = (*r.candidates)[static_cast<std::size_t>(i)];
        EXPECT_NE(std::abs(c.toX - c.fromX) + std::abs(c.toY - c.fromY), 1) << "a copy";
    }
}

TEST(ComputerSearch, StrengthThreeSubtractsTheOpponentsBestReply) {
    // One row of cells, cross logic. Player 1's only move, the copy onto (1,0), captures
    // (2,0) (gain 3); player 2 answers from (4,0) onto (3,0) and takes (2,0) back (3).
    const std::string row = "+X-X-";
    const Board b = boardFrom(row + std::string(20, '0'));
    ComputerSearch search;
    auto r = search.run(b, Directions::cross(), 1, 3, std::nullopt);
    ASSERT_EQ(r.candidates->size(), 1u);
    EXPECT_EQ(r.candidates->front(), (Candidate{0, 0, 1, 0, 0}));
    // Player 2's view: the copy (4,0)->(3,0) gains 1, then player 1 answers onto (1,0) and
    // captures (2,0) back: 1 - 3 = -2. The copy (2,0)->(1,0) captures player 1's only
    // token, leaving no answer at all: 3 - 0.
    r = search.run(b, Directions::cross(), 2, 3, std::nullopt);
    EXPECT_EQ(findCandidate(*r.candidates, 4, 0, 3, 0)->score, -2);
    EXPECT_EQ(findCandidate(*r.candidates, 2, 0, 1, 0)->score, 3);
    EXPECT_EQ(r.bestScore, 3);
    EXPECT_EQ(r.best->size(), 1u);
}

TEST(ComputerSearch, StrengthThreeSeesOnlyWindowsAroundTheCandidateAndTheLastMove) {
    std::string s(15 * 15, 'X');
    s[1 * 15 + 1] = '+';
    s[10 * 15 + 10] = '-';
    const Board b = boardFrom(s);
    ComputerSearch search;
    // No last move: the whole board is seen, the opponent always has a plain copy.
    auto r = search.run(b, Directions::star(), 1, 3, std::nullopt);
    EXPECT_EQ(findCandidate(*r.candidates, 1, 1, 2, 2)->score, 0);
    // A last move far from (10,10): the opponent is outside every window.
    r = search.run(b, Directions::star(), 1, 3, LastMove{{5, 12}, {5, 13}});
    EXPECT_EQ(findCandidate(*r.candidates, 1, 1, 2, 2)->score, 1);
    // A last move whose window holds (10,10): seen again.
    r = search.run(b, Directions::star(), 1, 3, LastMove{{5, 12}, {10, 12}});
    EXPECT_EQ(findCandidate(*r.candidates, 1, 1, 2, 2)->score, 0);
}

TEST(ComputerSearch, NoMoveGivesNoCandidate) {
    ComputerSearch search;
    const auto r =
        search.run(boardFrom(rows({"+0", "0-"})), Directions::star(), 1, 3, std::nullopt);
    EXPECT_TRUE(r.candidates->empty());
    EXPECT_TRUE(r.best->empty());
}

// Returns the numbers it is given, in turn.
struct ScriptedRandom : RandomSource {
    std::vector<double> values;
    std::size_t next_ = 0;
    double next() override { return values.empty() ? 0.0 : values[next_++ % values.size()]; }
};

TEST(ComputerPlayer, PicksAmongAllTiedBestCandidatesByTheRandomNumber) {
    const std::string board = tieBoard();
    for (double value : {0.0, 0.49, 0.5, 0.999999, 1.0, 7.0, -3.0, std::nan("")}) {
        ManualTimerHost timers;
        ScriptedRandom random;
        random.values = {value};
        Game game(timers, random);
        timers.setHandler([&](GameTimer t) { game.onTimer(t); });
        GameSetup s;
        s.descriptor = board + "1";
        s.names = {"PC Začátečník", "Bob"};
        s.logicLabel = "2";
        ASSERT_FALSE(game.start(s).has_value());
        timers.fire(GameTimer::Timer1);
        timers.fire(GameTimer::TimCHng);
        ASSERT_TRUE(game.computerMovePending());
        timers.fire(GameTimer::TimPC);
        EXPECT_EQ(game.selected(), (CellPos{2, 2}));
        EXPECT_EQ(timers.interval(GameTimer::TimPC), 750);
        timers.fire(GameTimer::TimPC);
        EXPECT_FALSE(timers.isActive(GameTimer::TimPC));
        const CellPos target = *game.lastMoveTarget();
        // Ties in scan order: the copy up to (2,1), then the jump down to (2,4).
        // Values outside [0, 1) are clamped into it; NaN counts as 0.
        EXPECT_EQ(target, !(value >= 0.5) ? (CellPos{2, 1}) : (CellPos{2, 4})) << value;
        EXPECT_FALSE(game.computerMovePending());
    }
}

TEST(ComputerPlayer, OnlyLegalMoveIsPlayedAndProgressIsReported) {
    GameHarness h;
    std::string s(49, '0');
    s[0] = '+';
    s[1] = 'X';
    s[48] = '-';
    s[47] = 'X';
    h.startGame(s, "1", "PC Génius", "Bob");
    ASSERT_TRUE(h.game.computerMovePending());
    ASSERT_EQ(h.observer.progressSteps.size(), 49u);
    EXPECT_EQ(h.observer.progressScales.front(), 41);
    EXPECT_EQ(h.observer.percents.front(), " 2% ");
    EXPECT_EQ(h.observer.captions.front(), "Tomelin - 2% ");
    EXPECT_EQ(h.observer.percents.back(), " 102% ");
    EXPECT_EQ(h.observer.captions.back(), "Tomelin");
    EXPECT_EQ(h.observer.captions[47], "Tomelin");  // 100% after 48 of 49 cells
    h.playComputerMove();
    EXPECT_EQ(h.game.board().at(1, 0), kToken1);
    EXPECT_EQ(h.game.playerToMove(), 2);
}

TEST(ComputerPlayer, ComputerAgainstComputerFinishesOnDama) {
    GameHarness h(99);
    h.startGame(findBuiltinBoard("Dáma")->boardString, "2", "PC Génius", "PC Začátečník");
    int guard = 0;
    while (!h.game.gameOver() && guard++ < 5000) {
        ASSERT_TRUE(h.timers.fireNext({GameTimer::TimerT}).has_value());
    }
    ASSERT_TRUE(h.game.gameOver());
    const auto c = h.game.board().count();
    EXPECT_EQ(c.free, 0);
    EXPECT_EQ(h.observer.endA, c.tokens1);
    EXPECT_EQ(h.observer.endB, c.tokens2);
    EXPECT_EQ(static_cast<int>(h.observer.moves.size()), h.game.movesMade());
}

TEST(ComputerPlayer, FullRedrawParksTheLastMoveAndKeepsThePendingMove) {
    GameHarness h;
    h.startGame(findBuiltinBoard("Originál")->boardString, "1", "Alice", "PC Génius");
    h.move(0, 0, 1, 1);
    ASSERT_TRUE(h.game.lastMoveSource().has_value());
    h.timers.fire(GameTimer::TimPC);  // the computer selected its token
    h.game.fullRedrawDone();          // e.g. the window was resized
    EXPECT_FALSE(h.game.lastMoveSource().has_value());
    EXPECT_EQ(h.game.selectionState(), 0);
    EXPECT_EQ(h.observer.lastF, 116);
    h.timers.fire(GameTimer::TimPC);
    ASSERT_TRUE(h.timers.isActive(GameTimer::TimCHng));
    h.timers.fire(GameTimer::TimCHng);
    EXPECT_EQ(h.game.movesMade(), 2);
    EXPECT_EQ(h.game.playerToMove(), 1);
}

// ---- A pending computer move never survives restart, new game or take-back ----

TEST(ComputerCancellation, RestartDropsThePendingMove) {
    GameHarness h;
    h.startGame(findBuiltinBoard("Originál")->boardString, "1", "PC Profesionál", "Bob");
    h.timers.fire(GameTimer::TimPC);  // first click given: a token is selected
    ASSERT_TRUE(h.game.computerMovePending());
    h.game.NG_Click();
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_FALSE(h.timers.isActive(GameTimer::TimPC));
    EXPECT_EQ(h.game.selectionState(), 0);
    h.timers.fire(GameTimer::Timer1);
    h.timers.fire(GameTimer::TimCHng);
    // The new game's computer chooses afresh and plays on the new board.
    ASSERT_TRUE(h.game.computerMovePending());
    h.playComputerMove();
    EXPECT_EQ(h.game.board().count().tokens1, 3);
}

TEST(ComputerCancellation, NewGameDropsThePendingMove) {
    GameHarness h;
    h.startGame(findBuiltinBoard("Originál")->boardString, "1", "PC Profesionál", "Bob");
    h.game.UNG_Click();
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_FALSE(h.timers.isActive(GameTimer::TimPC));
}

TEST(ComputerCancellation, TakeBackDropsThePendingMoveAndSomebodyMovesAfterwards) {
    GameHarness h;
    h.startGame(findBuiltinBoard("Originál")->boardString, "1", "Alice", "PC Profesionál");
    h.move(0, 0, 1, 1);
    ASSERT_TRUE(h.game.computerMovePending());
    h.timers.fire(GameTimer::TimPC);  // the computer has selected its token
    const Board afterPerson = h.game.board();
    h.game.TZ_Click(1);
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_FALSE(h.timers.isActive(GameTimer::TimPC));
    EXPECT_EQ(h.game.selectionState(), 0);
    EXPECT_EQ(h.game.board(), boardFrom(findBuiltinBoard("Originál")->boardString));
    h.timers.fire(GameTimer::TimCHng);
    EXPECT_EQ(h.game.playerToMove(), 1);
    EXPECT_TRUE(h.game.personMayClick());
    // Person moves again; the computer answers on the board as it now is.
    h.move(0, 0, 0, 1);
    ASSERT_TRUE(h.game.computerMovePending());
    h.playComputerMove();
    EXPECT_EQ(h.game.board().at(0, 1), kToken1);
    EXPECT_EQ(h.game.board().at(1, 1), kFreeCell);
    EXPECT_NE(h.game.board(), afterPerson);
    EXPECT_EQ(h.game.playerToMove(), 1);
}

TEST(ComputerCancellation, TakeBackOfTwoOnTheComputersTurnRestartsItsSearch) {
    GameHarness h;
    h.startGame(findBuiltinBoard("Originál")->boardString, "1", "Alice", "PC Profesionál");
    h.move(0, 0, 1, 1);
    h.playComputerMove();
    h.move(1, 1, 2, 2);
    ASSERT_TRUE(h.game.computerMovePending());
    h.game.TZ_Click(2);
    EXPECT_FALSE(h.game.computerMovePending());
    h.timers.fire(GameTimer::TimCHng);
    EXPECT_EQ(h.game.playerToMove(), 2);
    EXPECT_TRUE(h.game.computerMovePending());
}

}  // namespace
}  // namespace tomelin
