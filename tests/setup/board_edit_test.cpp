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

TEST(BoardEditLoad, CopiesEveryCharacterIntoTheGrid) {
    BoardEdit edit;
    // Row 0: "0X+-0X", every other row free.
    std::string s = plainBoard(6);
    s.replace(0, 6, "0X+-0X");
    ASSERT_TRUE(edit.load(s));
    EXPECT_EQ(edit.side(), 6);
    EXPECT_EQ(edit.at(0, 0), EditCell::NoCell);
    EXPECT_EQ(edit.at(1, 0), EditCell::Free);
    EXPECT_EQ(edit.at(2, 0), EditCell::Player1);
    EXPECT_EQ(edit.at(3, 0), EditCell::Player2);
    EXPECT_EQ(edit.at(5, 5), EditCell::Player2);
    EXPECT_EQ(edit.boardString(), s);
}

TEST(BoardEditLoad, ReadsRowsFromTheTopAndColumnsFromTheLeft) {
    std::string s(64, 'X');
    s[1 * 8 + 6] = '+';  // row 1, column 6
    s[6 * 8 + 1] = '-';  // row 6, column 1
    BoardEdit edit;
    ASSERT_TRUE(edit.load(s));
    EXPECT_EQ(edit.at(6, 1), EditCell::Player1);
    EXPECT_EQ(edit.at(1, 6), EditCell::Player2);
    EXPECT_EQ(edit.at(6, 6), EditCell::Free);
}

TEST(BoardEditLoad, MakesTheFreeCellToolCurrentAndFillsTheGridBeyondTheBoard) {
    BoardEdit edit;
    edit.setTool(EditCell::Player2);
    ASSERT_TRUE(edit.load(std::string(64, '0')));
    EXPECT_EQ(edit.tool(), EditCell::Free);
    EXPECT_EQ(edit.at(7, 7), EditCell::NoCell);
    EXPECT_EQ(edit.at(8, 0), EditCell::Free);
    EXPECT_EQ(edit.at(24, 24), EditCell::Free);
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

    ASSERT_TRUE(edit.load(plainBoard(16)));
    EXPECT_EQ(edit.side(), 15);
    EXPECT_EQ(edit.boardString().size(), 225u);
}

TEST(BoardEditLoad, RefusesWhatIsNoBoardString) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(9)));
    EXPECT_FALSE(edit.load("XX+-X"));               // not a square
    EXPECT_FALSE(edit.load(std::string(36, 'Y')));  // foreign characters
    EXPECT_FALSE(edit.load(""));
    // The grid is left all free and the side stays usable.
    EXPECT_EQ(edit.side(), 9);
    EXPECT_EQ(edit.at(0, 0), EditCell::Free);
    EXPECT_EQ(edit.boardString(), std::string(81, 'X'));
}

TEST(BoardEditSide, StaysAtSixWhenShrunkFromSix) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(6)));
    EXPECT_FALSE(edit.shrink());
    EXPECT_EQ(edit.side(), 6);
}

TEST(BoardEditSide, StopsAtFifteenWhenGrownTenTimesFromEight) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(8)));
    int grown = 0;
    for (int i = 0; i < 10; ++i) {
        grown += edit.grow() ? 1 : 0;
    }
    EXPECT_EQ(grown, 7);
    EXPECT_EQ(edit.side(), 15);
}

TEST(BoardEditSide, GrowingALoadedBoardShowsFreeCells) {
    std::string s(64, '0');
    s[0] = '+';
    s[63] = '-';
    BoardEdit edit;
    ASSERT_TRUE(edit.load(s));
    ASSERT_TRUE(edit.grow());
    const std::string grown = edit.boardString();
    ASSERT_EQ(grown.size(), 81u);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(grown[static_cast<std::size_t>(i * 9 + 8)], 'X') << "right column, row " << i;
        EXPECT_EQ(grown[static_cast<std::size_t>(8 * 9 + i)], 'X') << "bottom row, column " << i;
    }
    EXPECT_EQ(grown.substr(0, 8), "+0000000");
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
    EXPECT_EQ(edit.at(7, 0), EditCell::Player2);
    EXPECT_EQ(edit.boardString()[7], '-');
}

