// "PC Velmistr"'s search against an independent plain minimax, its tactics, its stop and
// time handling, and its legality on every kind of board.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "core/master_search.h"

namespace tomelin {
namespace {

constexpr int kInf = 2 * kWinScore;

// Plain negamax on the rule set of Position, without pruning or table: the reference value.
int plainNegamax(const Position& p, Logic logic, int depth, const EvalWeights& w) {
    const Board::Counts c = p.counts();
    if (c.free == 0 || depth == 0)
        return masterEvaluate(p, logic, w);
    std::vector<Move> moves;
    p.legalMoves(logic, moves);
    if (moves.empty())
        return masterEvaluate(p, logic, w);  // the fill: the opponent takes every free cell
    int best = -kInf;
    for (const Move& m : moves) {
        Position next = p;
        next.play(logic, m);
        best = std::max(best, -plainNegamax(next, logic, depth - 1, w));
    }
    return best;
}

// A random board of side n: holes, free cells and both players' tokens.
Position randomPosition(std::mt19937& rng, int n, Player toMove) {
    std::string s;
    for (int i = 0; i < n * n; ++i) {
        const unsigned r = rng() % 10;
        s.push_back(r < 1 ? '0' : r < 6 ? 'X' : r < 8 ? '+' : '-');
    }
    return *Position::fromBoardString(s, toMove);
}

// 7 x 7, each player in two opposite corners.
Position sevenBySeven() {
    return *Position::fromBoardString(
        "+XXXXX-" "XXXXXXX" "XXXXXXX" "XXXXXXX" "XXXXXXX" "XXXXXXX" "-XXXXX+", Player::One);
}

SearchLimits depthOnly(int depth) {
    return {depth, 0};
}

// A clock that moves on by a fixed step at every reading.
struct SteppingClock : SearchClock {
    std::int64_t now = 1000;
    std::int64_t step = 1;
    int readings = 0;
    std::int64_t nowMs() override {
        ++readings;
        now += step;
        return now;
    }
};

TEST(MasterSearch, FixedDepthScoreEqualsPlainMinimaxOnRandomBoardsOfBothLogics) {
    std::mt19937 rng(2024);
    MasterSearch search(12);  // a small table: collisions must not change results either
    int checked = 0;
    for (int round = 0; round < 60; ++round) {
        const int n = 3 + round % 3;
        const Logic logic = round % 2 ? Logic::Cross : Logic::Star;
        const Position p = randomPosition(rng, n, round % 4 < 2 ? Player::One : Player::Two);
        if (!p.canMove(logic))
            continue;
        const int depth = 1 + round % 3;
        search.clear();
        const SearchReport r = search.search(p, logic, depthOnly(depth));
        const int expected = plainNegamax(p, logic, depth, search.weights());
        ASSERT_TRUE(r.move) << p.boardString();
        EXPECT_EQ(r.score, expected) << p.boardString() << " depth " << depth;
        // The named move reaches that value.
        Position after = p;
        ASSERT_TRUE(p.isLegal(logic, *r.move));
        after.play(logic, *r.move);
        EXPECT_EQ(-plainNegamax(after, logic, depth - 1, search.weights()), expected)
            << p.boardString();
        ++checked;
    }
    EXPECT_GT(checked, 40);
}

TEST(MasterSearch, KeptTableFromEarlierSearchesDoesNotChangeTheValue) {
    std::mt19937 rng(99);
    MasterSearch warm;
    for (int round = 0; round < 20; ++round) {
        const Logic logic = round % 2 ? Logic::Star : Logic::Cross;
        const Position p = randomPosition(rng, 4, Player::One);
        if (!p.canMove(logic))
            continue;
        const SearchReport r = warm.search(p, logic, depthOnly(3));  // never cleared
        EXPECT_EQ(r.score, plainNegamax(p, logic, 3, warm.weights())) << p.boardString();
    }
}

TEST(MasterSearch, TakesTheCopyThatCapturesThreeOverEverythingElse) {
    // Player 1 at a1; the copy onto b2 (star) takes the three "-" around it.
    const std::string board =
        "+XXXX"
        "X-XXX"
        "--XXX"
        "XXXXX"
        "XXXX-";
    const Position p = *Position::fromBoardString(board, Player::One);
    MasterSearch search;
    const SearchReport r = search.search(p, Logic::Star, depthOnly(1));
    ASSERT_TRUE(r.move);
    // (0,1) is the only free cell next to all three "-" at (1,1), (0,2) and (1,2).
    EXPECT_EQ(r.move->to, (Cell{0, 1}));
    EXPECT_EQ(r.move->kind, MoveKind::Copy);
}

TEST(MasterSearch, FindsTheMoveThatEndsTheGameWonAndAvoidsTheOneThatLoses) {
    // One free cell: player 1 copying to (2,2) takes the two "-" next to it and wins 7:2
    // on a full board.
    const std::string board =
        "++-"
        "++-"
        "--X";
    const Position p = *Position::fromBoardString(board, Player::One);
    MasterSearch search;
    const SearchReport r = search.search(p, Logic::Star, {8, 0});
    ASSERT_TRUE(r.move);
    EXPECT_EQ(r.move->to, (Cell{2, 2}));
    EXPECT_EQ(r.score, kWinScore + 100 * (7 - 2));
    // Player 2 to move there fills it too and wins 4:5 ... its copy takes (1,1) only.
    const SearchReport theirs =
        search.search(*Position::fromBoardString(board, Player::Two), Logic::Star, {8, 0});
    ASSERT_TRUE(theirs.move);
    EXPECT_EQ(theirs.score, kWinScore + 100 * (6 - 3));
}

TEST(MasterSearch, SeesThatASideWhoCannotMoveHandsOverEveryFreeCell) {
    // Cross logic: "-" at (0,0) reaches (1,0), (0,1), (1,1), (2,0), (0,2): all taken.
    const std::string closed =
        "-++X"
        "++XX"
        "++XX"
        "XXXX";
    const Position cp = *Position::fromBoardString(closed, Player::Two);
    ASSERT_FALSE(cp.canMove(Logic::Cross));
    MasterSearch search;
    EXPECT_FALSE(search.search(cp, Logic::Cross, depthOnly(3)).move);
    // The evaluation counts the fill: "+" receives all 9 free cells, 1 against 15.
    EXPECT_EQ(masterEvaluate(cp, Logic::Cross), -kWinScore + 100 * (1 - 15));

    // "+" to move one step earlier, with (2,0) still open to the "-" jump: a "+" copy onto
    // (2,0) walls "-" in, and the search sees the certain win two plies ahead.
    const Position before = *Position::fromBoardString(
        "-+XX"
        "++XX"
        "++XX"
        "XXXX",
        Player::One);
    const SearchReport r = search.search(before, Logic::Cross, depthOnly(2));
    ASSERT_TRUE(r.move);
    EXPECT_EQ(r.move->to, (Cell{2, 0}));
    EXPECT_GE(r.score, kWinScore);
    EXPECT_EQ(r.score, plainNegamax(before, Logic::Cross, 2, search.weights()));
}

TEST(MasterSearch, FullBoardOrNoTokenHasNoMove) {
    MasterSearch search;
    EXPECT_FALSE(search.search(*Position::fromBoardString("+-+-", Player::One), Logic::Star,
                               depthOnly(3))
                     .move);
    EXPECT_FALSE(search.search(*Position::fromBoardString("XX-X", Player::One), Logic::Star,
                               depthOnly(3))
                     .move);
}

TEST(MasterSearch, SameDepthGivesTheSameAnswerEveryTime) {
    const Position p = sevenBySeven();
    MasterSearch a, b;
    const SearchReport first = a.search(p, Logic::Star, depthOnly(4));
    const SearchReport second = b.search(p, Logic::Star, depthOnly(4));
    a.clear();
    const SearchReport again = a.search(p, Logic::Star, depthOnly(4));
    ASSERT_TRUE(first.move);
    EXPECT_EQ(first.move, second.move);
    EXPECT_EQ(first.score, second.score);
    EXPECT_EQ(first.nodes, second.nodes);
    EXPECT_EQ(again.move, first.move);
    EXPECT_EQ(again.nodes, first.nodes);
    EXPECT_EQ(first.depth, 4);
}

// The tables cost nothing until a search needs them, fit the board, grow for a larger one,
// and a released search answers as a new one does.
TEST(MasterSearch, TablesAreMadeByTheFirstSearchSizedToTheBoardAndReleased) {
    const Position seven = sevenBySeven();
    const Position three = *Position::fromBoardString("+XXXXXXX-", Player::One);
    // Every built-in board (7 to 15 a side) gets the full table; a tiny board a smaller one.
    EXPECT_EQ(MasterSearch::tableEntriesFor(7), std::size_t{1} << 20);
    EXPECT_EQ(MasterSearch::tableEntriesFor(16), std::size_t{1} << 20);
    EXPECT_LT(MasterSearch::tableEntriesFor(3), MasterSearch::tableEntriesFor(7));
    EXPECT_EQ(MasterSearch::tableEntriesFor(16, 12), std::size_t{1} << 12);

    MasterSearch search;
    EXPECT_EQ(search.tableBytes(), 0U);
    search.clear();  // nothing to clear yet
    EXPECT_EQ(search.tableBytes(), 0U);
    ASSERT_TRUE(search.search(three, Logic::Star, depthOnly(2)).move);
    const std::size_t small = search.tableBytes();
    EXPECT_GE(small, MasterSearch::tableEntriesFor(3) * 16);
    EXPECT_LT(small, MasterSearch::tableEntriesFor(7) * 16);
    const SearchReport first = search.search(seven, Logic::Star, depthOnly(4));
    EXPECT_GE(search.tableBytes(), MasterSearch::tableEntriesFor(7) * 16);
    search.release();
    EXPECT_EQ(search.tableBytes(), 0U);
    MasterSearch fresh;
    const SearchReport again = search.search(seven, Logic::Star, depthOnly(4));
    const SearchReport reference = fresh.search(seven, Logic::Star, depthOnly(4));
    EXPECT_EQ(again.move, reference.move);
    EXPECT_EQ(again.score, reference.score);
    EXPECT_EQ(again.nodes, reference.nodes);
    EXPECT_EQ(first.score, reference.score);
}

TEST(MasterSearch, StopFlagEndsTheSearchAtOnce) {
    const Position p = sevenBySeven();
    MasterSearch search;
    std::atomic<bool> stop{true};
    const SearchReport before = search.search(p, Logic::Star, depthOnly(30), &stop);
    EXPECT_TRUE(before.stopped);
    EXPECT_EQ(before.depth, 0);
    EXPECT_LT(before.nodes, 300U);

    // Raised from within, after depth 2: nothing deeper is reported.
    stop = false;
    std::vector<int> depths;
    const SearchReport r = search.search(p, Logic::Star, depthOnly(30), &stop, nullptr,
                                         [&](const SearchReport& d) {
                                             depths.push_back(d.depth);
                                             if (d.depth == 2)
                                                 stop = true;
                                         });
    EXPECT_TRUE(r.stopped);
    EXPECT_EQ(depths, (std::vector<int>{1, 2}));
    EXPECT_EQ(r.depth, 2);
    ASSERT_TRUE(r.move);
    EXPECT_TRUE(p.isLegal(Logic::Star, *r.move));
}

TEST(MasterSearch, KeepsToTheTimeBudgetOfAnInjectedClock) {
    const Position p = *Position::fromBoardString(findBuiltinBoard("Bitva")->boardString,
                                                  Player::One);
    MasterSearch search;
    SteppingClock clock;
    const SearchReport r = search.search(p, Logic::Star, {60, 200}, nullptr, &clock);
    ASSERT_TRUE(r.move);
    EXPECT_TRUE(p.isLegal(Logic::Star, *r.move));
    EXPECT_FALSE(r.stopped);
    EXPECT_GE(r.depth, 1);
    // The clock is read every 256 nodes: the search ends within one step of the budget.
    EXPECT_LE(r.elapsedMs, 200 + 2 * clock.step);
    EXPECT_LT(r.depth, 60);

    // A budget already spent still finishes depth 1, so a move is always named.
    SteppingClock fast;
    fast.step = 1000;
    const SearchReport quick = search.search(p, Logic::Star, {60, 1}, nullptr, &fast);
    ASSERT_TRUE(quick.move);
    EXPECT_EQ(quick.depth, 1);
}

// A clock that only moves when told: each completed depth "costs" the next planned amount.
struct PlannedClock : SearchClock {
    std::int64_t now = 0;
    std::int64_t nowMs() override { return now; }
};

// The depth a search of "Originál" reaches when its depths cost `costs` in turn on a clock
// that moves only between depths.
int depthReached(const std::vector<std::int64_t>& costs, int budget, bool wholeBudget = false,
                 int maxDepth = 8) {
    const Position p = *Position::fromBoardString(findBuiltinBoard("Originál")->boardString,
                                                  Player::One);
    MasterSearch search;
    PlannedClock clock;
    std::size_t done = 0;
    SearchLimits limits{maxDepth, budget};
    limits.useWholeBudget = wholeBudget;
    const SearchReport r = search.search(p, Logic::Star, limits, nullptr, &clock,
                                         [&](const SearchReport&) {
                                             clock.now += done < costs.size() ? costs[done] : 1;
                                             ++done;
                                         });
    EXPECT_FALSE(r.stopped);
    return r.depth;
}

TEST(MasterSearch, StartsTheNextDepthOnlyWhenItsExpectedCostFitsTheBudget) {
    // The next depth is expected to cost this one's cost times the growth from the one before
    // (at most 8; 4 after the first depth).
    // 10 then 30 (growth 3): 40 spent, 90 expected next.
    EXPECT_EQ(depthReached({10, 30, 90, 270}, 129), 2);
    EXPECT_EQ(depthReached({10, 30, 90, 270}, 131), 3);
    // After the first depth the growth is taken as 4.
    EXPECT_EQ(depthReached({10, 30}, 49), 1);
    EXPECT_EQ(depthReached({10, 30}, 51), 2);
    // A steep rise counts as eight times.
    EXPECT_EQ(depthReached({1, 100, 800}, 900), 2);
    EXPECT_EQ(depthReached({1, 100, 800}, 902), 3);
    // Without a budget only the depth limit ends it.
    EXPECT_EQ(depthReached({10, 1000, 100000}, 0, false, 4), 4);
}

TEST(MasterSearch, WithTheWholeBudgetItDeepensUntilTheBudgetIsSpent) {
    // The engine's per-move searches: no depth is left out because it is expected not to
    // finish; only the budget itself ends the search (the clock moves only between depths).
    // 10 spent of 41: the thrifty rule expects 40 more and stops; the whole budget goes on,
    // and starts a third depth with 40 spent.
    EXPECT_EQ(depthReached({10, 30, 90, 270}, 41, false), 1);
    EXPECT_EQ(depthReached({10, 30, 90, 270}, 41, true), 3);
    // Once the budget is spent no depth starts; 130 of 131 spent, a fourth still does.
    EXPECT_EQ(depthReached({10, 30, 90, 270}, 40, true), 2);
    EXPECT_EQ(depthReached({10, 30, 90, 270}, 131, false), 3);
    EXPECT_EQ(depthReached({10, 30, 90, 270}, 131, true), 4);
}

TEST(MasterSearch, PlaysOnlyLegalMovesOnEveryBoardSizeWithHoles) {
    std::mt19937 rng(5);
    MasterSearch search(16);
    for (int n : {2, 3, 7, 8, 11, 16}) {
        for (Logic logic : {Logic::Star, Logic::Cross}) {
            Position p = randomPosition(rng, n, Player::One);
            for (int ply = 0; ply < 40 && !p.isOver(); ++ply) {
                if (!p.canMove(logic)) {
                    p.fillFree(other(p.toMove()));
                    break;
                }
                const SearchReport r = search.search(p, logic, depthOnly(n > 8 ? 1 : 2));
                ASSERT_TRUE(r.move) << n;
                ASSERT_TRUE(p.isLegal(logic, *r.move)) << n << ' ' << p.boardString();
                p.play(logic, *r.move);
            }
        }
    }
}

TEST(MasterSearch, EvaluationCountsMaterialFrontierAndReach) {
    // Star, 3x3: "+" at (0,0), "-" at (2,2), everything else free.
    const Position p = *Position::fromBoardString("+XXXXXXX-", Player::One);
    const EvalWeights w{100, -6, 4};
    // Equal material, both tokens on the frontier, both reach 3 free cells.
    EXPECT_EQ(masterEvaluate(p, Logic::Star, w), 0);
    const Position q = *Position::fromBoardString("++XXXXXX-", Player::One);
    // +1 token; frontier 2 vs 1; reach 4 ((2,0),(0,1),(1,1),(2,1)) vs 3 ((1,1),(2,1),(1,2)).
    EXPECT_EQ(masterEvaluate(q, Logic::Star, w), 100 - 6 * (2 - 1) + 4 * (4 - 3));
    Position theirs = q;
    theirs.setToMove(Player::Two);
    EXPECT_EQ(masterEvaluate(theirs, Logic::Star, w), -masterEvaluate(q, Logic::Star, w));
}

TEST(MasterSearch, MoveTimeIsAShareOfTheClock) {
    EXPECT_EQ(masterMoveTimeMs(-1), 1000);
    EXPECT_EQ(masterMoveTimeMs(-3, 250), 250);
    EXPECT_EQ(masterMoveTimeMs(3600), 1000);
    EXPECT_EQ(masterMoveTimeMs(15), 500);
    EXPECT_EQ(masterMoveTimeMs(0), 20);
}

TEST(MasterSearch, ThreadCpuClockCountsWorkAndNotWaiting) {
    SearchClock& cpu = threadCpuSearchClock();
    SearchClock& wall = steadySearchClock();
    // Work: the processor clock moves, and never ahead of the wall clock.
    const std::int64_t cpu0 = cpu.nowMs(), wall0 = wall.nowMs();
    volatile std::uint64_t sink = 0;
    while (cpu.nowMs() - cpu0 < 30) {
        for (int i = 0; i < 10000; ++i)
            sink = sink + static_cast<std::uint64_t>(i) * 2654435761U;
    }
    EXPECT_GE(wall.nowMs() - wall0, 29);  // both read in whole milliseconds
    // Waiting: the wall clock moves, the processor clock hardly at all.
    const std::int64_t cpu1 = cpu.nowMs(), wall1 = wall.nowMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_GE(wall.nowMs() - wall1, 60);
    EXPECT_LT(cpu.nowMs() - cpu1, 30);
}

}  // namespace
}  // namespace tomelin
