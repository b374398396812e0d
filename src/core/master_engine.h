// "PC Velmistr"'s search over bit sets of W words. Deliberately without an include guard:
// master_search.cpp compiles it twice through core/popcount_copies.h, once for any machine
// and once with the popcount instruction, and picks one at run time.

template <int W>
class Engine {
public:
    using B = Bits<W>;

    Engine(MasterSearch::Tables& tables, const Position& pos, Logic logic,
           const EvalWeights& weights, const std::atomic<bool>* stop, SearchClock& clock,
           std::int64_t deadline, std::uint64_t maxNodes = 0, bool selective = false)
        : m_t(tables),
          m_g(geometry(pos.side(), logic)),
          m_star(logic == Logic::Star),
          m_stride(pos.stride()),
          m_w(weights),
          m_stop(stop),
          m_clock(clock),
          m_deadline(deadline),
          m_maxNodes(maxNodes),
          m_selective(selective),
          m_passing(pos.rules() == Rules::Ataxx),
          m_halfmoves(pos.halfmoveClock()) {
        m_playable = B::load(pos.playable());
        m_side[0] = B::load(pos.tokens(Player::One));
        m_side[1] = B::load(pos.tokens(Player::Two));
        m_stm = pos.toMove() == Player::One ? 0 : 1;
        const Zobrist& z = zobrist();
        m_key = z.board[2 * pos.side() + (m_star ? 0 : 1)];
        for (int s = 0; s < 2; ++s)
            m_side[s].forEach([&](int b) { m_key ^= z.cell[s][b]; });
        if (m_stm == 1)
            m_key ^= z.blackToMove;
        if (m_passing)
            m_key ^= z.passingRules;
        for (auto& list : m_lists)
            list.reserve(256);
        const int around = Directions::of(logic).neighbourCount();
        m_rim = B::none();
        m_playable.forEach([&](int b) {
            if ((B::load(m_g.neighboursOf(b)) & m_playable).count() < around)
                m_rim = m_rim | B::single(b);
        });
    }

    // Static score of the current position for the side to move, given its sides and free
    // cells. The caller has already scored a full board and the standard game's end; a side
    // that cannot move under Tomelin's rule is scored here (the opponent fills the board).
    int evaluate(const B& own, const B& opp, const B& empty) const {
        if (!m_passing && !(bits::reach(own, m_star, m_stride) & empty).any())
            return finalScore(own.count(), opp.count() + empty.count());
        const B around = bits::neighbourhood(empty, m_star, m_stride);
        int s = m_w.material * (own.count() - opp.count());
        s += m_w.frontier * ((own & around).count() - (opp & around).count());
        s += m_w.copyReach * ((bits::neighbourhood(own, m_star, m_stride) & empty).count() -
                              (bits::neighbourhood(opp, m_star, m_stride) & empty).count());
        if (m_w.rim != 0)
            s += m_w.rim * ((own & m_rim).count() - (opp & m_rim).count());
        return s;
    }

    // One iteration at the root over `order`, which it leaves with the best move first;
    // `complete` tells whether every move was searched to the full depth.
    int root(int depth, std::vector<PackedMove>& order, PackedMove& best, bool& complete) {
        complete = false;
        int alpha = -kInfinity;
        const int beta = kInfinity;
        PackedMove found = kNoMove;
        int bestScore = -kInfinity;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const PackedMove m = order[i];
            const State saved = state();
            make(m);
            int score;
            if (i == 0) {
                score = -negamax(depth - 1, -beta, -alpha, 1);
            } else {
                score = -negamax(depth - 1, -alpha - 1, -alpha, 1);
                if (!m_aborted && score > alpha)
                    score = -negamax(depth - 1, -beta, -alpha, 1);
            }
            restore(saved);
            if (m_aborted)
                break;
            if (score > bestScore) {
                bestScore = score;
                found = m;
                if (score > alpha)
                    alpha = score;
                // The best move so far leads the next iteration.
                std::rotate(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(i),
                            order.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            }
        }
        if (found != kNoMove)
            best = found;
        complete = !m_aborted;
        if (complete)
            store(depth, bestScore, kExact, found);
        return bestScore;
    }

