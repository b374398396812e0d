#include "core/eval_tuner.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "core/fen.h"

namespace tomelin {

namespace {

// Whether masterEvaluate() scores the position by the final margin instead of the weights.
bool scoredByMargin(const Position& position, Logic logic) {
    const Board::Counts c = position.counts();
    if (c.free == 0)
        return true;
    if (position.rules() == Rules::Ataxx) {
        if (c.tokens1 == 0 || c.tokens2 == 0 || position.halfmoveClock() >= kHalfmoveLimit)
            return true;
        Position them = position;
        them.setToMove(other(position.toMove()));
        return !position.canMove(logic) && !them.canMove(logic);
    }
    return !position.canMove(logic);
}

}  // namespace

std::optional<EvalTerms> evalTerms(const Position& position, Logic logic) {
    if (scoredByMargin(position, logic))
        return std::nullopt;
    // The evaluation is linear in its weights: one unit weight at a time gives each term.
    EvalTerms terms{};
    for (int i = 0; i < kEvalTermCount; ++i) {
        EvalTerms unit{};
        unit[static_cast<std::size_t>(i)] = 1;
        terms[static_cast<std::size_t>(i)] = masterEvaluate(position, logic, weightsOf(unit));
    }
    return terms;
}

EvalTerms termsOf(const EvalWeights& w) {
    return {w.material, w.frontier, w.copyReach, w.rim};
}

EvalWeights weightsOf(const EvalTerms& t) {
    EvalWeights w;
    w.material = t[0];
    w.frontier = t[1];
    w.copyReach = t[2];
    w.rim = t[3];
    return w;
}

double expectedResult(double score, double k) {
    return 1.0 / (1.0 + std::exp(-k * score));
}

namespace {

double scoreOf(const TunerSample& s, const std::array<double, kEvalTermCount>& w) {
    double score = 0;
    for (std::size_t i = 0; i < kEvalTermCount; ++i)
        score += w[i] * s.terms[i];
    return score;
}

std::array<double, kEvalTermCount> asDoubles(const EvalWeights& weights) {
    const EvalTerms t = termsOf(weights);
    std::array<double, kEvalTermCount> w{};
    for (std::size_t i = 0; i < kEvalTermCount; ++i)
        w[i] = t[i];
    return w;
}

}  // namespace

double tunerLoss(const std::vector<TunerSample>& samples, const std::array<double, kEvalTermCount>& weights,
                 double k) {
    if (samples.empty())
        return 0;
    double sum = 0;
    for (const TunerSample& s : samples) {
        const double e = s.result - expectedResult(scoreOf(s, weights), k);
        sum += e * e;
    }
    return sum / static_cast<double>(samples.size());
}

double fitScale(const std::vector<TunerSample>& samples, const EvalWeights& weights) {
    const std::array<double, kEvalTermCount> w = asDoubles(weights);
    // Golden-section search over log k: the loss has one minimum along k.
    double lo = std::log(1e-5), hi = std::log(1.0);
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int i = 0; i < 60; ++i) {
        const double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
        if (tunerLoss(samples, w, std::exp(a)) < tunerLoss(samples, w, std::exp(b)))
            hi = b;
        else
            lo = a;
    }
    return std::exp((lo + hi) / 2);
}

TunerResult tuneWeights(const std::vector<TunerSample>& samples, const EvalWeights& start, double k,
                        int epochs, const std::function<void(int, double)>& onEpoch) {
    TunerResult r;
    r.weights = asDoubles(start);
    r.lossBefore = tunerLoss(samples, r.weights, k);
    r.lossAfter = r.lossBefore;
    if (samples.empty())
        return r;
    // Adam: a step per weight scaled by the running size of its gradient, so that terms of
    // very different magnitudes (material against a count of cells) move alike.
    std::array<double, kEvalTermCount> m{}, v{};
    const double rate = 0.5, beta1 = 0.9, beta2 = 0.999, eps = 1e-12;
    const double n = static_cast<double>(samples.size());
    for (int epoch = 1; epoch <= epochs; ++epoch) {
        std::array<double, kEvalTermCount> grad{};
        for (const TunerSample& s : samples) {
            const double p = expectedResult(scoreOf(s, r.weights), k);
            // d/dw (result - p)^2 = -2 (result - p) p (1 - p) k term
            const double common = -2.0 * (s.result - p) * p * (1 - p) * k / n;
            for (std::size_t i = 0; i < kEvalTermCount; ++i)
                grad[i] += common * s.terms[i];
        }
        for (std::size_t i = 0; i < kEvalTermCount; ++i) {
            m[i] = beta1 * m[i] + (1 - beta1) * grad[i];
            v[i] = beta2 * v[i] + (1 - beta2) * grad[i] * grad[i];
            const double mh = m[i] / (1 - std::pow(beta1, epoch));
            const double vh = v[i] / (1 - std::pow(beta2, epoch));
            r.weights[i] -= rate * mh / (std::sqrt(vh) + eps);
        }
        if (onEpoch && epoch % 100 == 0)
            onEpoch(epoch, tunerLoss(samples, r.weights, k));
    }
    r.lossAfter = tunerLoss(samples, r.weights, k);
    return r;
}

std::vector<LabelledPosition> selfPlayGame(std::uint64_t seed, int randomPlies, std::uint64_t nodes,
                                           const EvalWeights& weights) {
    constexpr Logic logic = Logic::Star;
    Position p = readFen(kStandardStartFen).position.value();
    std::mt19937_64 rng(seed);
    std::vector<Move> moves;
    for (int ply = 0; ply < randomPlies && !p.isOver(logic); ++ply) {
        if (p.mustPass(logic)) {
            p.pass(logic);
            continue;
        }
        p.legalMoves(logic, moves);
        p.play(logic, moves[static_cast<std::size_t>(rng() % moves.size())]);
    }
    MasterSearch search(16);
    search.setWeights(weights);
    SearchLimits limits;
    limits.timeMs = 0;
    limits.maxNodes = nodes;
    limits.selective = true;
    std::vector<std::pair<std::string, Player>> seen;
    while (!p.isOver(logic)) {
        seen.emplace_back(writeFen(p), p.toMove());
        if (p.mustPass(logic)) {
            p.pass(logic);
            continue;
        }
        const SearchReport r = search.search(p, logic, limits);
        if (!r.move)
            break;
        p.play(logic, *r.move);
    }
    const int winner = p.winner(logic);  // 0 a draw, else the player's number
    std::vector<LabelledPosition> out;
    out.reserve(seen.size());
    for (const auto& [fen, mover] : seen) {
        const double result = winner == 0 ? 0.5 : (winner == number(mover) ? 1.0 : 0.0);
        out.push_back({fen, result});
    }
    return out;
}

}  // namespace tomelin
