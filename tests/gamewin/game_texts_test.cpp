// What the game window writes and reads for the game: the move label, the search's
// percentage and caption, the cell under the pointer and the keyboard steering.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

#include "gamewin/game_texts.h"
#include "gamewin/key_steering.h"

namespace tomelin {
namespace {

TEST(GameTexts, MoveLabelHasASignPositionAndIsEmptyWhenCleared) {
    EXPECT_EQ(moveLabelText(1), " 1. TAH");
    EXPECT_EQ(moveLabelText(3), " 3. TAH");
    EXPECT_EQ(moveLabelText(128), " 128. TAH");
    EXPECT_EQ(moveLabelText(0), "");
}

TEST(GameTexts, SearchPercentAndCaptionUntilAHundredThenThePlainTitle) {
    EXPECT_EQ(percentText(2), " 2% ");
    EXPECT_EQ(percentText(102), " 102% ");
    EXPECT_EQ(searchCaption(2), "Tomelin - 2% ");
    EXPECT_EQ(searchCaption(99), "Tomelin - 99% ");
    EXPECT_EQ(searchCaption(100), "Tomelin");
    EXPECT_EQ(searchCaption(102), "Tomelin");
}

TEST(PointerCell, PositionsRoundDownToTheCellAndNonsenseAddressesNone) {
    EXPECT_EQ(cellAt(39.9, 29.9, 40, 30), (CellPos{0, 0}));
    EXPECT_EQ(cellAt(40.0, 30.0, 40, 30), (CellPos{1, 1}));
    EXPECT_EQ(cellAt(10, 100, 40, 30), (CellPos{0, 3}));
    // Int rounds towards minus infinity: just left of the board is column -1.
    EXPECT_EQ(cellAt(-0.5, 100, 40, 30), (CellPos{-1, 3}));
    EXPECT_FALSE(cellAt(10, 100, 0, 30));
    EXPECT_FALSE(cellAt(10, 100, -40, 30));
    EXPECT_FALSE(cellAt(10, 100, 40, std::nan("")));
    EXPECT_FALSE(cellAt(1e300, 100, 40, 30));
    EXPECT_FALSE(cellAt(std::numeric_limits<double>::quiet_NaN(), 100, 40, 30));
}

TEST(KeySteering, ArrowsAndKeypadMoveAQuarterCellRoundedHalvesToEven) {
    // A 42 x 30 cell moves by 10.5 x 7.5 from (100, 100): left 89.5 -> 90, right
    // 110.5 -> 110, up 92.5 -> 92, down 107.5 -> 108. Keypad digits around 5 move a
    // 16 x 16 cell's quarter in their direction.
    const std::array<int, 5> cases[] = {
        {37, 42, 30, 90, 100},  {39, 42, 30, 110, 100}, {38, 42, 30, 100, 92},
        {40, 42, 30, 100, 108}, {103, 16, 16, 96, 96},  {104, 16, 16, 100, 96},
        {105, 16, 16, 104, 96}, {100, 16, 16, 96, 100}, {102, 16, 16, 104, 100},
        {97, 16, 16, 96, 104},  {98, 16, 16, 100, 104}, {99, 16, 16, 104, 104}};
    for (const auto& [key, w, h, x, y] : cases) {
        const auto k = steerKey(key, 100, 100, w, h, true);
        EXPECT_TRUE(k.x == x && k.y == y && !k.click && !k.toggleMusic && !k.takeBack)
            << key << " went to " << k.x << "," << k.y;
    }
}

TEST(KeySteering, ClickKeysStayPutAndMusicAndTakeBackNeedAPersonToMove) {
    for (int key : {45, 32, 101, 96}) {
        const auto k = steerKey(key, 7, 9, 40, 30, false);
        EXPECT_TRUE(k.click && k.x == 7 && k.y == 9) << key;
    }
    for (bool person : {false, true}) {
        EXPECT_EQ(steerKey(72, 0, 0, 40, 30, person).toggleMusic, person);
        EXPECT_EQ(steerKey(90, 0, 0, 40, 30, person).takeBack, person);
    }
    const auto other = steerKey(65, 3, 4, 40, 30, true);
    EXPECT_FALSE(other.click || other.toggleMusic || other.takeBack || other.x != 3);
}

}  // namespace
}  // namespace tomelin
