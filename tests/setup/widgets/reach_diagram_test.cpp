#include "setup/widgets/reach_diagram.h"

#include <gtest/gtest.h>

namespace tomelin {
namespace {

struct Counts {
    int copies = 0;
    int jumps = 0;
};

// Counts the cells whose centre is filled as a copy target or whose edge ring is a jump.
Counts countCells(const QImage& image, int cell) {
    Counts counts;
    for (int row = 0; row < kReachCells; ++row) {
        for (int col = 0; col < kReachCells; ++col) {
            const QPoint centre(col * cell + cell / 2, row * cell + cell / 2);
            const QPoint ring(col * cell + 2, row * cell + cell / 2);
            counts.copies += image.pixelColor(centre) == kCopyColour ? 1 : 0;
            counts.jumps += image.pixelColor(ring) == kJumpColour ? 1 : 0;
        }
    }
    return counts;
}

TEST(ReachDiagram, TheStarCopiesToEightCellsAndJumpsToSixteen) {
    const Counts counts = countCells(reachDiagram(Directions::star(), 12), 12);
    EXPECT_EQ(counts.copies, 8);
    EXPECT_EQ(counts.jumps, 16);
}

TEST(ReachDiagram, TheCrossCopiesToFourCellsAndJumpsToEight) {
    const QImage image = reachDiagram(Directions::cross(), 12);
    const Counts counts = countCells(image, 12);
    EXPECT_EQ(counts.copies, 4);
    EXPECT_EQ(counts.jumps, 8);
    // A diagonal neighbour is a jump target, the corner of the patch is out of reach.
    EXPECT_EQ(image.pixelColor(1 * 12 + 2, 1 * 12 + 6), kJumpColour);
    EXPECT_NE(image.pixelColor(0 * 12 + 2, 0 * 12 + 6), kJumpColour);
}

}  // namespace
}  // namespace tomelin
