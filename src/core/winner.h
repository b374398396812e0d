#pragma once
// Who won: the one rule, used by the game's end, the game records and the tool.

namespace tomelin {

// The player with more tokens on the board wins: 1 or 2; equal counts are a draw, 0.
inline constexpr int winnerOfCounts(int tokens1, int tokens2) {
    return tokens1 > tokens2 ? 1 : (tokens2 > tokens1 ? 2 : 0);
}

}  // namespace tomelin