    // The root moves in search order (table move first).
    std::vector<PackedMove> rootMoves() {
        generate(0, probeMove());
        std::vector<PackedMove> order;
        std::vector<Scored>& list = m_lists[0];
        std::stable_sort(list.begin(), list.end(),
                         [](const Scored& a, const Scored& b) { return a.key > b.key; });
        for (const Scored& s : list)
            order.push_back(s.move);
        return order;
    }

    // A copy names the first own neighbour of its target in direction order.
    Move toMove(PackedMove m) const {
        const auto cell = [&](int b) { return Cell{b / m_stride, b % m_stride}; };
        const int t = toOf(m);
        if (isJump(m))
            return {cell(fromOf(m)), cell(t), MoveKind::Jump};
        const Directions& dirs = Directions::of(m_star ? Logic::Star : Logic::Cross);
        const std::uint64_t* nb = m_g.neighboursOf(t);
        for (int e = 0; e < dirs.neighbourCount(); ++e) {
            const int s = t + m_g.offset[static_cast<std::size_t>(e)];
            if (s >= 0 && s < m_g.cells && m_side[m_stm].test(s) && ((nb[s >> 6] >> (s & 63)) & 1U))
                return {cell(s), cell(t), MoveKind::Copy};
        }
        return {cell(t), cell(t), MoveKind::Copy};
    }

    // The line the table expects from the root, at most `maxLength` moves; it ends at a
    // position without a table move or before a pass.
    std::vector<Move> principalVariation(int maxLength) {
        std::vector<Move> line;
        const State saved = state();
        for (int i = 0; i < maxLength; ++i) {
            const PackedMove m = probeMove();
            if (m == kNoMove || !playable(m))
                break;
            line.push_back(toMove(m));
            make(m);
        }
        restore(saved);
        return line;
    }

    int seldepth() const { return m_seldepth; }

    void allowTimeout(bool allow) { m_timeoutAllowed = allow; }
    bool stoppedByFlag() const { return m_stoppedByFlag; }
    std::uint64_t nodes() const { return m_nodes; }

private:
    struct State {
        B a, b;
        std::uint64_t key;
        int stm;
        int halfmoves;
    };
    struct Scored {
        PackedMove move;
        std::int64_t key;
    };

    State state() const { return {m_side[0], m_side[1], m_key, m_stm, m_halfmoves}; }
    void restore(const State& s) {
        m_side[0] = s.a;
        m_side[1] = s.b;
        m_key = s.key;
        m_stm = s.stm;
        m_halfmoves = s.halfmoves;
    }

    // A table move that can be made here (a stale entry of another position is not).
    bool playable(PackedMove m) const {
        const B empty = minus(m_playable, m_side[0] | m_side[1]);
        const int t = toOf(m);
        if (t < 0 || t >= m_g.cells || !empty.test(t))
            return false;
        if (isJump(m)) {
            const int f = fromOf(m);
            return f >= 0 && f < m_g.cells && m_side[m_stm].test(f) &&
                   B::load(m_g.jumpsOf(f)).test(t);
        }
        return (B::load(m_g.neighboursOf(t)) & m_side[m_stm]).any();
    }

    // Under the standard rules: the score of a finished game, or nothing while it goes on.
    std::optional<int> passingEnd(const B& own, const B& opp, const B& empty) const {
        if (!own.any() || !opp.any())
            return finalScore(own.count(), opp.count());
        const bool stuck = !(bits::reach(own | opp, m_star, m_stride) & empty).any();
        if (stuck)
            return finalScore(own.count(), opp.count());
        if (m_halfmoves >= kHalfmoveLimit)
            return 0;
        return std::nullopt;
    }

    void makePass() {
        m_stm = 1 - m_stm;
        m_key ^= zobrist().blackToMove;
        ++m_halfmoves;
    }

    void make(PackedMove m) {
        const Zobrist& z = zobrist();
        const int me = m_stm, them = 1 - m_stm;
        const int t = toOf(m);
        const B captured = B::load(m_g.neighboursOf(t)) & m_side[them];
        captured.forEach([&](int c) { m_key ^= z.cell[me][c] ^ z.cell[them][c]; });
        m_side[them] = minus(m_side[them], captured);
        m_side[me] = m_side[me] | captured | B::single(t);
        m_key ^= z.cell[me][t];
        if (isJump(m)) {
            const int f = fromOf(m);
            m_side[me] = minus(m_side[me], B::single(f));
            m_key ^= z.cell[me][f];
        }
        m_stm = them;
        m_key ^= z.blackToMove;
        if (m_passing)
            m_halfmoves = isJump(m) ? m_halfmoves + 1 : 0;
    }

