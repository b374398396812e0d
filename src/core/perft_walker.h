// The perft walk itself. Deliberately without an include guard: perft.cpp compiles it twice
// through core/popcount_copies.h, once for any machine and once with the popcount
// instruction, and picks one at run time.

// Copy-make on bit sets: each ply builds the child's sets from the parent's in registers,
// so there is nothing to unmake. The last ply only counts.
template <int W, bool Star>
class Walker {
public:
    explicit Walker(const Geometry& g) : m_g(g) {}

    std::uint64_t count(const Bits<W>& own, const Bits<W>& opp, const Bits<W>& empty,
                        int depth) const {
        if (depth == 1)
            return moves(own, empty);
        if (depth == 2)
            return replies(own, opp, empty);
        std::uint64_t total = 0;
        (bits::neighbourhood(own, Star, m_g.stride) & empty).forEach([&](int t) {
            const Bits<W> tb = Bits<W>::single(t);
            const Bits<W> cap = neighbours(t) & opp;
            total += count(opp ^ cap, own | tb | cap, empty ^ tb, depth - 1);
        });
        own.forEach([&](int s) {
            const Bits<W> sb = Bits<W>::single(s);
            const Bits<W> left = own ^ sb;
            const Bits<W> emptyAfter = empty | sb;
            jumps(s, empty).forEach([&](int t) {
                const Bits<W> tb = Bits<W>::single(t);
                const Bits<W> cap = neighbours(t) & opp;
                total += count(opp ^ cap, left | tb | cap, emptyAfter ^ tb, depth - 1);
            });
        });
        return total;
    }

private:
    static constexpr int kCopyDirections = Star ? 8 : 4;
    static constexpr int kJumpDirections = Star ? 16 : 8;

    // The moves of the side holding `own`: one per copy target, one per jump.
    std::uint64_t moves(const Bits<W>& own, const Bits<W>& empty) const {
        const Bits<W> copies = bits::neighbourhood(own, Star, m_g.stride) & empty;
        return static_cast<std::uint64_t>(copies.count()) + jumpPairs(own, empty);
    }

    // Pairs of a token of `own` and a free cell one jump away.
    std::uint64_t jumpPairs(const Bits<W>& own, const Bits<W>& empty) const {
        std::uint64_t n = 0;
        // Per token, or per direction once there are more tokens than jump directions (a
        // step never lands on another cell than its true target).
        if (own.count() > kJumpDirections) {
            for (int d = kCopyDirections; d < kCopyDirections + kJumpDirections; ++d) {
                const int offset = m_g.offset[static_cast<std::size_t>(d)];
                n += static_cast<std::uint64_t>((own.shifted(offset) & empty).count());
            }
        } else {
            own.forEach([&](int s) { n += static_cast<std::uint64_t>(jumps(s, empty).count()); });
        }
        return n;
    }

    // The sum of the opponent's move counts over every move of `own`, without making the
    // moves. The opponent's copies after a move are counted from the neighbourhood of its
    // tokens that are left; its jumps are the pairs (token, free cell one jump apart) of
    // this position, corrected for what the move changes: the target is no longer free,
    // captured tokens no longer jump, and a jump's source becomes free. Jumping is
    // symmetric (a cell one jump from a token has that token one jump away), and no cell is
    // both a neighbour and a jump target of another, which keeps these corrections apart.
    std::uint64_t replies(const Bits<W>& own, const Bits<W>& opp, const Bits<W>& empty) const {
        const Bits<W> oppNear = bits::neighbourhood(opp, Star, m_g.stride);
        const Bits<W> copyTargets = bits::neighbourhood(own, Star, m_g.stride) & empty;
        const Bits<W> targets = bits::reach(own, Star, m_g.stride) & empty;
        const std::int64_t oppCopies = (oppNear & empty).count();
        const std::int64_t oppJumps = static_cast<std::int64_t>(jumpPairs(opp, empty));
        // For each own token: the opponent's tokens one jump away.
        std::array<std::int8_t, 64 * W> oppJumpsTo{};
        own.forEach([&](int s) {
            oppJumpsTo[static_cast<std::size_t>(s)] =
                static_cast<std::int8_t>((Bits<W>::load(m_g.jumpsOf(s)) & opp).count());
        });
        std::int64_t total = 0;
        targets.forEach([&](int t) {
            const Bits<W> tb = Bits<W>::single(t);
            const Bits<W> cap = neighbours(t) & opp;
            const Bits<W> sources = Bits<W>::load(m_g.jumpsOf(t)) & own;
            const std::int64_t jumpMoves = sources.count();
            const std::int64_t moveCount = jumpMoves + (copyTargets.test(t) ? 1 : 0);
            std::int64_t lostJumps = (Bits<W>::load(m_g.jumpsOf(t)) & opp).count();
            if (!cap.any()) {
                const std::int64_t copiesAfter = oppCopies - (oppNear.test(t) ? 1 : 0);
                total += moveCount * (copiesAfter + oppJumps - lostJumps);
                sources.forEach([&](int s) {
                    total += (oppNear.test(s) ? 1 : 0) + oppJumpsTo[static_cast<std::size_t>(s)];
                });
                return;
            }
            const Bits<W> left = opp ^ cap;
            const Bits<W> leftNear = bits::neighbourhood(left, Star, m_g.stride);
            const std::int64_t copiesAfter = (minus(leftNear & empty, tb)).count();
            cap.forEach([&](int c) { lostJumps += jumps(c, empty).count(); });
            total += moveCount * (copiesAfter + oppJumps - lostJumps);
            sources.forEach([&](int s) {
                const Bits<W> near = Bits<W>::load(m_g.jumpsOf(s));
                total += (leftNear.test(s) ? 1 : 0) + oppJumpsTo[static_cast<std::size_t>(s)] -
                         (near & cap).count();
            });
        });
        return static_cast<std::uint64_t>(total);
    }

    Bits<W> neighbours(int bit) const { return Bits<W>::load(m_g.neighboursOf(bit)); }
    Bits<W> jumps(int bit, const Bits<W>& empty) const {
        return Bits<W>::load(m_g.jumpsOf(bit)) & empty;
    }

    const Geometry& m_g;
};

template <int W, bool Star>
std::uint64_t run(const Position& p, const Geometry& g, int depth) {
    const auto own = Bits<W>::load(p.tokens(p.toMove()));
    const auto opp = Bits<W>::load(p.tokens(other(p.toMove())));
    const auto empty = Bits<W>::load(p.freeCells());
    return Walker<W, Star>(g).count(own, opp, empty, depth);
}

