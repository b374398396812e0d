#include <gtest/gtest.h>

#include "core/input.h"
#include "core/rounding.h"

namespace tomelin {
namespace {

TEST(KeySteering, ArrowsMoveAQuarterCellRoundedHalvesToEven) {
    // Cell 42 x 30: a quarter is 10.5 x 7.5.
    auto k = steerKey(37, 100, 100, 42, 30, true);  // left: 89.5 -> 90
    EXPECT_EQ(k.x, 90);
    EXPECT_EQ(k.y, 100);
    k = steerKey(39, 100, 100, 42, 30, true);  // right: 110.5 -> 110
    EXPECT_EQ(k.x, 110);
    k = steerKey(38, 100, 100, 42, 30, true);  // up: 92.5 -> 92
    EXPECT_EQ(k.y, 92);
    k = steerKey(40, 100, 100, 42, 30, true);  // down: 107.5 -> 108
    EXPECT_EQ(k.y, 108);
    EXPECT_FALSE(k.click || k.toggleMusic || k.takeBack);
}

TEST(KeySteering, KeypadCornersMoveDiagonally) {
    struct Case {
        int key, x, y;
    };
    for (const Case c :
         {Case{103, 96, 96}, Case{105, 104, 96}, Case{97, 96, 104}, Case{99, 104, 104},
          Case{100, 96, 100}, Case{102, 104, 100}, Case{104, 100, 96}, Case{98, 100, 104}}) {
        const auto k = steerKey(c.key, 100, 100, 16, 16, false);
        EXPECT_EQ(k.x, c.x) << c.key;
        EXPECT_EQ(k.y, c.y) << c.key;
    }
}

TEST(KeySteering, ClickKeysAndPersonOnlyCommands) {
    for (int key : {45, 32, 101, 96}) {
        const auto k = steerKey(key, 7, 9, 40, 30, false);
        EXPECT_TRUE(k.click) << key;
        EXPECT_EQ(k.x, 7);
        EXPECT_EQ(k.y, 9);
    }
    EXPECT_TRUE(steerKey(72, 0, 0, 40, 30, true).toggleMusic);
    EXPECT_FALSE(steerKey(72, 0, 0, 40, 30, false).toggleMusic);
    EXPECT_TRUE(steerKey(90, 0, 0, 40, 30, true).takeBack);
    EXPECT_FALSE(steerKey(90, 0, 0, 40, 30, false).takeBack);
    const auto other = steerKey(65, 3, 4, 40, 30, true);
    EXPECT_FALSE(other.click || other.toggleMusic || other.takeBack);
    EXPECT_EQ(other.x, 3);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-0.5), 0.0);
    EXPECT_EQ(roundHalfEven(-1.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(roundHalfEven(2.5001), 3.0);
}

}  // namespace
}  // namespace tomelin
