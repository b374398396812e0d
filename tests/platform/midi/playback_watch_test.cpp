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

// Twenty still ticks restart the song, and every restart starts the count afresh. The jump
// back to the start after a restart is not the song moving; ticks without a length (the
// restarted file is not read yet) do not count.
TEST(PlaybackWatch, RestartsAfterTwentyStillTicksAndCountsAfreshAfterEachRestart) {
    PlaybackWatch watch;
    EXPECT_FALSE(watch.tick(1000, 990, kStrip).restart);  // moved from the start
    for (int i = 1; i < PlaybackWatch::kStallTicks; ++i) {
        EXPECT_FALSE(watch.tick(1000, 990, kStrip).restart) << "still tick " << i;
    }
    EXPECT_TRUE(watch.tick(1000, 990, kStrip).restart);
    EXPECT_EQ(watch.stallCount(), 0);
    EXPECT_FALSE(watch.tick(0, 0, kStrip).hasLength);
    // The restarted song plays: it moves, and at its next end it is restarted again.
    for (long p = 0; p < 500; p += 10)
        EXPECT_FALSE(watch.tick(1000, p, kStrip).restart);
    int ticks = 0;
    bool restarted = false;
    while (!restarted && ticks < 100) {
        const PlaybackWatch::Step step = watch.tick(1000, 500, kStrip);
        EXPECT_FALSE(step.giveUp);
        restarted = step.restart;
        ++ticks;
    }
    EXPECT_EQ(ticks, 1 + PlaybackWatch::kStallTicks);  // the step to 500, then the still ticks
    watch.reset();  // forgets the count and the position
    EXPECT_EQ(watch.stallCount(), 0);
    watch.tick(1000, 12, kStrip);
    EXPECT_EQ(watch.stallCount(), 0);
}

// A damaged file that reports a length but never advances: one restart, then it is given up
// (once, not on every later tick).
TEST(PlaybackWatch, SongThatARestartDidNotMoveIsGivenUp) {
    PlaybackWatch watch;
    int restarts = 0;
    int giveUps = 0;
    int firstGiveUp = 0;
    for (int tick = 1; tick <= 200 && giveUps == 0; ++tick) {
        const PlaybackWatch::Step step = watch.tick(1000, 0, kStrip);
        restarts += step.restart ? 1 : 0;
        if (step.giveUp) {
            ++giveUps;
            firstGiveUp = tick;
        }
    }
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(giveUps, 1);
    // Twenty still ticks, the restart's baseline tick, twenty more still ticks.
    EXPECT_EQ(firstGiveUp, 2 * PlaybackWatch::kStallTicks + 1);
    // A new choice of the song gives it a fresh chance.
    watch.reset();
    for (int i = 0; i < PlaybackWatch::kStallTicks; ++i)
        EXPECT_FALSE(watch.tick(1000, 0, kStrip).giveUp);
}

}  // namespace
}  // namespace tomelin
