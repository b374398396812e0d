#include <gtest/gtest.h>

#include "core/board.h"
#include "core/directions.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using test::boardFrom;
using test::rows;

TEST(BoardDescriptor, LoadsCellsRowByRowAndReturnsStartingDigit) {
    Board b;
    const auto r = LoadBoardDescriptor(b, "+XX-1");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.startDigit, 1);
    EXPECT_EQ(b.side(), 2);
    EXPECT_EQ(b.at(0, 0), kToken1);
    EXPECT_EQ(b.at(1, 0), kFreeCell);
    EXPECT_EQ(b.at(0, 1), kFreeCell);
    EXPECT_EQ(b.at(1, 1), kToken2);
    // Margins read as no cell.
    EXPECT_EQ(b.at(-3, -3), kNoCell);
    EXPECT_EQ(b.at(2, 0), kNoCell);
    EXPECT_EQ(b.at(18, 18), kNoCell);
}

TEST(BoardDescriptor, CelemVzadWithDigitHasSideSevenAndPlayerOneStarts) {
    const BuiltinBoard* celem = findBuiltinBoard("Čelem vzad");
    ASSERT_NE(celem, nullptr);
    const std::string d = celem->boardString + "1";
    EXPECT_EQ(d.size(), 50u);
    Board b;
    const auto r = LoadBoardDescriptor(b, d);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(b.side(), 7);
    EXPECT_EQ(r.startDigit, 1);
    EXPECT_EQ(boardString(b), celem->boardString);
}

TEST(BoardDescriptor, UnknownCharactersAndMissingTailGiveNoCell) {
    Board b;
    // 9 characters + digit: side 3; "?" is no board character.
    ASSERT_TRUE(LoadBoardDescriptor(b, "X?XXXXXXX2").ok());
    EXPECT_EQ(b.at(1, 0), kNoCell);
    EXPECT_EQ(b.at(0, 0), kFreeCell);
    // Length - 1 = 12 rounds to side 3 (sqrt 3.46): only the first 9 characters are read.
    ASSERT_TRUE(LoadBoardDescriptor(b, "XXXXXXXXX+++1").ok());
    EXPECT_EQ(b.side(), 3);
    EXPECT_EQ(b.count().tokens1, 0);
    // Length - 1 = 14 rounds to side 4 (sqrt 3.74): cells past the end have no field.
    ASSERT_TRUE(LoadBoardDescriptor(b, "XXXXXXXXXXXXXX1").ok());
    EXPECT_EQ(b.side(), 4);
    EXPECT_EQ(b.count().free, 14);
    EXPECT_EQ(b.at(3, 3), kNoCell);
}

TEST(BoardDescriptor, SidesOutsideTheGridsAreRefusedAndLeaveTheBoardUntouched) {
    Board b;
    ASSERT_TRUE(LoadBoardDescriptor(b, "+XX-1").ok());
    const Board before = b;
    // Side 17 would write beyond the grids.
    EXPECT_EQ(LoadBoardDescriptor(b, std::string(17 * 17, 'X') + "1").error, BoardError::BadLength);
    // Far larger: must not touch memory either.
    EXPECT_EQ(LoadBoardDescriptor(b, std::string(100 * 100, '+') + "1").error,
              BoardError::BadLength);
    EXPECT_EQ(LoadBoardDescriptor(b, "X1").error, BoardError::BadLength);
    EXPECT_EQ(LoadBoardDescriptor(b, "").error, BoardError::BadLength);
    EXPECT_EQ(LoadBoardDescriptor(b, "+XX-3").error, BoardError::BadStartDigit);
    EXPECT_EQ(LoadBoardDescriptor(b, "+XX-").error, BoardError::BadStartDigit);
    EXPECT_EQ(b, before);
    // Side 16 is the largest that fits.
    ASSERT_TRUE(LoadBoardDescriptor(b, std::string(16 * 16, 'X') + "2").ok());
    EXPECT_EQ(b.side(), 16);
    EXPECT_EQ(b.at(15, 15), kFreeCell);
    EXPECT_EQ(b.at(16, 15), kNoCell);
}

TEST(BoardDescriptor, LoadingASmallerBoardLeavesNoStaleCells) {
    Board b;
    ASSERT_TRUE(LoadBoardDescriptor(b, findBuiltinBoard("Bitva")->boardString + "1").ok());
    ASSERT_TRUE(LoadBoardDescriptor(b, findBuiltinBoard("Dáma")->boardString + "1").ok());
    for (int x = 0; x <= 18; ++x) {
        for (int y = 8; y <= 18; ++y) {
            EXPECT_EQ(b.at(x, y), kNoCell);
            EXPECT_EQ(b.at(y, x), kNoCell);
        }
    }
    EXPECT_EQ(b.count().tokens1, 12);
    EXPECT_EQ(b.count().tokens2, 12);
}

