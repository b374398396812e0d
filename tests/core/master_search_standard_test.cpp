// "PC Velmistr" under the standard rules (a stuck side passes) and the parts the engine
// protocol asks of it: a node limit, the expected line, the deepest ply.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/fen.h"
#include "core/master_search.h"

namespace tomelin {
namespace {

constexpr int kInf = 2 * kWinScore;

// Plain negamax over Position's standard rules: a pass is a move of its own.
int plainPassingNegamax(const Position& p, Logic logic, int depth, const EvalWeights& w) {
    if (depth == 0 || p.isOver(logic))
        return masterEvaluate(p, logic, w);
    if (p.mustPass(logic)) {
        Position next = p;
        next.pass(logic);
        return -plainPassingNegamax(next, logic, depth - 1, w);
    }
    std::vector<Move> moves;
    p.legalMoves(logic, moves);
    int best = -kInf;
    for (const Move& m : moves) {
        Position next = p;
        next.play(logic, m);
        best = std::max(best, -plainPassingNegamax(next, logic, depth - 1, w));
    }
    return best;
}

// Random standard positions with few free cells, so that passes and ends come up often.
Position randomStandard(std::mt19937& rng, int n) {
    std::string s;
    for (int i = 0; i < n * n; ++i) {
        const unsigned r = rng() % 12;
        s.push_back(r < 2 ? '0' : r < 5 ? 'X' : r < 9 ? '+' : '-');
    }
    Position p = *Position::fromBoardString(s, rng() % 2 ? Player::One : Player::Two);
    p.setRules(Rules::Ataxx);
    p.setMoveCounters(static_cast<int>(rng() % 2 ? 97 + rng() % 4 : 0), 1);
    return p;
}

TEST(StandardSearch, FixedDepthScoreEqualsPlainMinimaxWithPasses) {
    std::mt19937 rng(424);
    MasterSearch search(12);
    int checked = 0, withPass = 0;
    for (int round = 0; round < 300 && checked < 80; ++round) {
        const Position p = randomStandard(rng, 4 + round % 2);
        if (p.isOver(Logic::Star) || p.moveCount(Logic::Star) < 2)
            continue;
        const int depth = 1 + round % 4;
        search.clear();
        const SearchReport r = search.search(p, Logic::Star, {depth, 0});
        ASSERT_TRUE(r.move) << writeFen(p);
        EXPECT_EQ(r.score, plainPassingNegamax(p, Logic::Star, depth, search.weights()))
            << writeFen(p) << " depth " << depth;
        ASSERT_TRUE(p.isLegal(Logic::Star, *r.move));
        Position after = p;
        after.play(Logic::Star, *r.move);
        withPass += after.mustPass(Logic::Star) ? 1 : 0;
        ++checked;
    }
    EXPECT_GE(checked, 60);
    EXPECT_GT(withPass, 0);
}

TEST(StandardSearch, AKeptTableTellsTheSameBoardWithAnotherClockApart) {
    // One board, searched again and again with clocks on both sides of the limit and a table
    // that is never cleared: each search must give its own clock's value.
    std::mt19937 rng(77);
    MasterSearch search(10);
    int checked = 0;
    for (int round = 0; round < 80; ++round) {
        Position p = randomStandard(rng, 4);
        // One move, or none, ends the deepening after depth 1.
        if (p.isOver(Logic::Star) || p.moveCount(Logic::Star) < 2)
            continue;
        for (const int clock : {97, 0, 99, 98, 40, 97}) {
            p.setMoveCounters(clock, 1);
            const int expected = plainPassingNegamax(p, Logic::Star, 3, search.weights());
            if (expected >= kWinScore || expected <= -kWinScore)
                continue;  // a decided game ends the deepening early, with its first margin
            const SearchReport r = search.search(p, Logic::Star, {3, 0});
            EXPECT_EQ(r.score, expected) << writeFen(p);
            ++checked;
        }
    }
    EXPECT_GT(checked, 60);
}

TEST(StandardSearch, PlaysOnTowardsAPassInsteadOfCountingTheFill) {
    // x can shut o in: o then passes and x fills the board. Under Tomelin's rule o's stuck
    // turn would hand the free cells to x at once; under the standard rules the game goes on
    // and the search must still see the win.
    const Position p = readFen("xxxxxxx/xxxxxxx/xxxxxxx/7/-------/ooooooo/ooooooo x 0 1").position.value();
    MasterSearch search;
    const SearchReport r = search.search(p, Logic::Star, {3, 0});
    ASSERT_TRUE(r.move);
    EXPECT_TRUE(p.isLegal(Logic::Star, *r.move));
    EXPECT_EQ(r.score, plainPassingNegamax(p, Logic::Star, 3, search.weights()));
}

TEST(StandardSearch, NoMoveForASideThatMustPassOrAFinishedGame) {
    MasterSearch search;
    for (const char* f : {"7/7/7/7/4ooo/4ooo/4oox x 0 1", "x6/7/7/7/7/7/7 o 0 1"}) {
        const Position p = readFen(f).position.value();
        EXPECT_FALSE(search.search(p, Logic::Star, {5, 0}).move) << f;
    }
}

TEST(StandardSearch, NodeLimitEndsTheSearchSoonAfterTheLimit) {
    const Position p = readFen(std::string(kStandardStartFen)).position.value();
    MasterSearch search;
    for (const std::uint64_t limit : {1000U, 20000U}) {
        search.clear();
        SearchLimits limits{60, 0};
        limits.maxNodes = limit;
        const SearchReport r = search.search(p, Logic::Star, limits);
        ASSERT_TRUE(r.move);
        EXPECT_LE(r.nodes, limit + 256);
        EXPECT_LT(r.depth, 60);
    }
}

TEST(StandardSearch, ReportedLineIsPlayableAndStartsWithTheMove) {
    const Position p = readFen("x5o/7/2-1-2/7/2-1-2/7/o5x x 0 1").position.value();
    MasterSearch search;
    int reports = 0;
    search.search(p, Logic::Star, {5, 0}, nullptr, nullptr, [&](const SearchReport& d) {
        ++reports;
        ASSERT_FALSE(d.pv.empty());
        EXPECT_LE(static_cast<int>(d.pv.size()), d.depth);
        EXPECT_TRUE(d.pv.front().sameEffect(*d.move));
        EXPECT_GE(d.seldepth, d.depth - 1);
        Position q = p;
        for (const Move& m : d.pv) {
            ASSERT_TRUE(q.isLegal(Logic::Star, m)) << writeFen(q);
            q.play(Logic::Star, m);
        }
    });
    EXPECT_EQ(reports, 5);
}

}  // namespace
}  // namespace tomelin
