#pragma once
// A side of the game. Inside the core and the windows a side is always a `Player`; the 1/2
// of the records, the kept game and the tool's output is made with `number` and read back
// with `playerOf` where those are written and read.

#include <cstdint>

namespace tomelin {

enum class Player : std::uint8_t { One = 1, Two = 2 };

constexpr Player other(Player p) {
    return p == Player::One ? Player::Two : Player::One;
}
constexpr Player opponent(Player p) {
    return other(p);
}
constexpr int number(Player p) {
    return static_cast<int>(p);
}
// 1 -> One, anything else -> Two.
constexpr Player playerOf(int n) {
    return n == 1 ? Player::One : Player::Two;
}

}  // namespace tomelin
