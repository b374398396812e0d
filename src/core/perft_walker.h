// The perft walk itself. Deliberately without an include guard: perft.cpp compiles it twice,
// once for any x86-64 or arm64 machine and once with the popcount instruction, and picks
// one at run time.

// Copy-make on bit sets: each ply builds the child's sets from the parent's in registers,
// so there is nothing to unmake. The last ply only counts.
template <int W, bool Star>
class Walker {
public:
    explicit Walker(const Geometry& g) : m_g(g) {}

    std::uint64_t count(const Bits<W>& own, const Bits<W>& opp, const Bits<W>& empty,
                        int depth) const {
        const Bits<W> copies = bits::neighbourhood(own, Star, m_g.stride) & empty;
        if (depth == 1) {
            std::uint64_t n = static_cast<std::uint64_t>(copies.count());
            // Jumps counted per token, or per direction once there are more tokens than jump
            // directions (a step never lands on another cell than its true target).
            if (own.count() > kJumpDirections) {
                for (int d = kCopyDirections; d < kCopyDirections + kJumpDirections; ++d) {
                    const int offset = m_g.offset[static_cast<std::size_t>(d)];
                    n += static_cast<std::uint64_t>((own.shifted(offset) & empty).count());
                }
            } else {
                own.forEach(
                    [&](int s) { n += static_cast<std::uint64_t>(jumps(s, empty).count()); });
            }
            return n;
        }
        std::uint64_t total = 0;
        copies.forEach([&](int t) {
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

