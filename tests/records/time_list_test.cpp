// The time list: the position a time limit has in the setup window's list and in the
// stored games, and back.

#include <gtest/gtest.h>

#include "records/time_list.h"

namespace tomelin {
namespace {

TEST(TimeList, MapsEveryListPositionAndBack) {
    const std::pair<int, int> limits[] = {{0, kTimeUnlimited}, {1, 5400}, {2, 3600},
                                          {3, 1800},           {4, 600},  {7, kTimeUnlimited}};
    for (const auto& [pos, seconds] : limits) {
        const TimeLimit limit = timeLimitAtListPosition(pos);
        EXPECT_EQ(limit.clockStart(), seconds) << pos;
        // Every limit goes back to its place in the list; no limit is the list's first.
        EXPECT_EQ(timeListPositionOf(limit), pos >= 1 && pos <= 4 ? pos : 0) << pos;
    }
    // A duration the list does not offer is stored as no limit.
    EXPECT_EQ(timeListPositionOf(TimeLimit::of(std::chrono::seconds(42))), 0);
    EXPECT_FALSE(TimeLimit::of(std::chrono::seconds(0)).limited());
    EXPECT_FALSE(TimeLimit::of(std::chrono::seconds(-5)).limited());
}

}  // namespace
}  // namespace tomelin
