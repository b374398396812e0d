#include "setupwin/token_class.h"

#include <gtest/gtest.h>

namespace tomelin {
namespace {

TEST(TokenColourGrid, ValuesSnapToTheGridValueAtOrAboveAndBack) {
    for (int k = 0; k < kChannelSteps; ++k) {
        EXPECT_EQ(channelIndex(channelValue(k)), k);
    }
    const std::pair<int, int> rows[] = {{255, 0}, {225, 0}, {196, 0}, {194, 1},
                                        {128, 2}, {16, 3},  {15, 4},  {0, 4}};
    for (const auto& [value, index] : rows) {
        EXPECT_EQ(channelIndex(value), index) << "value " << value;
    }
}

TEST(TokenColourClass, EachColourGetsItsClassHighlightAndIcon) {
    struct Row {
        ChannelIndices indices;
        bool computer;
        int colourClass;
        Rgb highlight;
        int icon;
    };
    const Rgb grey = rgb(191, 191, 191);
    const Row rows[] = {
        {{0, 0, 0}, false, 12, grey, 12},  // white: a person's grey
        {{0, 0, 0}, true, 8, grey, 14},    // and a computer's grey, each with its own icon
        {{3, 3, 3}, true, 8, grey, 14},
        {{0, 4, 4}, false, 0, rgb(255, 127, 127), 0},  // red
        {{0, 4, 4}, true, 0, rgb(255, 127, 127), 6},
        {{2, 2, 0}, false, 1, rgb(127, 127, 255), 1},  // blue
        {{1, 3, 1}, true, 2, rgb(255, 127, 255), 8},   // magenta
        {{3, 0, 4}, false, 3, rgb(0, 255, 0), 3},      // green
        {{0, 0, 4}, true, 4, rgb(255, 255, 0), 10},    // yellow
        {{4, 1, 1}, true, 5, rgb(0, 255, 255), 11},    // cyan
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.indices[0] << row.indices[1] << row.indices[2]
                                        << (row.computer ? " computer" : " person"));
        const int colourClass = tokenColourClass(row.indices, row.computer);
        EXPECT_EQ(colourClass, row.colourClass);
        EXPECT_EQ(highlightColour(colourClass), row.highlight);
        EXPECT_EQ(playerIconIndex(colourClass, row.computer), row.icon);
    }
}

TEST(TokenShape, ShapesOutsideTheListFallBackToTheFirst) {
    for (const auto& [shape, valid] : {std::pair{1, 1}, {8, 8}, {9, 1}, {0, 1}, {-3, 1}}) {
        EXPECT_EQ(validShape(shape), valid) << shape;
    }
}

}  // namespace
}  // namespace tomelin