TEST(BoardString, CheckAcceptsSquaresOfBoardCharactersOnly) {
    EXPECT_FALSE(checkBoardString("+XX-").has_value());
    EXPECT_FALSE(checkBoardString(std::string(256, '0')).has_value());
    EXPECT_EQ(checkBoardString("+XX"), BoardError::BadLength);
    EXPECT_EQ(checkBoardString("X"), BoardError::BadLength);
    EXPECT_EQ(checkBoardString(""), BoardError::BadLength);
    EXPECT_EQ(checkBoardString(std::string(289, 'X')), BoardError::BadLength);
    EXPECT_EQ(checkBoardString("+xX-"), BoardError::BadCharacter);
    EXPECT_EQ(boardStringSide("XXXXXXXXX"), 3);
    EXPECT_EQ(boardStringSide("XXXXXXXXXX"), 3);
}

TEST(Snapshot, TwoByTwoBoardGoesColumnByColumn) {
    const Board b = boardFrom("+XX-");
    EXPECT_EQ(boardString(b), "+XX-");
    EXPECT_EQ(MakeSnapshot(b), "KBBU");
}

TEST(Snapshot, RestoreReportsOnlyChangedCellsAndRefusesWrongLength) {
    Board b = boardFrom(rows({"+X0", "XX-", "XXX"}));
    const std::string snap = MakeSnapshot(b);
    Board changed = b;
    changed.set(1, 0, kToken1);
    changed.set(2, 1, kToken1);
    std::vector<CellPos> redrawn;
    ASSERT_TRUE(RestoreSnapshot(changed, snap, [&](int x, int y) { redrawn.push_back({x, y}); }));
    EXPECT_EQ(changed, b);
    ASSERT_EQ(redrawn.size(), 2u);
    EXPECT_EQ(redrawn[0], (CellPos{1, 0}));
    EXPECT_EQ(redrawn[1], (CellPos{2, 1}));
    EXPECT_FALSE(RestoreSnapshot(changed, "KBB", nullptr));
    EXPECT_FALSE(RestoreSnapshot(changed, "ZZZZZZZZZ", nullptr));
    EXPECT_EQ(changed, b);
}

TEST(BuiltinBoards, FiveBoardsWithTheTabledSizesTokensAndHoles) {
    struct Expect {
        const char* name;
        int side;
        int tokens;
        int holes;
    };
    const Expect expected[] = {{"Originál", 11, 2, 0},
                               {"Dáma", 8, 12, 0},
                               {"Čelem vzad", 7, 5, 7},
                               {"Bitva", 15, 28, 6},
                               {"Špionáž", 8, 9, 10}};
    ASSERT_EQ(builtinBoards().size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        const BuiltinBoard& bb = builtinBoards()[i];
        EXPECT_EQ(bb.name, expected[i].name);
        EXPECT_FALSE(checkBoardString(bb.boardString).has_value()) << bb.name;
        const Board b = boardFrom(bb.boardString);
        EXPECT_EQ(b.side(), expected[i].side) << bb.name;
        const auto c = b.count();
        EXPECT_EQ(c.tokens1, expected[i].tokens) << bb.name;
        EXPECT_EQ(c.tokens2, expected[i].tokens) << bb.name;
        EXPECT_EQ(b.side() * b.side() - c.free - c.tokens1 - c.tokens2, expected[i].holes)
            << bb.name;
    }
    EXPECT_EQ(findBuiltinBoard("Neznámá"), nullptr);
    // "Bitva": player 1 on the left, player 2 on the right; row 7 is its own row.
    const Board bitva = boardFrom(findBuiltinBoard("Bitva")->boardString);
    EXPECT_EQ(bitva.at(0, 2), kToken1);
    EXPECT_EQ(bitva.at(14, 2), kToken2);
    EXPECT_EQ(bitva.at(1, 7), kNoCell);
}

TEST(Directions, CopyDirectionsComeFirstAndEveryOffsetOccursOnce) {
    for (Logic logic : {Logic::Star, Logic::Cross}) {
        const Directions& d = Directions::of(logic);
        const int count = d.count();
        EXPECT_EQ(count, logic == Logic::Star ? 24 : 12);
        for (int i = 0; i < count; ++i) {
            const auto iu = static_cast<std::size_t>(i);
            const bool neighbour = i < d.neighbourCount();
            EXPECT_EQ(d.kind[iu], neighbour ? Directions::kCopyKind : Directions::kJumpKind);
            for (int j = i + 1; j < count; ++j) {
                const auto ju = static_cast<std::size_t>(j);
                EXPECT_FALSE(d.dx[iu] == d.dx[ju] && d.dy[iu] == d.dy[ju]);
            }
            const int dist = std::max(std::abs(d.dx[iu]), std::abs(d.dy[iu]));
            if (logic == Logic::Star) {
                EXPECT_EQ(dist, neighbour ? 1 : 2);
            } else if (neighbour) {
                EXPECT_EQ(std::abs(d.dx[iu]) + std::abs(d.dy[iu]), 1);
            } else {
                EXPECT_TRUE(dist == 2 || std::abs(d.dx[iu]) + std::abs(d.dy[iu]) == 2);
            }
        }
    }
    EXPECT_EQ(logicFromLabel("1"), Logic::Star);
    EXPECT_EQ(logicFromLabel("2"), Logic::Cross);
    EXPECT_EQ(logicFromLabel(""), Logic::Cross);
}

}  // namespace
}  // namespace tomelin
