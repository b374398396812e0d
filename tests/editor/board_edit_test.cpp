#include "editor/board_edit.h"

#include <gtest/gtest.h>

#include <string>

namespace tomelin {
namespace {

using Cells = std::vector<EditPos>;

// An n x n board string of free cells with a player 1 token top-left and a player 2 token
// bottom-right.
std::string plainBoard(int n) {
    std::string s(static_cast<std::size_t>(n * n), 'X');
    s.front() = '+';
    s.back() = '-';
    return s;
}

TEST(BoardEditing, LoadReadsRowsFromTheTopAndFillsTheRestOfTheGridWithFreeCells) {
    std::string s(64, 'X');
    s.replace(0, 4, "0X+-");
    s[1 * 8 + 6] = '+';  // row 1, column 6
    s[6 * 8 + 1] = '-';  // row 6, column 1
    BoardEdit edit;
    ASSERT_TRUE(edit.load(std::string(100, '0')));  // an earlier board is forgotten
    edit.setTool(EditCell::Player2);
    ASSERT_TRUE(edit.load(s));
    EXPECT_EQ(edit.side(), 8);
    EXPECT_EQ(edit.tool(), EditCell::Free);
    EXPECT_EQ(edit.at(0, 0), EditCell::NoCell);
    EXPECT_EQ(edit.at(2, 0), EditCell::Player1);
    EXPECT_EQ(edit.at(3, 0), EditCell::Player2);
    EXPECT_EQ(edit.at(6, 1), EditCell::Player1);
    EXPECT_EQ(edit.at(1, 6), EditCell::Player2);
    EXPECT_EQ(edit.at(9, 9), EditCell::Free);
    EXPECT_EQ(edit.boardString(), s);
}

TEST(BoardEditing, SideStaysWithinSixToFifteenAndShrinkingKeepsCellsForGrowingBack) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(6)));
    EXPECT_FALSE(edit.shrink());
    ASSERT_TRUE(edit.load(plainBoard(8)));
    for (int i = 0; i < 10; ++i)
        edit.grow();
    EXPECT_EQ(edit.side(), 15);

    ASSERT_TRUE(edit.load(plainBoard(8)));
    ASSERT_TRUE(edit.shrink());
    EXPECT_EQ(edit.boardString(), std::string(49, 'X').replace(0, 1, "+"));
    ASSERT_TRUE(edit.grow());
    EXPECT_EQ(edit.boardString(), plainBoard(8));
}

// Boards made elsewhere (the tool, an older store) may have sides the editor does not make;
// opened and saved unchanged they must come back unchanged, not cropped or padded.
TEST(BoardEditing, BoardOfAnotherSideIsEditedAtItsOwnSideAndSavesUnchanged) {
    BoardEdit edit;
    for (const int n : {2, 5, 16}) {
        SCOPED_TRACE(n);
        std::string board = plainBoard(n);
        board[static_cast<std::size_t>(n)] = '0';  // a hole at column 0, row 1
        ASSERT_TRUE(edit.load(board));
        EXPECT_EQ(edit.side(), n);
        EXPECT_EQ(edit.boardString(), board);
        EXPECT_EQ(edit.minSide(), std::min(n, 6));
        EXPECT_EQ(edit.maxSide(), std::max(n, 15));
    }
    // The 16 x 16 board may be shrunk and grown back, but grows no further.
    EXPECT_FALSE(edit.grow());
    ASSERT_TRUE(edit.shrink());
    EXPECT_EQ(edit.boardString().size(), 225u);
    ASSERT_TRUE(edit.grow());
    EXPECT_EQ(edit.boardString().size(), 256u);
    EXPECT_EQ(edit.at(15, 15), EditCell::Player2);
    // A 5 x 5 board may go back down to 5 after growing, but not below.
    ASSERT_TRUE(edit.load(plainBoard(5)));
    ASSERT_TRUE(edit.grow());
    ASSERT_TRUE(edit.shrink());
    EXPECT_FALSE(edit.shrink());
    EXPECT_EQ(edit.boardString(), plainBoard(5));
    // The next board the editor makes is back within 6 to 15.
    ASSERT_TRUE(edit.load(plainBoard(7)));
    EXPECT_EQ(edit.minSide(), 6);
    EXPECT_EQ(edit.maxSide(), 15);
}

TEST(BoardEditing, LoadRefusesWhatIsNoBoardStringAndLeavesAnAllFreeGrid) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(9)));
    for (const std::string& bad : {std::string("XX+-X"), std::string(36, 'Y'), std::string()})
        EXPECT_FALSE(edit.load(bad)) << bad;
    EXPECT_EQ(edit.side(), 9);
    EXPECT_EQ(edit.boardString(), std::string(81, 'X'));
}

TEST(BoardEditing, PaintReportsOnlyChangedCellsAndClampsToTheBorder) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(8)));
    edit.setMirror(false);
    EXPECT_TRUE(edit.paint({3, 3}).empty());  // already free
    edit.setTool(EditCell::NoCell);
    EXPECT_EQ(edit.paint({3, 4}), (Cells{{3, 4}}));
    EXPECT_TRUE(edit.paint({3, 4}).empty());
    EXPECT_EQ(edit.paint({12, -3}), (Cells{{7, 0}}));
    EXPECT_EQ(edit.paint({-1, 30}), (Cells{{0, 7}}));
    EXPECT_EQ(edit.at(12, 0), EditCell::Free);  // outside the board: untouched
}

TEST(BoardEditing, MirrorPaintsTheOppositeCellWithTheOtherPlayersToken) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(std::string(64, 'X')));
    ASSERT_TRUE(edit.mirror());
    edit.setTool(EditCell::Player2);
    EXPECT_EQ(edit.paint({40, 40}), (Cells{{7, 7}, {0, 0}}));  // clamped, then mirrored
    EXPECT_EQ(edit.at(0, 0), EditCell::Player1);
    // On an odd side the centre is its own mirror: a token ends as the other player's.
    ASSERT_TRUE(edit.load(std::string(81, 'X')));
    const std::pair<EditCell, EditCell> centre[] = {{EditCell::Player1, EditCell::Player2},
                                                    {EditCell::Player2, EditCell::Player1},
                                                    {EditCell::NoCell, EditCell::NoCell}};
    for (const auto& [tool, result] : centre) {
        edit.setTool(tool);
        edit.paint({4, 4});
        EXPECT_EQ(edit.at(4, 4), result);
    }
}

TEST(BoardEditing, CanvasPointsMapToCellsClampedIntoTheBoard) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(8)));
    // 800 x 600 canvas: cells of 100 x 75.
    EXPECT_EQ(edit.cellAt(99.9, 74.9, 800, 600), (EditPos{0, 0}));
    EXPECT_EQ(edit.cellAt(100, 75, 800, 600), (EditPos{1, 1}));
    EXPECT_EQ(edit.cellAt(-5, 2000, 800, 600), (EditPos{0, 7}));
    EXPECT_EQ(edit.cellAt(1e300, -1e300, 800, 600), (EditPos{7, 0}));
    EXPECT_EQ(edit.cellAt(10, 10, 0, 0), (EditPos{0, 0}));
}

// The order of the refusals is the editor window's test (BoardEditorTest.RefusedSaves...).
TEST(BoardEditing, SaveCountsOnlyTheCellsOnTheBoard) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(7)));
    EXPECT_EQ(edit.saveRefusal(), std::nullopt);
    ASSERT_TRUE(edit.shrink());  // the bottom-right player 2 token falls outside
    EXPECT_EQ(edit.saveRefusal(), BoardRefusal::NoPlayer2Token);
}

}  // namespace
}  // namespace tomelin
