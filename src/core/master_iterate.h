// "PC Velmistr"'s iterative deepening and time control over one Engine (master_engine.h).
// Deliberately without an include guard: master_engine.h includes it at its end, once for
// each compiled copy of the engine (see core/popcount_copies.h).

// Iterative deepening over one Engine, from depth 1 up: fills the report's move, depth,
// score and nodes.
template <int W>
void runSearch(MasterSearch::Tables& tables, const Position& position, Logic logic,
               const EvalWeights& weights, const SearchLimits& limits,
               const std::atomic<bool>* stop, SearchClock& c, std::int64_t start,
               std::int64_t deadline, const MasterSearch::DepthListener& onDepth,
               SearchReport& report) {
    Engine<W> engine(tables, position, logic, weights, stop, c, deadline, limits.maxNodes,
                     limits.selective);
    std::vector<PackedMove> order = engine.rootMoves();
    if (order.empty())
        return;
    report.move = engine.toMove(order.front());
    const int maxDepth = std::clamp(limits.maxDepth, 1, kMaxPly - 2);
    std::int64_t previousIterationMs = 0;
    for (int depth = 1; depth <= maxDepth; ++depth) {
        const std::int64_t iterationStart = c.nowMs();
        if (stop && stop->load()) {
            report.stopped = true;
            break;
        }
        // Depth 1 always finishes (unless stopped), so a move is always named.
        engine.allowTimeout(depth > 1);
        PackedMove best = order.front();
        bool complete = false;
        const int score = engine.root(depth, order, best, complete);
        if (engine.stoppedByFlag())
            break;
        // A move that beat the previous best within an unfinished iteration is better.
        report.move = engine.toMove(best);
        if (!complete)
            break;
        report.depth = depth;
        report.score = score;
        report.nodes = engine.nodes();
        report.elapsedMs = c.nowMs() - start;
        report.seldepth = engine.seldepth();
        if (onDepth) {
            report.pv = engine.principalVariation(depth);
            onDepth(report);
        }
        // A decided game needs no deeper look, nor does a position with one move.
        if (score >= kWinScore || score <= -kWinScore || order.size() == 1)
            break;
        // The next depth costs about as many times this one as this one cost the one
        // before (at least twice, at most eight times): a depth that would not end in
        // time is not started, so the time goes to the moves and not to lost work.
        const std::int64_t now = c.nowMs();
        const std::int64_t iterationMs = now - iterationStart;
        const double growth = previousIterationMs > 0
                                  ? std::clamp(static_cast<double>(iterationMs) /
                                                   static_cast<double>(previousIterationMs),
                                               2.0, 8.0)
                                  : 4.0;
        previousIterationMs = std::max<std::int64_t>(iterationMs, 1);
        if (deadline > 0 && !limits.useWholeBudget &&
            static_cast<double>(now - start) + growth * static_cast<double>(iterationMs) >
                static_cast<double>(limits.timeMs))
            break;
    }
    report.nodes = engine.nodes();
    report.seldepth = engine.seldepth();
    report.stopped = report.stopped || engine.stoppedByFlag();
}
