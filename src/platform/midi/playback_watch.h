#pragma once
// What the music window's position timer (`Timer1_Timer`) decides on each tick: where the
// position marker goes and whether a stalled song has ended and must start again.

namespace tomelin {

// Follows the playing position tick by tick. A song's end shows as a position that no longer
// moves: after kStallTicks still ticks (about two seconds at 100 ms) the song is played again.
// A song that has not moved at all since such a restart cannot be played (a damaged file
// that reports a length but never advances): the watch gives it up instead of reopening it
// every two seconds for as long as it is chosen.
class PlaybackWatch {
public:
    static constexpr int kStallTicks = 20;

    struct Step {
        // False when the medium has no length (nothing playable open): nothing else applies.
        bool hasLength = false;
        // The marker's offset along the strip: stripWidth × position / length.
        int markerOffset = 0;
        // The song has stood still long enough: play it again from the start.
        bool restart = false;
        // The song stood still again after a restart without ever moving: stop it for good.
        bool giveUp = false;
    };

    // One tick with the medium's `length` and `position` and the strip's width in pixels.
    Step tick(long length, long position, int stripWidth);

    // Forgets the last position and the stall count (a new song, or silence).
    void reset();

    int stallCount() const { return m_stall; }

private:
    long m_lastPosition = 0;
    int m_stall = 0;
    bool m_restarted = false;  // a restart happened and the song has not moved since
    bool m_baseline = false;   // the next position read only sets where the restart began
};

}  // namespace tomelin
