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
    if (m_baseline) {
        // The jump back to the start is no movement of the song.
        m_baseline = false;
    } else if (position == m_lastPosition) {
        ++m_stall;
    } else {
        m_stall = 0;
        m_restarted = false;
    }
    m_lastPosition = position;
    if (m_stall < kStallTicks)
        return step;
    if (m_restarted) {
        step.giveUp = true;
        return step;
    }
    // Every restart starts the count afresh, so a song that never moves is not reopened on
    // every tick.
    step.restart = true;
    m_stall = 0;
    m_restarted = true;
    m_baseline = true;
    return step;
}

void PlaybackWatch::reset() {
    m_lastPosition = 0;
    m_stall = 0;
    m_restarted = false;
    m_baseline = false;
}

}  // namespace tomelin