    bool timeUp() {
        if (m_stop && m_stop->load(std::memory_order_relaxed)) {
            m_stoppedByFlag = true;
            return true;
        }
        if (m_timeoutAllowed && m_maxNodes > 0 && m_nodes >= m_maxNodes)
            return true;
        return m_timeoutAllowed && m_deadline > 0 && m_clock.nowMs() >= m_deadline;
    }

    // The table's key of the current position: the position's key, and under the standard
    // rules the half-move clock once the limit is near.
    std::uint64_t ttKey() const {
        if (!m_passing || m_halfmoves < kHalfmoveLimit - kMaxPly)
            return m_key;
        return m_key ^ zobrist().clock[std::min(m_halfmoves, kHalfmoveLimit)];
    }

    PackedMove probeMove() const {
        const std::uint64_t key = ttKey();
        const TtEntry& e = m_t.tt[key & m_t.ttMask];
        return e.key == key ? e.move() : kNoMove;
    }

    void store(int depth, int score, std::uint32_t bound, PackedMove move) {
        const std::uint64_t key = ttKey();
        TtEntry& e = m_t.tt[key & m_t.ttMask];
        // Keep a deeper entry of the same position unless this one is exact.
        if (e.key == key && e.depth() > depth && bound != kExact)
            return;
        e.key = key;
        e.score = score;
        e.data = (move & 0x7FFFFU) | (bound << 19) | (static_cast<std::uint32_t>(depth) << 24);
    }

    // Fills m_lists[ply] with the moves of the side to move and their ordering keys.
    void generate(int ply, PackedMove ttMove) {
        std::vector<Scored>& list = m_lists[static_cast<std::size_t>(ply)];
        list.clear();
        const int me = m_stm;
        const B& own = m_side[me];
        const B& opp = m_side[1 - me];
        const B empty = minus(m_playable, own | opp);
        const PackedMove k0 = ply < kMaxPly ? m_t.killers[ply][0] : kNoMove;
        const PackedMove k1 = ply < kMaxPly ? m_t.killers[ply][1] : kNoMove;
        auto add = [&](PackedMove m, int t, int gainBase) {
            const int gain = gainBase + 2 * (B::load(m_g.neighboursOf(t)) & opp).count();
            std::int64_t key;
            if (m == ttMove) {
                key = std::int64_t{1} << 50;
            } else {
                key = (static_cast<std::int64_t>(gain) << 32) + m_t.historyOf(me, m);
                if (m == k0 || m == k1)
                    key += std::int64_t{1} << 31;
            }
            list.push_back({m, key});
        };
        (bits::neighbourhood(own, m_star, m_stride) & empty).forEach([&](int t) {
            add(pack(t, t, false), t, 1);
        });
        own.forEach([&](int s) {
            // A jump leaves a hole behind: the more own tokens around the source, the
            // more it exposes.
            const int exposed = (B::load(m_g.neighboursOf(s)) & own).count();
            (B::load(m_g.jumpsOf(s)) & empty).forEach([&](int t) {
                add(pack(s, t, true), t, exposed > 2 ? -1 : 0);
            });
        });
    }