TEST(BoardEditTool, FourRightClicksReturnToTheToolBefore) {
    BoardEdit edit;
    EXPECT_EQ(edit.cycleTool(), EditCell::Player1);
    EXPECT_EQ(edit.cycleTool(), EditCell::Player2);
    EXPECT_EQ(edit.cycleTool(), EditCell::NoCell);
    EXPECT_EQ(edit.cycleTool(), EditCell::Free);
}

TEST(BoardEditPaint, PaintsOnlyWhereTheCodeDiffers) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(8)));
    edit.setMirror(false);
    EXPECT_TRUE(edit.paint({3, 3}).empty());  // already free
    edit.setTool(EditCell::NoCell);
    const auto changed = edit.paint({3, 4});
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], (EditPos{3, 4}));
    EXPECT_EQ(edit.at(3, 4), EditCell::NoCell);
    EXPECT_TRUE(edit.paint({3, 4}).empty());
}

TEST(BoardEditPaint, ClampsCellsBeyondTheBoardToItsBorder) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(8)));
    edit.setMirror(false);
    edit.setTool(EditCell::NoCell);
    EXPECT_EQ(edit.paint({12, -3}), (std::vector<EditPos>{{7, 0}}));
    EXPECT_EQ(edit.paint({-1, 30}), (std::vector<EditPos>{{0, 7}}));
    // Nothing outside the board was touched.
    EXPECT_EQ(edit.at(12, 0), EditCell::Free);
}

TEST(BoardEditPaint, MirrorPutsTheOtherPlayersTokenOppositeOnAnEvenSide) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(std::string(64, 'X')));
    ASSERT_TRUE(edit.mirror());  // ticked when the editor opens
    edit.setTool(EditCell::Player1);
    const auto changed = edit.paint({1, 2});
    EXPECT_EQ(changed, (std::vector<EditPos>{{1, 2}, {6, 5}}));
    EXPECT_EQ(edit.at(1, 2), EditCell::Player1);
    EXPECT_EQ(edit.at(6, 5), EditCell::Player2);

    edit.setTool(EditCell::Player2);
    edit.paint({0, 7});
    EXPECT_EQ(edit.at(0, 7), EditCell::Player2);
    EXPECT_EQ(edit.at(7, 0), EditCell::Player1);

    edit.setTool(EditCell::NoCell);
    edit.paint({2, 2});
    EXPECT_EQ(edit.at(5, 5), EditCell::NoCell);
}

TEST(BoardEditPaint, MirrorOfAClampedPointIsTheOppositeBorderCell) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(std::string(64, 'X')));
    edit.setTool(EditCell::NoCell);
    EXPECT_EQ(edit.paint({40, 40}), (std::vector<EditPos>{{7, 7}, {0, 0}}));
}

TEST(BoardEditPaint, CentreOfAnOddSideIsItsOwnMirror) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(std::string(81, 'X')));
    // A token painted on the centre ends as the other player's token.
    edit.setTool(EditCell::Player1);
    edit.paint({4, 4});
    EXPECT_EQ(edit.at(4, 4), EditCell::Player2);
    edit.setTool(EditCell::Player2);
    edit.paint({4, 4});
    EXPECT_EQ(edit.at(4, 4), EditCell::Player1);
    // No cell and a free cell stay as painted.
    edit.setTool(EditCell::NoCell);
    edit.paint({4, 4});
    EXPECT_EQ(edit.at(4, 4), EditCell::NoCell);
    edit.setTool(EditCell::Free);
    edit.paint({4, 4});
    EXPECT_EQ(edit.at(4, 4), EditCell::Free);
}

