#pragma once
// The computer player's scoring of every legal move (`PcIQ` without its timers and display).

#include <optional>
#include <vector>

#include "core/position.h"

namespace tomelin {

// One (token, direction) pair of the player to move with a free target, and its score.
// Copies onto one cell from different tokens are separate candidates: the computer draws
// among candidates, not among distinct moves.
struct Candidate {
    Move move;
    int score = 0;
    bool operator==(const Candidate&) const = default;
};

// The last move on record (the `Shape1` and `Shape2` markers); none after a game start or
// a full redraw, in which case strength 3 sees the whole board.
struct LastMove {
    Cell source;
    Cell target;
};

// Scores every candidate of the player to move at strength 0..3, in scan order (columns
// from the left, each from the top; directions in table order). Buffers are reused between
// calls, so a search allocates nothing once warmed up.
class ComputerSearch {
public:
    struct Result {
        const std::vector<Candidate>* candidates = nullptr;  // every candidate, scan order
        const std::vector<int>* best = nullptr;              // indices of best-scoring ones
        int bestScore = 0;
    };

    ComputerSearch();

    // Gain of a move: 1 for a copy, 0 for a jump, 2 for every captured token. Strength
    // 0: 1000 - gain; 1: Int(gain / 2); 2: gain; 3: gain - the opponent's best immediate
    // reply (`ReplyGrid`): with a last move on record the reply sees only four 7 x 7 windows
    // of the board, around the candidate's source and target and the last move's source and
    // target. Every tied best candidate is kept.
    Result run(const Position& position, Logic logic, int strength,
               const std::optional<LastMove>& lastMove);

private:
    std::vector<Candidate> m_candidates;
    std::vector<int> m_best;
};

}  // namespace tomelin