    int negamax(int depth, int alpha, int beta, int ply) {
        ++m_nodes;
        if ((m_nodes & 255U) == 0 && timeUp())
            m_aborted = true;
        if (m_aborted)
            return 0;
        if (ply > m_seldepth)
            m_seldepth = ply;
        const B& own = m_side[m_stm];
        const B& opp = m_side[1 - m_stm];
        const B empty = minus(m_playable, own | opp);
        if (!empty.any())
            return finalScore(own.count(), opp.count());
        if (m_passing) {
            if (const std::optional<int> end = passingEnd(own, opp, empty))
                return *end;
        }
        if (depth <= 0 || ply >= kMaxPly - 1)
            return evaluate(own, opp, empty);

        PackedMove ttMove = kNoMove;
        {
            const std::uint64_t key = ttKey();
            const TtEntry& e = m_t.tt[key & m_t.ttMask];
            if (e.key == key) {
                ttMove = e.move();
                // Only an entry of exactly this depth decides: the score of a position
                // searched to a given depth is then the same however it was reached.
                if (e.depth() == depth) {
                    const int s = e.score;
                    if (e.bound() == kExact)
                        return s;
                    if (e.bound() == kLower && s >= beta)
                        return s;
                    if (e.bound() == kUpper && s <= alpha)
                        return s;
                }
            }
        }

        const bool pvNode = beta - alpha > 1;
        generate(ply, ttMove);
        std::vector<Scored>& list = m_lists[static_cast<std::size_t>(ply)];
        if (list.empty()) {
            if (m_passing) {  // the opponent can move (the game is not over): a pass
                const State saved = state();
                makePass();
                const int score = -negamax(depth - 1, -beta, -alpha, ply + 1);
                restore(saved);
                return m_aborted ? 0 : score;
            }
            // cannot move: the opponent receives every free cell
            return finalScore(own.count(), opp.count() + empty.count());
        }

        const int alpha0 = alpha;
        int best = -kInfinity;
        PackedMove bestMove = kNoMove;
        const std::size_t count = list.size();
        for (std::size_t i = 0; i < count; ++i) {
            // Selection of the best remaining key: most nodes cut off after a few moves.
            std::size_t pick = i;
            for (std::size_t j = i + 1; j < count; ++j) {
                if (list[j].key > list[pick].key)
                    pick = j;
            }
            std::swap(list[i], list[pick]);
            const PackedMove m = list[i].move;
            // The rest are jumps that take nothing (sorted last): once two moves are
            // searched and one of them does not lose, they are not worth a look.
            if (m_selective && i >= 2 && best > -kWinScore && isJump(m) &&
                (list[i].key >> 32) <= 0)
                break;

            const State saved = state();
            make(m);
            int score;
            if (i == 0) {
                score = -negamax(depth - 1, -beta, -alpha, ply + 1);
            } else {
                // A late move is first searched less deep; if it then beats alpha, at the
                // full depth.
                const int r = m_selective && depth >= 3 && i >= 2
                                  ? std::clamp(lateReduction(depth, static_cast<int>(i)) -
                                                   (pvNode ? 1 : 0),
                                               0, depth - 2)
                                  : 0;
                score = -negamax(depth - 1 - r, -alpha - 1, -alpha, ply + 1);
                if (!m_aborted && r > 0 && score > alpha)
                    score = -negamax(depth - 1, -alpha - 1, -alpha, ply + 1);
                if (!m_aborted && score > alpha && score < beta)
                    score = -negamax(depth - 1, -beta, -alpha, ply + 1);
            }
            restore(saved);
            if (m_aborted)
                return 0;
            if (score > best) {
                best = score;
                bestMove = m;
                if (score > alpha) {
                    alpha = score;
                    if (alpha >= beta) {
                        if (ply < kMaxPly && m_t.killers[ply][0] != m) {
                            m_t.killers[ply][1] = m_t.killers[ply][0];
                            m_t.killers[ply][0] = m;
                        }
                        std::int32_t& h = m_t.historyOf(m_stm, m);
                        h = std::min<std::int32_t>(h + depth * depth, 1 << 30);
                        break;
                    }
                }
            }
        }
        const std::uint32_t bound = best >= beta ? kLower : (best > alpha0 ? kExact : kUpper);
        store(depth, best, bound, bestMove);
        return best;
    }

    MasterSearch::Tables& m_t;
    const Geometry& m_g;
    bool m_star;
    int m_stride;
    EvalWeights m_w;
    const std::atomic<bool>* m_stop;
    SearchClock& m_clock;
    std::int64_t m_deadline;
    std::uint64_t m_maxNodes;
    bool m_selective;
    bool m_passing;
    int m_halfmoves;
    int m_seldepth = 0;
    bool m_timeoutAllowed = false;

    B m_playable;
    B m_rim;  // playable cells with fewer playable neighbours than the logic's count
    B m_side[2];
    int m_stm = 0;
    std::uint64_t m_key = 0;

    std::uint64_t m_nodes = 0;
    bool m_aborted = false;
    bool m_stoppedByFlag = false;
    std::vector<Scored> m_lists[kMaxPly];
};

#include "core/master_iterate.h"
