#pragma once
// Fitting PC Velmistr's evaluation weights to games: every position of a set of played games
// is labelled with its game's result from the side to move (1 won, 0.5 drawn, 0 lost), and
// the weights are chosen so that a logistic curve of the evaluation predicts those results
// best (least squares of the prediction error, the method chess programmers call "Texel
// tuning"). The evaluation is linear in its terms, so a position is kept as its terms only.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/master_search.h"

namespace tomelin {

inline constexpr int kEvalTermCount = 4;
using EvalTerms = std::array<int, kEvalTermCount>;  // material, frontier, copyReach, rim

// The terms masterEvaluate() weighs, from the side to move; nothing for a finished game or
// a side that cannot move (those score by the final margin, not by the weights).
std::optional<EvalTerms> evalTerms(const Position& position, Logic logic);

EvalTerms termsOf(const EvalWeights& weights);
EvalWeights weightsOf(const EvalTerms& terms);

struct TunerSample {
    EvalTerms terms{};
    double result = 0.5;  // of the side to move: 1 won, 0.5 drawn, 0 lost
};

// The expected result of an evaluation of `score` hundredths of a token: 1 / (1 + e^(-k s)).
double expectedResult(double score, double k);

// The mean squared error of the expected results against the samples' results.
double tunerLoss(const std::vector<TunerSample>& samples, const std::array<double, kEvalTermCount>& weights,
                 double k);

// The k that fits the samples best for the given weights (a bigger k: a steeper curve).
double fitScale(const std::vector<TunerSample>& samples, const EvalWeights& weights);

struct TunerResult {
    std::array<double, kEvalTermCount> weights{};
    double lossBefore = 0;
    double lossAfter = 0;
};

// Gradient descent (with adaptive steps) on the loss from `start`, k fixed; `onEpoch` hears
// every hundredth epoch's loss.
TunerResult tuneWeights(const std::vector<TunerSample>& samples, const EvalWeights& start, double k,
                        int epochs, const std::function<void(int, double)>& onEpoch = {});

// One self-play game for the tuner's data: `randomPlies` random moves from the standard
// start, then PC Velmistr's selective search of `nodes` nodes a move with `weights` on both
// sides; every position after the random plies, as a FEN, with the game's result from its
// side to move. Deterministic for a seed.
struct LabelledPosition {
    std::string fen;
    double result = 0.5;
    bool operator==(const LabelledPosition&) const = default;
};
std::vector<LabelledPosition> selfPlayGame(std::uint64_t seed, int randomPlies, std::uint64_t nodes,
                                           const EvalWeights& weights);

}  // namespace tomelin
