#pragma once
// One number that stands for how the game plays: a fixed set of seeded computer games,
// played through the real turn sequence, folded into a hash. Any drift in the move rules,
// the computer's scoring or its use of random numbers changes it.

#include <cstdint>

namespace tomelin {

struct BehaviourSignature {
    int games = 0;
    long long moves = 0;       // moves made over all games
    int weakestPlay = 0;       // games in which the computer played for a timed-out person
    std::uint64_t hash = 0;    // FNV-1a over every move, fill and final position
};

// Every built-in board and two small boards with holes and a walled-in player, under both
// logics, at the computer strengths 1-3 against each other and at strength 0 (a person
// whose clock ran out, after a take-back).
BehaviourSignature behaviourSignature();

}  // namespace tomelin
