#include "setupwin/reach_diagram.h"

#include <gtest/gtest.h>

namespace tomelin {
namespace {

TEST(ReachDiagram, MarksEveryCopyAndJumpTargetOfTheLogic) {
    constexpr int kCell = 12;
    struct Row {
        const char* name;
        Directions directions;
        int copies;
        int jumps;
    };
    for (const Row& row :
         {Row{"star", Directions::star(), 8, 16}, Row{"cross", Directions::cross(), 4, 8}}) {
        SCOPED_TRACE(row.name);
        const QImage image = reachDiagram(row.directions, kCell);
        // A cell's filled centre is a copy target, its ringed edge a jump target.
        int copies = 0;
        int jumps = 0;
        for (int r = 0; r < kReachCells; ++r) {
            for (int c = 0; c < kReachCells; ++c) {
                const int y = r * kCell + kCell / 2;
                copies += image.pixelColor(c * kCell + kCell / 2, y) == kCopyColour ? 1 : 0;
                jumps += image.pixelColor(c * kCell + 2, y) == kJumpColour ? 1 : 0;
            }
        }
        EXPECT_EQ(copies, row.copies);
        EXPECT_EQ(jumps, row.jumps);
    }
    // For the cross a diagonal neighbour is a jump target, the corner of the patch is out of reach.
    const QImage cross = reachDiagram(Directions::cross(), kCell);
    EXPECT_EQ(cross.pixelColor(1 * kCell + 2, 1 * kCell + 6), kJumpColour);
    EXPECT_NE(cross.pixelColor(0 * kCell + 2, 0 * kCell + 6), kJumpColour);
}

}  // namespace
}  // namespace tomelin
