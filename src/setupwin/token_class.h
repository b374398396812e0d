#pragma once
// How a token colour turns into a colour class, and the class into the player's highlight
// colour and icon; the slider positions of a colour.

#include <array>

#include "core/ports.h"

namespace tomelin {

// A colour's three channel indices 0..4 (channel value 255 - 60 * index).
using ChannelIndices = std::array<int, 3>;

inline constexpr int kChannelSteps = 5;
// Channel value of an index: 255, 195, 135, 75, 15.
inline constexpr int channelValue(int index) {
    return 255 - 60 * index;
}
// Index of a channel value: the integer part of (255 - value) / 60, kept within 0..4, so a
// value between two grid values snaps to the one at or above it (128 -> 2 -> 135).
int channelIndex(int value);
ChannelIndices channelIndices(Rgb colour);
Rgb colourOfIndices(const ChannelIndices& indices);

// Colour class of a colour by its indices (a lower index is a brighter channel):
// 0 red, 1 blue, 2 magenta, 3 green, 4 yellow, 5 cyan; a grey colour (all three equal) is
// class 8 for a computer player and 12 for a person.
int tokenColourClass(const ChannelIndices& indices, bool computer);
// The highlight colour of a class (the player's texts and marks in the game window).
Rgb highlightColour(int colourClass);
// The shared picture of the player's icon: class + 6 for the computer, class for a person.
int playerIconIndex(int colourClass, bool computer);

// A shape code read from a player's token; anything outside 1..8 (a damaged record, an empty
// text) falls back to shape 1 so that the list always has a valid entry selected.
int validShape(int shape);

}  // namespace tomelin
