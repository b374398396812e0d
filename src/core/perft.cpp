#include "core/perft.h"

#include <array>
#include <vector>

namespace tomelin {

namespace {

// Works on a flat copy of the grid with precomputed direction steps; moves are made and
// unmade in place, so the walk allocates nothing per node.
class PerftWalker {
public:
    PerftWalker(const Board& board, const Directions& dirs) {
        const std::uint8_t* src = board.data();
        for (int i = 0; i < Board::kCellCount; ++i)
            m_cells[static_cast<std::size_t>(i)] = src[i];
        const int n = board.side();
        for (int x = 0; x < n; ++x) {
            for (int y = 0; y < n; ++y)
                m_playing.push_back(Board::flatIndex(x, y));
        }
        m_nbCount = dirs.neighbourCount();
        m_dirCount = dirs.count();
        for (int d = 0; d < m_dirCount; ++d) {
            const auto du = static_cast<std::size_t>(d);
            m_offsets[du] = Board::flatOffset(dirs.dx[du], dirs.dy[du]);
        }
    }

    std::uint64_t count(int player, int depth) {
        if (depth <= 0)
            return 1;
        if (depth == 1)
            return moveCount(player);
        const std::uint8_t own = tokenOf(player);
        const std::uint8_t opp = tokenOf(3 - player);
        std::uint64_t total = 0;
        for (int t : m_playing) {
            if (m_cells[ux(t)] == kFreeCell && hasNeighbour(t, own)) {
                total += playAndCount(-1, t, own, opp, player, depth);
            }
        }
        for (int s : m_playing) {
            if (m_cells[ux(s)] != own)
                continue;
            for (int d = m_nbCount; d < m_dirCount; ++d) {
                const int t = s + m_offsets[ux(d)];
                if (m_cells[ux(t)] == kFreeCell)
                    total += playAndCount(s, t, own, opp, player, depth);
            }
        }
        return total;
    }

    std::uint64_t moveCount(int player) const {
        const std::uint8_t own = tokenOf(player);
        std::uint64_t moves = 0;
        for (int c : m_playing) {
            const std::uint8_t v = m_cells[ux(c)];
            if (v == kFreeCell) {
                if (hasNeighbour(c, own))
                    ++moves;
            } else if (v == own) {
                for (int d = m_nbCount; d < m_dirCount; ++d) {
                    if (m_cells[ux(c + m_offsets[ux(d)])] == kFreeCell)
                        ++moves;
                }
            }
        }
        return moves;
    }

private:
    static std::size_t ux(int i) { return static_cast<std::size_t>(i); }

    bool hasNeighbour(int cell, std::uint8_t token) const {
        for (int e = 0; e < m_nbCount; ++e) {
            if (m_cells[ux(cell + m_offsets[ux(e)])] == token)
                return true;
        }
        return false;
    }

    // Plays a copy (source < 0) or a jump onto `target`, counts below it, and unplays it.
    std::uint64_t playAndCount(int source, int target, std::uint8_t own, std::uint8_t opp,
                               int player, int depth) {
        std::array<int, 8> captured{};
        int capturedCount = 0;
        m_cells[ux(target)] = own;
        if (source >= 0)
            m_cells[ux(source)] = kFreeCell;
        for (int e = 0; e < m_nbCount; ++e) {
            const int c = target + m_offsets[ux(e)];
            if (m_cells[ux(c)] == opp) {
                m_cells[ux(c)] = own;
                captured[ux(capturedCount++)] = c;
            }
        }
        const std::uint64_t below = count(3 - player, depth - 1);
        for (int k = 0; k < capturedCount; ++k)
            m_cells[ux(captured[ux(k)])] = opp;
        if (source >= 0)
            m_cells[ux(source)] = own;
        m_cells[ux(target)] = kFreeCell;
        return below;
    }

    std::array<std::uint8_t, Board::kCellCount> m_cells{};
    std::vector<int> m_playing;
    std::array<int, 26> m_offsets{};
    int m_nbCount = 0;
    int m_dirCount = 0;
};

}  // namespace

std::uint64_t perft(const Board& board, const Directions& dirs, int player, int depth) {
    PerftWalker walker(board, dirs);
    return walker.count(player, depth);
}

std::uint64_t countMoves(const Board& board, const Directions& dirs, int player) {
    return PerftWalker(board, dirs).moveCount(player);
}

}  // namespace tomelin
