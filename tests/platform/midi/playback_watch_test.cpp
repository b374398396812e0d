#include "platform/midi/playback_watch.h"

#include <gtest/gtest.h>

namespace tomelin {
namespace {

TEST(PlaybackWatch, WithoutLengthNothingHappensEvenWhenStill) {
    PlaybackWatch watch;
    for (int i = 0; i < 50; ++i) {
        const PlaybackWatch::Step step = watch.tick(0, 0, 145);
        EXPECT_FALSE(step.hasLength);
        EXPECT_FALSE(step.restart);
    }
    EXPECT_EQ(watch.stallCount(), 0);
}

TEST(PlaybackWatch, MarkerFollowsThePositionAlongTheStrip) {
    PlaybackWatch watch;
    EXPECT_EQ(watch.tick(1000, 0, 145).markerOffset, 0);
    EXPECT_EQ(watch.tick(1000, 500, 145).markerOffset, 72);
    EXPECT_EQ(watch.tick(1000, 1000, 145).markerOffset, 145);
    EXPECT_EQ(watch.tick(1000, 1500, 145).markerOffset, 145);  // past the end: kept on the strip
}

TEST(PlaybackWatch, LongSongsDoNotOverflowTheMarker) {
    PlaybackWatch watch;
    EXPECT_EQ(watch.tick(2'000'000'000L, 1'000'000'000L, 145).markerOffset, 72);
}

TEST(PlaybackWatch, RestartsAfterTwentyStillTicks) {
    PlaybackWatch watch;
    watch.tick(1000, 990, 145);  // moving
    for (int i = 1; i < PlaybackWatch::kStallTicks; ++i) {
        EXPECT_FALSE(watch.tick(1000, 990, 145).restart) << "still tick " << i;
    }
    EXPECT_TRUE(watch.tick(1000, 990, 145).restart);
}

TEST(PlaybackWatch, MovingPositionClearsTheStall) {
    PlaybackWatch watch;
    watch.tick(1000, 400, 145);  // moved from the start
    for (int i = 0; i < 15; ++i) {
        watch.tick(1000, 400, 145);
    }
    EXPECT_EQ(watch.stallCount(), 15);
    EXPECT_FALSE(watch.tick(1000, 401, 145).restart);
    EXPECT_EQ(watch.stallCount(), 0);
    for (int i = 1; i < PlaybackWatch::kStallTicks; ++i) {
        EXPECT_FALSE(watch.tick(1000, 401, 145).restart);
    }
    EXPECT_TRUE(watch.tick(1000, 401, 145).restart);
}

TEST(PlaybackWatch, CountSurvivesTheRestartUntilTheSongMovesAgain) {
    PlaybackWatch watch;
    for (int i = 0; i <= PlaybackWatch::kStallTicks; ++i) {
        watch.tick(1000, 1000, 145);
    }
    // The restarted file is not read yet: no length, the count waits.
    EXPECT_FALSE(watch.tick(0, 0, 145).hasLength);
    EXPECT_GE(watch.stallCount(), PlaybackWatch::kStallTicks);
    // It plays from the start: the position moved, so no second restart.
    EXPECT_FALSE(watch.tick(1000, 12, 145).restart);
    EXPECT_EQ(watch.stallCount(), 0);
}

TEST(PlaybackWatch, ResetForgetsTheCount) {
    PlaybackWatch watch;
    for (int i = 0; i < 10; ++i) {
        watch.tick(1000, 0, 145);
    }
    watch.reset();
    EXPECT_EQ(watch.stallCount(), 0);
    EXPECT_EQ(watch.tick(1000, 0, 145).restart, false);
    EXPECT_EQ(watch.stallCount(), 1);  // position 0 again equals the forgotten start
}

}  // namespace
}  // namespace tomelin
