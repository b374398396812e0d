#include "core/computer.h"

#include <algorithm>
#include <cstring>

namespace tomelin {

namespace {

// Largest reply gain possible: a copy that captures on every neighbour.
int maxReplyGain(const Directions& dirs) {
    return 1 + 2 * dirs.neighbourCount();
}

// Floor division by two, as Int(v / 2) does for negative values too.
int halfDown(int v) {
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

}  // namespace

ComputerSearch::ComputerSearch() {
    // A board of 16 x 16 has at most 24 targets for each of its 256 cells.
    constexpr std::size_t kMaxCandidates = 24 * kMaxSide * kMaxSide;
    m_candidates.reserve(kMaxCandidates);
    m_best.reserve(kMaxCandidates);
    m_oppTokens.reserve(kMaxSide * kMaxSide);
}

void ComputerSearch::buildReplyGrid(const Board& board, const std::optional<LastMove>& lastMove,
                                    CellPos source, CellPos target) {
    auto& grid = m_reply;
    const std::uint8_t* cells = board.data();
    if (!lastMove) {
        // No last move on record: the whole board is visible.
        std::memcpy(grid.data(), cells, grid.size());
        return;
    }
    grid.fill(kNoCell);
    // Only four 7 x 7 windows are copied: around the candidate's source and target and
    // around the last move's source and target.
    const CellPos centres[4] = {source, target, lastMove->source, lastMove->target};
    for (const CellPos& c : centres) {
        const int x0 = std::max(c.x - 3, Board::kLow);
        const int x1 = std::min(c.x + 3, Board::kHigh);
        const int y0 = std::max(c.y - 3, Board::kLow);
        const int y1 = std::min(c.y + 3, Board::kHigh);
        if (x0 > x1)
            continue;
        for (int y = y0; y <= y1; ++y) {
            const int from = Board::flatIndex(x0, y);
            std::memcpy(grid.data() + from, cells + from, static_cast<std::size_t>(x1 - x0 + 1));
        }
    }
}

int ComputerSearch::bestReply(int ownToken, int oppToken, const Directions& dirs) {
    const std::uint8_t* grid = m_reply.data();
    const int dirCount = dirs.count();
    const int nbCount = dirs.neighbourCount();
    const int ceiling = maxReplyGain(dirs);
    // Many answers share a target cell: its captures are counted once per candidate.
    if (++m_stampGeneration == 0) {
        m_stamp.fill(0);
        m_stampGeneration = 1;
    }
    int best = 0;
    for (int u : m_oppTokens) {
        if (grid[u] != oppToken)
            continue;  // not visible, or captured by the candidate
        for (int f = 0; f < dirCount; ++f) {
            const int t = u + m_offsets[static_cast<std::size_t>(f)];
            if (grid[t] != kFreeCell)
                continue;
            const auto tu = static_cast<std::size_t>(t);
            if (m_stamp[tu] != m_stampGeneration) {
                int captures = 0;
                for (int h = 0; h < nbCount; ++h) {
                    if (grid[t + m_offsets[static_cast<std::size_t>(h)]] == ownToken)
                        captures += 2;
                }
                m_stamp[tu] = m_stampGeneration;
                m_captureGain[tu] = static_cast<std::uint8_t>(captures);
            }
            const int gain = dirs.kind[static_cast<std::size_t>(f)] - 1 + m_captureGain[tu];
            if (gain > best) {
                best = gain;
                if (best == ceiling)
                    return best;
            }
        }
    }
    return best;
}

ComputerSearch::Result ComputerSearch::run(const Board& board, const Directions& dirs, int player,
                                           int strength, const std::optional<LastMove>& lastMove) {
    m_candidates.clear();
    m_best.clear();
    const int n = board.side();
    const int own = tokenOf(player);
    const int opp = tokenOf(3 - player);
    const std::uint8_t* cells = board.data();
    const int dirCount = dirs.count();
    const int nbCount = dirs.neighbourCount();
    for (int d = 0; d < dirCount; ++d) {
        m_offsets[static_cast<std::size_t>(d)] = Board::flatOffset(
            dirs.dx[static_cast<std::size_t>(d)], dirs.dy[static_cast<std::size_t>(d)]);
    }
    if (strength == 3) {
        m_oppTokens.clear();
        for (int x = 0; x < n; ++x) {
            for (int y = 0; y < n; ++y) {
                const int i = Board::flatIndex(x, y);
                if (cells[i] == opp)
                    m_oppTokens.push_back(i);
            }
        }
    }

    int best = 0;
    bool haveBest = false;
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int from = Board::flatIndex(x, y);
            if (cells[from] != own)
                continue;
            for (int d = 0; d < dirCount; ++d) {
                const auto du = static_cast<std::size_t>(d);
                const int to = from + m_offsets[du];
                if (cells[to] != kFreeCell)
                    continue;
                const bool jump = dirs.kind[du] == Directions::kJumpKind;
                Candidate c{x, y, x + dirs.dx[du], y + dirs.dy[du], dirs.kind[du] - 1};
                if (strength == 3) {
                    buildReplyGrid(board, lastMove, {x, y}, {c.toX, c.toY});
                    m_reply[static_cast<std::size_t>(to)] = static_cast<std::uint8_t>(own);
                    if (jump)
                        m_reply[static_cast<std::size_t>(from)] = kFreeCell;
                }
                for (int e = 0; e < nbCount; ++e) {
                    const int nb = to + m_offsets[static_cast<std::size_t>(e)];
                    if (cells[nb] == opp) {
                        c.score += 2;
                        if (strength == 3) {
                            m_reply[static_cast<std::size_t>(nb)] = static_cast<std::uint8_t>(own);
                        }
                    }
                }
                if (strength == 3) {
                    c.score -= bestReply(own, opp, dirs);
                } else if (strength == 0) {
                    c.score = 1000 - c.score;
                } else if (strength == 1) {
                    c.score = halfDown(c.score);
                }
                m_candidates.push_back(c);
                if (!haveBest || c.score > best) {
                    best = c.score;
                    haveBest = true;
                    m_best.clear();
                }
                if (c.score == best)
                    m_best.push_back(static_cast<int>(m_candidates.size()) - 1);
            }
        }
    }
    return {&m_candidates, &m_best, best};
}

}  // namespace tomelin
