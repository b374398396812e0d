#include "platform/midi/playback_watch.h"

#include <gtest/gtest.h>

namespace tomelin {
namespace {

constexpr int kStrip = 145;

TEST(PlaybackWatch, MarkerFollowsThePositionAndStaysOnTheStrip) {
    const struct {
        long length, position;
        bool hasLength;
        int offset;
    } rows[] = {{0, 0, false, 0},        {1000, 0, true, 0},      {1000, 500, true, 72},
                {1000, 1000, true, 145}, {1000, 1500, true, 145}, {1000, -20, true, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.position << " of " << row.length);
        const PlaybackWatch::Step step = PlaybackWatch().tick(row.length, row.position, kStrip);
        EXPECT_EQ(step.hasLength, row.hasLength);
        EXPECT_EQ(step.markerOffset, row.offset);
    }
    // A product that overflows 32 bits.
    EXPECT_EQ(PlaybackWatch().tick(2'000'000'000L, 1'000'000'000L, kStrip).markerOffset, 72);
}

// Twenty still ticks restart the song. The restart does not clear the count: the restarted
// file has no length until read, and only its moving again ends the stall. (Ticks without a
// length not counting is checked through the music window.)
TEST(PlaybackWatch, RestartsAfterTwentyStillTicksUntilTheSongMovesAgain) {
    PlaybackWatch watch;
    EXPECT_FALSE(watch.tick(1000, 990, kStrip).restart);  // moved from the start
    for (int i = 1; i < PlaybackWatch::kStallTicks; ++i) {
        EXPECT_FALSE(watch.tick(1000, 990, kStrip).restart) << "still tick " << i;
    }
    EXPECT_TRUE(watch.tick(1000, 990, kStrip).restart);
    EXPECT_FALSE(watch.tick(0, 0, kStrip).hasLength);
    EXPECT_EQ(watch.stallCount(), PlaybackWatch::kStallTicks);
    EXPECT_FALSE(watch.tick(1000, 12, kStrip).restart);
    EXPECT_EQ(watch.stallCount(), 0);
    watch.tick(1000, 12, kStrip);
    watch.reset();  // forgets the count and the position
    EXPECT_EQ(watch.stallCount(), 0);
    watch.tick(1000, 12, kStrip);
    EXPECT_EQ(watch.stallCount(), 0);
}

}  // namespace
}  // namespace tomelin
