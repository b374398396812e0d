#include "setup/board_edit.h"

#include <gtest/gtest.h>

#include <string>

namespace tomelin {
namespace {

// An n x n board string of free cells with a player 1 token top-left and a player 2 token
// bottom-right.
std::string plainBoard(int n) {
    std::string s(static_cast<std::size_t>(n * n), 'X');
    s.front() = '+';
    s.back() = '-';
    return s;
}

TEST(BoardEditLoad, ReadsRowsFromTheTopAndFillsTheRestOfTheGridWithFreeCells) {
    std::string s(64, 'X');
    s.replace(0, 4, "0X+-");
    s[1 * 8 + 6] = '+';  // row 1, column 6
    s[6 * 8 + 1] = '-';  // row 6, column 1
    s[7 * 8 + 7] = '0';
    BoardEdit edit;
    edit.setTool(EditCell::Player2);
    ASSERT_TRUE(edit.load(s));
    EXPECT_EQ(edit.side(), 8);
    EXPECT_EQ(edit.tool(), EditCell::Free);
    EXPECT_EQ(edit.at(0, 0), EditCell::NoCell);
    EXPECT_EQ(edit.at(1, 0), EditCell::Free);
    EXPECT_EQ(edit.at(2, 0), EditCell::Player1);
    EXPECT_EQ(edit.at(3, 0), EditCell::Player2);
    EXPECT_EQ(edit.at(6, 1), EditCell::Player1);
    EXPECT_EQ(edit.at(1, 6), EditCell::Player2);
    EXPECT_EQ(edit.at(7, 7), EditCell::NoCell);
    EXPECT_EQ(edit.at(8, 0), EditCell::Free);
    EXPECT_EQ(edit.at(24, 24), EditCell::Free);
    EXPECT_EQ(edit.boardString(), s);
}

TEST(BoardEditLoad, ReloadingForgetsCellsOfTheEarlierBoard) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(std::string(100, '0')));
    ASSERT_TRUE(edit.load(plainBoard(6)));
    ASSERT_TRUE(edit.grow());
    EXPECT_EQ(edit.at(6, 6), EditCell::Free);
}

TEST(BoardEditLoad, KeepsTheSideWithinSixToFifteen) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(4)));
    EXPECT_EQ(edit.side(), 6);
    EXPECT_EQ(edit.at(3, 3), EditCell::Player2);
    EXPECT_EQ(edit.at(5, 5), EditCell::Free);
    EXPECT_FALSE(edit.shrink());

    ASSERT_TRUE(edit.load(plainBoard(16)));
    EXPECT_EQ(edit.side(), 15);
    EXPECT_EQ(edit.boardString().size(), 225u);
    EXPECT_FALSE(edit.grow());
}

TEST(BoardEditLoad, RefusesWhatIsNoBoardString) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(9)));
    EXPECT_FALSE(edit.load("XX+-X"));
    EXPECT_FALSE(edit.load(std::string(36, 'Y')));
    EXPECT_FALSE(edit.load(""));
    // The grid is left all free and the side stays usable.
    EXPECT_EQ(edit.side(), 9);
    EXPECT_EQ(edit.boardString(), std::string(81, 'X'));
}

TEST(BoardEditSide, ShrinkingAndGrowingBringsOldCellsBack) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(8)));
    edit.setMirror(false);
    edit.setTool(EditCell::Player2);
    edit.paint({7, 0});
    ASSERT_TRUE(edit.shrink());
    EXPECT_EQ(edit.boardString().size(), 49u);
    ASSERT_TRUE(edit.grow());
    EXPECT_EQ(edit.boardString()[7], '-');
}

TEST(BoardEditPaint, ReportsOnlyChangedCellsAndClampsToTheBorder) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(8)));
    edit.setMirror(false);
    EXPECT_TRUE(edit.paint({3, 3}).empty());  // already free
    edit.setTool(EditCell::NoCell);
    EXPECT_EQ(edit.paint({3, 4}), (std::vector<EditPos>{{3, 4}}));
    EXPECT_TRUE(edit.paint({3, 4}).empty());
    EXPECT_EQ(edit.paint({12, -3}), (std::vector<EditPos>{{7, 0}}));
    EXPECT_EQ(edit.paint({-1, 30}), (std::vector<EditPos>{{0, 7}}));
    EXPECT_EQ(edit.at(12, 0), EditCell::Free);  // outside the board: untouched
}

TEST(BoardEditPaint, MirrorOfAClampedPointIsTheOppositeBorderCell) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(std::string(64, 'X')));
    ASSERT_TRUE(edit.mirror());
    edit.setTool(EditCell::Player2);
    EXPECT_EQ(edit.paint({40, 40}), (std::vector<EditPos>{{7, 7}, {0, 0}}));
    EXPECT_EQ(edit.at(0, 0), EditCell::Player1);
}

TEST(BoardEditPaint, CentreOfAnOddSideIsItsOwnMirror) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(std::string(81, 'X')));
    // A token painted on the centre ends as the other player's token...
    edit.setTool(EditCell::Player1);
    edit.paint({4, 4});
    EXPECT_EQ(edit.at(4, 4), EditCell::Player2);
    edit.setTool(EditCell::Player2);
    edit.paint({4, 4});
    EXPECT_EQ(edit.at(4, 4), EditCell::Player1);
    // ...while no cell stays as painted.
    edit.setTool(EditCell::NoCell);
    edit.paint({4, 4});
    EXPECT_EQ(edit.at(4, 4), EditCell::NoCell);
}

TEST(BoardEditHit, MapsCanvasPointsToCellsAndClampsOutside) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(8)));
    // 800 x 600 canvas: cells of 100 x 75.
    EXPECT_EQ(edit.cellAt(99.9, 74.9, 800, 600), (EditPos{0, 0}));
    EXPECT_EQ(edit.cellAt(100, 75, 800, 600), (EditPos{1, 1}));
    EXPECT_EQ(edit.cellAt(-5, 2000, 800, 600), (EditPos{0, 7}));
    EXPECT_EQ(edit.cellAt(1e300, -1e300, 800, 600), (EditPos{7, 0}));
    EXPECT_EQ(edit.cellAt(10, 10, 0, 0), (EditPos{0, 0}));
}

TEST(BoardEditSave, ChecksFreeCellsFirstAndCountsOnlyTheBoard) {
    BoardEdit edit;
    // No free cell and no tokens at all: the free-cell check speaks first.
    ASSERT_TRUE(edit.load(std::string(36, '0')));
    EXPECT_EQ(edit.saveRefusal(), BoardRefusal::NoFreeCell);
    ASSERT_TRUE(edit.load(std::string(35, 'X') + "-"));
    EXPECT_EQ(edit.saveRefusal(), BoardRefusal::NoPlayer1Token);

    ASSERT_TRUE(edit.load(plainBoard(7)));
    EXPECT_EQ(edit.saveRefusal(), std::nullopt);
    ASSERT_TRUE(edit.shrink());  // the bottom-right player 2 token falls outside
    EXPECT_EQ(edit.saveRefusal(), BoardRefusal::NoPlayer2Token);
}

}  // namespace
}  // namespace tomelin