TEST(BoardEditPaint, MirroredBoardIsSymmetricUnderAHalfTurn) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(std::string(49, 'X')));
    const EditPos strokes[] = {{0, 0}, {1, 3}, {6, 2}, {3, 0}, {2, 5}};
    EditCell tool = EditCell::NoCell;
    for (const EditPos& p : strokes) {
        edit.setTool(tool);
        edit.paint(p);
        tool = static_cast<EditCell>((static_cast<int>(tool) + 1) % 4);
    }
    const auto swapped = [](EditCell c) {
        if (c == EditCell::Player1)
            return EditCell::Player2;
        if (c == EditCell::Player2)
            return EditCell::Player1;
        return c;
    };
    for (int r = 0; r < 7; ++r) {
        for (int c = 0; c < 7; ++c) {
            EXPECT_EQ(edit.at(c, r), swapped(edit.at(6 - c, 6 - r))) << c << "," << r;
        }
    }
}

TEST(BoardEditHit, MapsCanvasPointsToCellsAndClampsOutside) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(8)));
    // 800 x 600 canvas: cells of 100 x 75.
    EXPECT_EQ(edit.cellAt(0, 0, 800, 600), (EditPos{0, 0}));
    EXPECT_EQ(edit.cellAt(99.9, 74.9, 800, 600), (EditPos{0, 0}));
    EXPECT_EQ(edit.cellAt(100, 75, 800, 600), (EditPos{1, 1}));
    EXPECT_EQ(edit.cellAt(799, 599, 800, 600), (EditPos{7, 7}));
    EXPECT_EQ(edit.cellAt(-5, 2000, 800, 600), (EditPos{0, 7}));
    EXPECT_EQ(edit.cellAt(1e300, -1e300, 800, 600), (EditPos{7, 0}));
    EXPECT_EQ(edit.cellAt(10, 10, 0, 0), (EditPos{0, 0}));
}

TEST(BoardEditSave, RefusesABoardWithoutFreeCellsFirst) {
    BoardEdit edit;
    // No free cell and no tokens at all: the free-cell check speaks first.
    ASSERT_TRUE(edit.load(std::string(36, '0')));
    EXPECT_EQ(edit.saveRefusal(), BoardRefusal::NoFreeCell);
    ASSERT_TRUE(edit.load(std::string(35, '+') + "-"));
    EXPECT_EQ(edit.saveRefusal(), BoardRefusal::NoFreeCell);
}

TEST(BoardEditSave, RefusesMissingTokensOfEitherPlayerInOrder) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(std::string(36, 'X')));
    EXPECT_EQ(edit.saveRefusal(), BoardRefusal::NoPlayer1Token);
    ASSERT_TRUE(edit.load(std::string(35, 'X') + "-"));
    EXPECT_EQ(edit.saveRefusal(), BoardRefusal::NoPlayer1Token);
    ASSERT_TRUE(edit.load(std::string(35, 'X') + "+"));
    EXPECT_EQ(edit.saveRefusal(), BoardRefusal::NoPlayer2Token);
    ASSERT_TRUE(edit.load(plainBoard(6)));
    EXPECT_EQ(edit.saveRefusal(), std::nullopt);
}

TEST(BoardEditSave, CountsOnlyCellsInsideTheBoard) {
    BoardEdit edit;
    ASSERT_TRUE(edit.load(plainBoard(7)));
    ASSERT_TRUE(edit.shrink());  // the bottom-right player 2 token falls outside
    EXPECT_EQ(edit.saveRefusal(), BoardRefusal::NoPlayer2Token);
    ASSERT_TRUE(edit.grow());
    EXPECT_EQ(edit.saveRefusal(), std::nullopt);
}

TEST(BoardEditSave, RefusalTextsAreTheOnesShownToTheUser) {
    EXPECT_STREQ(boardRefusalText(BoardRefusal::NoFreeCell), "Není žádné volné políčko.");
    EXPECT_STREQ(boardRefusalText(BoardRefusal::NoPlayer1Token), "Nejsou žádné figurky hráče 1");
    EXPECT_STREQ(boardRefusalText(BoardRefusal::NoPlayer2Token), "Nejsou žádné figurky hráče 2");
}

TEST(BoardEditCodes, CharactersAndCodesRoundTrip) {
    for (char c : std::string("0X+-")) {
        const auto code = editCellFromChar(c);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(editCellChar(*code), c);
    }
    EXPECT_FALSE(editCellFromChar('x').has_value());
    EXPECT_FALSE(editCellFromChar(' ').has_value());
}

}  // namespace
}  // namespace tomelin
