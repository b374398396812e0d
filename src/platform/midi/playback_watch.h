#pragma once
// What the music window's position timer (`Timer1_Timer`) decides on each tick: where the
// position marker goes and whether a stalled song has ended and must start again.

namespace tomelin {

// Follows the playing position tick by tick. A song's end shows as a position that no longer
// moves: after kStallTicks still ticks (about two seconds at 100 ms) the song is played again.
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
    };

    // One tick with the medium's `length` and `position` and the strip's width in pixels.
    Step tick(long length, long position, int stripWidth);

    // Forgets the last position and the stall count (a new song, or silence).
    void reset();

    int stallCount() const { return m_stall; }

private:
    long m_lastPosition = 0;
    int m_stall = 0;
};

}  // namespace tomelin
