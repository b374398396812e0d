// The evaluation's symmetry (mirror images, rotations and the colour swap score alike, on
// boards with holes and under both logics) and the weight tuner (it recovers the weights
// that made a set of results, and its loss falls on real self-play data).

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "core/eval_tuner.h"
#include "core/fen.h"

namespace tomelin {
namespace {

// The board string seen through one of the square's eight symmetries.
std::string transformed(const std::string& s, int n, int symmetry) {
    std::string out(s.size(), '0');
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            int rr = r, cc = c;
            if (symmetry & 1)
                cc = n - 1 - cc;
            if (symmetry & 2)
                rr = n - 1 - rr;
            if (symmetry & 4)
                std::swap(rr, cc);
            out[static_cast<std::size_t>(rr * n + cc)] = s[static_cast<std::size_t>(r * n + c)];
        }
    }
    return out;
}

std::string coloursSwapped(std::string s) {
    for (char& ch : s)
        ch = ch == '+' ? '-' : ch == '-' ? '+' : ch;
    return s;
}

// A random board: about a tenth holes, the rest free or either player's.
std::string randomBoard(std::mt19937& rng, int n) {
    std::string s;
    for (int i = 0; i < n * n; ++i) {
        const unsigned r = rng() % 10;
        s.push_back(r < 1 ? '0' : r < 5 ? 'X' : r < 8 ? '+' : '-');
    }
    return s;
}

TEST(EvalSymmetry, MirrorImagesRotationsAndTheColourSwapScoreAlike) {
    std::mt19937 rng(7);
    EvalWeights w;
    w.rim = 13;  // every term weighs
    int compared = 0;
    for (int round = 0; round < 40; ++round) {
        const int n = 4 + round % 6;  // 4..9
        const Logic logic = round % 2 ? Logic::Cross : Logic::Star;
        const Player mover = round % 3 ? Player::One : Player::Two;
        const std::string board = randomBoard(rng, n);
        const Position p = *Position::fromBoardString(board, mover);
        const int score = masterEvaluate(p, logic, w);
        for (int sym = 1; sym < 8; ++sym) {
            const Position q = *Position::fromBoardString(transformed(board, n, sym), mover);
            EXPECT_EQ(masterEvaluate(q, logic, w), score) << board << " symmetry " << sym;
        }
        const Position swapped = *Position::fromBoardString(coloursSwapped(board), other(mover));
        EXPECT_EQ(masterEvaluate(swapped, logic, w), score) << board;
        ++compared;
    }
    EXPECT_EQ(compared, 40);
}

// The search's own evaluation (bit sets, with the rim precomputed per board) is seen
// through the value of a shallow search: the same under every symmetry and the colour swap,
// and equal to the value through masterEvaluate's leaves (plain minimax).
TEST(EvalSymmetry, SearchValueIsTheSameUnderEverySymmetry) {
    std::mt19937 rng(11);
    EvalWeights w;
    w.rim = -9;
    MasterSearch search(14);
    search.setWeights(w);
    for (int round = 0; round < 12; ++round) {
        const int n = 5 + round % 4;
        const Logic logic = round % 2 ? Logic::Cross : Logic::Star;
        const std::string board = randomBoard(rng, n);
        const Position p = *Position::fromBoardString(board, Player::One);
        if (!p.canMove(logic))
            continue;
        SearchLimits limits{2, 0};
        search.clear();
        const int score = search.search(p, logic, limits).score;
        // Depth 2 by hand over masterEvaluate.
        std::vector<Move> moves, replies;
        p.legalMoves(logic, moves);
        int best = -2 * kWinScore;
        for (const Move& m : moves) {
            Position a = p;
            a.play(logic, m);
            a.legalMoves(logic, replies);
            int worst = 2 * kWinScore;
            if (replies.empty() || a.counts().free == 0) {
                worst = -masterEvaluate(a, logic, w);
            } else {
                for (const Move& r : replies) {
                    Position b = a;
                    b.play(logic, r);
                    worst = std::min(worst, masterEvaluate(b, logic, w));
                }
            }
            best = std::max(best, worst);
        }
        EXPECT_EQ(score, best) << board;
        for (int sym : {1, 2, 5, 7}) {
            search.clear();
            const Position q = *Position::fromBoardString(transformed(board, n, sym), Player::One);
            EXPECT_EQ(search.search(q, logic, limits).score, score) << board << " symmetry " << sym;
        }
        search.clear();
        const Position swapped = *Position::fromBoardString(coloursSwapped(board), Player::Two);
        EXPECT_EQ(search.search(swapped, logic, limits).score, score) << board;
    }
}

