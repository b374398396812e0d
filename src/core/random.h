#pragma once
// Seeded random numbers for the game: a std::mt19937 behind the RandomSource port.

#include <cstdint>
#include <optional>
#include <random>

#include "core/ports.h"

namespace tomelin {

// With a fixed seed the sequence is reproducible: the game's re-seeding from the time of
// day is then ignored, so a scripted match or a test replays exactly. Without one it
// re-seeds from the clock as the game asks.
class MtRandomSource : public RandomSource {
public:
    explicit MtRandomSource(std::optional<std::uint32_t> fixedSeed = std::nullopt);

    double next() override;
    void seedFromTime() override;

    bool fixed() const { return m_fixed; }

private:
    std::mt19937 m_engine;
    bool m_fixed = false;
};

}  // namespace tomelin
