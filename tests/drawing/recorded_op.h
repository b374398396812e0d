#pragma once
// Compares one recorded drawing primitive with its expected corners (for an ellipse: centre,
// radius and aspect) and, if given, colour; a failure is reported at the caller's line.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <optional>

#include "platform/draw/recording_surface.h"

namespace tomelin::test {

// A coordinate that is not checked.
inline constexpr double kAny = std::numeric_limits<double>::quiet_NaN();

inline ::testing::AssertionResult opIs(const RecordingSurface::Op& op, std::array<double, 4> at,
                                       std::optional<Rgb> colour = std::nullopt) {
    const std::array<double, 4> got{op.x1, op.y1, op.x2, op.y2};
    for (std::size_t i = 0; i < 4; ++i)
        if (!std::isnan(at[i]) && std::abs(got[i] - at[i]) > 1e-9)
            return ::testing::AssertionFailure()
                   << "coordinate " << i << " is " << got[i] << ", expected " << at[i];
    if (colour && op.colour != *colour)
        return ::testing::AssertionFailure()
               << std::hex << "colour is " << op.colour << ", expected " << *colour;
    return ::testing::AssertionSuccess();
}

}  // namespace tomelin::test
