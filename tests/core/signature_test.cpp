// The behaviour signature: seeded computer games on every built-in board under both logics
// fold into one number. It changes only when the rules, the computer's scoring or its use of
// random numbers change, and then on purpose.

#include <gtest/gtest.h>

#include "core/behaviour_signature.h"

namespace tomelin {
namespace {

TEST(BehaviourSignature, SeededGamesPlayExactlyAsBefore) {
    const BehaviourSignature sig = behaviourSignature();
    EXPECT_EQ(sig.games, 84);
    EXPECT_EQ(sig.moves, 6276);
    EXPECT_EQ(sig.weakestPlay, 28);
    EXPECT_EQ(sig.hash, 7785532020565250139ULL);
}

}  // namespace
}  // namespace tomelin
