#include "setup/widgets/token_class.h"

#include <gtest/gtest.h>

namespace tomelin {
namespace {

TEST(TokenColourGrid, IndicesMapToChannelValuesAndBack) {
    for (int k = 0; k < kChannelSteps; ++k) {
        EXPECT_EQ(channelIndex(channelValue(k)), k);
    }
    EXPECT_EQ(channelValue(0), 255);
    EXPECT_EQ(channelValue(4), 15);
}

TEST(TokenColourGrid, OffGridValuesSnapToTheGridValueAtOrAbove) {
    EXPECT_EQ(channelIndex(128), 2);  // 135
    EXPECT_EQ(channelIndex(0), 4);    // 15
    EXPECT_EQ(channelIndex(225), 0);  // 255
    EXPECT_EQ(channelIndex(196), 0);
    EXPECT_EQ(channelIndex(194), 1);
    const ChannelIndices orange = channelIndices(rgb(255, 128, 0));
    EXPECT_EQ(orange, (ChannelIndices{0, 2, 4}));
    EXPECT_EQ(colourOfIndices(orange), rgb(255, 135, 15));
}

TEST(TokenColourClass, WhiteIsGreyForBothKindsWithTheirOwnIcons) {
    const ChannelIndices white{0, 0, 0};
    EXPECT_EQ(colourOfIndices(white), rgb(255, 255, 255));
    EXPECT_EQ(tokenColourClass(white, false), 12);
    EXPECT_EQ(tokenColourClass(white, true), 8);
    EXPECT_EQ(playerIconIndex(tokenColourClass(white, false), false), 12);
    EXPECT_EQ(playerIconIndex(tokenColourClass(white, true), true), 14);
    EXPECT_EQ(highlightColour(12), rgb(191, 191, 191));
    EXPECT_EQ(highlightColour(8), rgb(191, 191, 191));
}

TEST(TokenColourClass, BrightRedIsClassRed) {
    const ChannelIndices red{0, 4, 4};
    EXPECT_EQ(colourOfIndices(red), rgb(255, 15, 15));
    EXPECT_EQ(tokenColourClass(red, false), 0);
    EXPECT_EQ(highlightColour(0), rgb(255, 127, 127));
    EXPECT_EQ(playerIconIndex(0, false), 0);
    EXPECT_EQ(playerIconIndex(0, true), 6);
}

TEST(TokenColourClass, EveryRowOfTheTable) {
    EXPECT_EQ(tokenColourClass({2, 2, 0}, false), 1);  // (135, 135, 255) blue
    EXPECT_EQ(tokenColourClass({1, 3, 1}, false), 2);  // magenta
    EXPECT_EQ(tokenColourClass({3, 0, 4}, false), 3);  // green
    EXPECT_EQ(tokenColourClass({0, 0, 4}, false), 4);  // yellow
    EXPECT_EQ(tokenColourClass({4, 1, 1}, false), 5);  // cyan
    EXPECT_EQ(tokenColourClass({3, 3, 3}, true), 8);
    EXPECT_EQ(highlightColour(1), rgb(127, 127, 255));
    EXPECT_EQ(highlightColour(2), rgb(255, 127, 255));
    EXPECT_EQ(highlightColour(3), rgb(0, 255, 0));
    EXPECT_EQ(highlightColour(4), rgb(255, 255, 0));
    EXPECT_EQ(highlightColour(5), rgb(0, 255, 255));
    // Computer icons are the person's icons shifted by six: 6..11 and 14.
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(playerIconIndex(c, true), c + 6);
    }
}

TEST(TokenShape, ShapesOutsideTheListFallBackToTheFirst) {
    EXPECT_EQ(validShape(1), 1);
    EXPECT_EQ(validShape(8), 8);
    EXPECT_EQ(validShape(9), 1);
    EXPECT_EQ(validShape(0), 1);
    EXPECT_EQ(validShape(-3), 1);
}

}  // namespace
}  // namespace tomelin
