#pragma once
// Number conversions the game shares: real numbers become integers with halves to even.

#include <cmath>

namespace tomelin {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -0.5 -> 0).
inline double roundHalfEven(double v) {
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff < 0.5)
        return f;
    if (diff > 0.5)
        return f + 1.0;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

}  // namespace tomelin
