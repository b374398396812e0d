// The computer's scoring pass. Deliberately without an include guard: computer.cpp
// compiles it twice through core/popcount_copies.h, once for any machine and once with the
// popcount instruction, and picks one at run time.

template <int W>
class Scorer {
public:
    Scorer(const Position& p, Logic logic, int strength, const std::optional<LastMove>& last,
           std::vector<Candidate>& out, std::vector<int>& best)
        : m_p(p),
          m_g(geometry(p.side(), logic)),
          m_dirs(Directions::of(logic)),
          m_star(logic == Logic::Star),
          m_strength(strength),
          m_last(last),
          m_out(out),
          m_best(best) {}

    int run() {
        const Player me = m_p.toMove();
        const auto own = Bits<W>::load(m_p.tokens(me));
        const auto opp = Bits<W>::load(m_p.tokens(other(me)));
        const auto empty = Bits<W>::load(m_p.freeCells());
        const int dirCount = m_dirs.count();
        const int nbCount = m_dirs.neighbourCount();
        int best = 0;
        bool haveBest = false;
        own.forEach([&](int s) {
            const auto reachable = (neighbours(s) | jumps(s)) & empty;
            if (!reachable.any())
                return;
            for (int d = 0; d < dirCount; ++d) {
                const int t = s + m_g.offset[static_cast<std::size_t>(d)];
                if (t < 0 || t >= m_g.cells || !reachable.test(t))
                    continue;
                // Steps off the board land on unused rows or outside the bits, never on
                // another cell, so a reachable bit is this direction's target.
                const bool copy = d < nbCount;
                const Bits<W> captured = neighbours(t) & opp;
                int score = (copy ? 1 : 0) + 2 * captured.count();
                if (m_strength == 3) {
                    score -= bestReply(own, opp, empty, s, t, copy, captured);
                } else if (m_strength == 0) {
                    score = 1000 - score;
                } else if (m_strength == 1) {
                    score /= 2;  // gains are never negative
                }
                m_out.push_back({{m_p.cellOf(s), m_p.cellOf(t),
                                  copy ? MoveKind::Copy : MoveKind::Jump},
                                 score});
                if (!haveBest || score > best) {
                    best = score;
                    haveBest = true;
                    m_best.clear();
                }
                if (score == best)
                    m_best.push_back(static_cast<int>(m_out.size()) - 1);
            }
        });
        return best;
    }

private:
    Bits<W> neighbours(int bit) const { return Bits<W>::load(m_g.neighboursOf(bit)); }
    Bits<W> jumps(int bit) const { return Bits<W>::load(m_g.jumpsOf(bit)); }
    Bits<W> window(Cell c) const { return Bits<W>::load(m_g.windowOf(m_p.bitOf(c.x, c.y))); }

    // The opponent's best immediate gain on `ReplyGrid`, the board after the candidate as far
    // as it is visible; 0 when no answer gains anything.
    int bestReply(const Bits<W>& own, const Bits<W>& opp, const Bits<W>& empty, int s, int t,
                  bool copy, const Bits<W>& captured) const {
        const Bits<W> sb = Bits<W>::single(s);
        const Bits<W> tb = Bits<W>::single(t);
        Bits<W> visible = Bits<W>::load(m_p.playable());
        if (m_last) {
            visible = (Bits<W>::load(m_g.windowOf(s)) | Bits<W>::load(m_g.windowOf(t)) |
                       window(m_last->source) | window(m_last->target));
        }
        Bits<W> mine = own | tb | captured;
        Bits<W> open = minus(empty, tb);
        if (!copy) {
            mine = minus(mine, sb);
            open = open | sb;
        }
        mine = mine & visible;
        open = open & visible;
        const Bits<W> theirs = minus(opp, captured) & visible;
        if (!theirs.any())
            return 0;
        const Bits<W> copyTargets = bits::neighbourhood(theirs, m_star, m_g.stride) & open;
        const Bits<W> targets = bits::reach(theirs, m_star, m_g.stride) & open;
        // The answer capturing most wins, a copy over a jump among equal captures (a copy
        // capturing one less gains less than that jump).
        const Counts counts = neighbourCounts(mine, targets);
        for (int k = m_dirs.neighbourCount(); k > 0; --k) {
            const Bits<W> exactly = counts.exactly(k) & targets;
            if (exactly.any())
                return 2 * k + ((exactly & copyTargets).any() ? 1 : 0);
        }
        return copyTargets.any() ? 1 : 0;
    }

    // For every cell, how many cells of a set are its neighbours, as four bit planes.
    struct Counts {
        Bits<W> plane[4];
        Bits<W> exactly(int k) const {
            Bits<W> r = Bits<W>::none();
            r = ~r;
            for (int i = 0; i < 4; ++i)
                r = r & ((k >> i) & 1 ? plane[i] : ~plane[i]);
            return r;
        }
    };
    Counts neighbourCounts(const Bits<W>& set, const Bits<W>& within) const {
        Counts c{{Bits<W>::none(), Bits<W>::none(), Bits<W>::none(), Bits<W>::none()}};
        auto add = [&](const Bits<W>& x) {
            Bits<W> carry = x & within;
            for (int i = 0; i < 4 && carry.any(); ++i) {
                const Bits<W> next = c.plane[i] & carry;
                c.plane[i] = c.plane[i] ^ carry;
                carry = next;
            }
        };
        const int s = m_g.stride;
        add(set.up(s));
        add(set.down(s));
        const Bits<W> above = set.down(1), below = set.up(1);
        add(above);
        add(below);
        if (m_star) {
            add(above.up(s));
            add(above.down(s));
            add(below.up(s));
            add(below.down(s));
        }
        return c;
    }

    const Position& m_p;
    const Geometry& m_g;
    const Directions& m_dirs;
    bool m_star;
    int m_strength;
    const std::optional<LastMove>& m_last;
    std::vector<Candidate>& m_out;
    std::vector<int>& m_best;
};