TEST(EvalTerms, CountTheRimAndLeaveOutFinishedGames) {
    // 4x4, a hole at the second cell of the top row. Star logic: every cell of the rim has
    // fewer than 8 neighbours, and the inner cell (1,1) next to the hole has 7.
    //   + 0 X X
    //   X + X X
    //   X X - X
    //   X X X -
    const Position p = *Position::fromBoardString("+0XXX+XXXX-XXXX-", Player::One);
    const std::optional<EvalTerms> t = evalTerms(p, Logic::Star);
    ASSERT_TRUE(t);
    EXPECT_EQ((*t)[0], 0);  // 2 tokens each
    // rim: own (0,0) and (1,1) (next to the hole); theirs (3,3) only, (2,2) is inside
    EXPECT_EQ((*t)[3], 2 - 1);
    // The terms weigh into masterEvaluate linearly.
    EvalWeights w{100, -6, 4, 25};
    const EvalTerms u = termsOf(w);
    int dot = 0;
    for (std::size_t i = 0; i < kEvalTermCount; ++i)
        dot += u[i] * (*t)[i];
    EXPECT_EQ(masterEvaluate(p, Logic::Star, w), dot);
    EXPECT_EQ(termsOf(weightsOf(u)), u);

    // A full board, a side without tokens, and a stuck side under Tomelin's rule.
    EXPECT_FALSE(evalTerms(*Position::fromBoardString("++--", Player::One), Logic::Star));
    EXPECT_FALSE(evalTerms(*readFen("7/7/7/3x3/7/7/7 o 0 1").position, Logic::Star));
    EXPECT_FALSE(evalTerms(*Position::fromBoardString("+00000000000-00X", Player::One), Logic::Star));
}

// Synthetic positions whose results follow a known curve of known weights: the tuner finds
// those weights again, from a start far from them, and fitScale finds the curve's k.
TEST(EvalTuner, RecoversTheWeightsThatMadeTheResults) {
    std::mt19937 rng(5);
    const std::array<double, kEvalTermCount> truth{100, -15, 9, 20};
    const double k = 0.003;
    std::vector<TunerSample> samples;
    std::uniform_int_distribution<int> material(-12, 12), count(-10, 10);
    for (int i = 0; i < 4000; ++i) {
        TunerSample s;
        s.terms = {material(rng), count(rng), count(rng), count(rng)};
        double score = 0;
        for (std::size_t j = 0; j < kEvalTermCount; ++j)
            score += truth[j] * s.terms[j];
        s.result = expectedResult(score, k);
        samples.push_back(s);
    }
    EvalWeights truthWeights{100, -15, 9, 20};
    EXPECT_NEAR(fitScale(samples, truthWeights), k, k * 0.01);

    const EvalWeights start{60, 0, 0, 0};
    const TunerResult r = tuneWeights(samples, start, k, 3000);
    for (std::size_t j = 0; j < kEvalTermCount; ++j)
        EXPECT_NEAR(r.weights[j], truth[j], 1.0) << "term " << j;
    EXPECT_LT(r.lossAfter, 1e-6);
    EXPECT_GT(r.lossBefore, 100 * r.lossAfter);
}

// Real data: positions of two short self-play games. The fit lowers the loss, and the data
// generator labels every position from its mover's side (a decided game: the two sides'
// positions carry opposite results).
TEST(EvalTuner, LossFallsOnSelfPlayData) {
    std::vector<TunerSample> samples;
    for (std::uint64_t seed : {1U, 2U}) {
        const std::vector<LabelledPosition> game = selfPlayGame(seed, 4, 1500, EvalWeights{});
        ASSERT_GT(game.size(), 20U);
        EXPECT_EQ(game, selfPlayGame(seed, 4, 1500, EvalWeights{}));  // deterministic
        for (const LabelledPosition& lp : game) {
            const std::optional<Position> p = readFen(lp.fen).position;
            ASSERT_TRUE(p) << lp.fen;
            if (lp.result != 0.5) {
                // The mover of the first position and of this one: the same side, the
                // same result.
                const Position first = *readFen(game.front().fen).position;
                EXPECT_EQ(lp.result == game.front().result, p->toMove() == first.toMove()) << lp.fen;
            }
            if (const std::optional<EvalTerms> t = evalTerms(*p, Logic::Star))
                samples.push_back({*t, lp.result});
        }
    }
    const double k = fitScale(samples, EvalWeights{});
    EXPECT_GT(k, 0);
    const TunerResult r = tuneWeights(samples, EvalWeights{}, k, 300);
    EXPECT_LT(r.lossAfter, r.lossBefore);
    EXPECT_LE(r.lossBefore, tunerLoss(samples, {100, -6, 4, 0}, k) + 1e-12);
}

}  // namespace
}  // namespace tomelin
