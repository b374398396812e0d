#pragma once
// The computer player's scoring of every legal move (`PcIQ` without its timers and display).

#include <array>
#include <optional>
#include <vector>

#include "core/board.h"
#include "core/directions.h"
#include "core/ports.h"

namespace tomelin {

struct Candidate {
    int fromX = 0;
    int fromY = 0;
    int toX = 0;
    int toY = 0;
    int score = 0;
    bool operator==(const Candidate&) const = default;
};

// The last move on record (the `Shape1` and `Shape2` markers); none after a game start or
// a full redraw, in which case strength 3 sees the whole board.
struct LastMove {
    CellPos source;
    CellPos target;
};

// Scores every candidate of player p at strength 0..3, in scan order (columns from the
// left, each from the top; directions in table order). Buffers are reused between calls,
// so a search allocates nothing once warmed up.
class ComputerSearch {
public:
    struct Result {
        const std::vector<Candidate>* candidates = nullptr;  // every candidate, scan order
        const std::vector<int>* best = nullptr;              // indices of best-scoring ones
        int bestScore = 0;
    };

    ComputerSearch();

    // Strength 0: 1000 - gain; 1: Int(gain / 2); 2: gain; 3: gain - the opponent's best
    // immediate reply seen on `ReplyGrid`. Every tied best candidate is kept.
    Result run(const Board& board, const Directions& dirs, int player, int strength,
               const std::optional<LastMove>& lastMove);

private:
    // `ReplyGrid`: the board as the opponent sees it after the candidate move. With a last
    // move on record only four 7 x 7 windows of the board are visible.
    void buildReplyGrid(const Board& board, const std::optional<LastMove>& lastMove, CellPos source,
                        CellPos target);
    int bestReply(int ownToken, int oppToken, const Directions& dirs);

    std::vector<Candidate> m_candidates;
    std::vector<int> m_best;
    std::vector<int> m_oppTokens;  // flat indices of the opponent's tokens
    std::array<int, 26> m_offsets{};
    std::array<std::uint8_t, Board::kCellCount> m_reply{};
    // Per reply target: the generation it was last evaluated in, and its capture gain.
    std::array<std::uint32_t, Board::kCellCount> m_stamp{};
    std::array<std::uint8_t, Board::kCellCount> m_captureGain{};
    std::uint32_t m_stampGeneration = 0;
};

}  // namespace tomelin
