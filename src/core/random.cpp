#include "core/random.h"

#include <chrono>

namespace tomelin {

namespace {

std::uint32_t timeSeed() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(now).count();
    return static_cast<std::uint32_t>(ns ^ (ns >> 32));
}

}  // namespace

MtRandomSource::MtRandomSource(std::optional<std::uint32_t> fixedSeed)
    : m_engine(fixedSeed.value_or(timeSeed())), m_fixed(fixedSeed.has_value()) {}

double MtRandomSource::next() {
    // 53 random bits scaled into [0, 1): never 1.0, the same on every platform.
    const std::uint64_t high = m_engine() >> 5;
    const std::uint64_t low = m_engine() >> 6;
    return static_cast<double>(high * 67108864ULL + low) / 9007199254740992.0;
}

void MtRandomSource::seedFromTime() {
    if (!m_fixed)
        m_engine.seed(timeSeed());
}

}  // namespace tomelin
