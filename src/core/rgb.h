#pragma once
// The one colour value every layer passes around: 0x00BBGGRR, as the stored records and the
// drawing primitives both expect. Kept apart from the game's ports so that drawing code can
// name a colour without seeing the game.

#include <cstdint>

namespace tomelin {

// Colours are 0x00BBGGRR, red in the low byte.
using Rgb = std::uint32_t;
inline constexpr Rgb rgb(int r, int g, int b) {
    return static_cast<Rgb>(r) | (static_cast<Rgb>(g) << 8) | (static_cast<Rgb>(b) << 16);
}
inline constexpr int redOf(Rgb c) {
    return static_cast<int>(c & 0xFF);
}
inline constexpr int greenOf(Rgb c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
inline constexpr int blueOf(Rgb c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
inline constexpr Rgb kWhite = rgb(255, 255, 255);
inline constexpr Rgb kFlashRed = rgb(255, 63, 63);

}  // namespace tomelin
