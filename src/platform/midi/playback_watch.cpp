#include "platform/midi/playback_watch.h"

#include <algorithm>

namespace tomelin {

PlaybackWatch::Step PlaybackWatch::tick(long length, long position, int stripWidth) {
    Step step;
    if (length <= 0) {
        return step;
    }
    step.hasLength = true;
    const long shown = std::clamp(position, 0L, length);
    step.markerOffset = static_cast<int>(static_cast<long long>(stripWidth) * shown / length);
    if (position == m_lastPosition) {
        ++m_stall;
    } else {
        m_stall = 0;
    }
    m_lastPosition = position;
    // The count is not reset here: the restarted song moves again and that clears it.
    step.restart = m_stall >= kStallTicks;
    return step;
}

void PlaybackWatch::reset() {
    m_lastPosition = 0;
    m_stall = 0;
}

}  // namespace tomelin
