// The board model and its text forms, the direction tables, move counting, key steering and
// the manual timer host and random source the other tests rely on.

#include <gtest/gtest.h>

#include "core/input.h"
#include "core/perft.h"
#include "core/rounding.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using test::boardFrom;
using test::rows;

TEST(BoardDescriptor, LoadsRowByRowAndRoundsTheSideOfOddLengths) {
    Board b;
    const auto r = LoadBoardDescriptor(b, "+XX-2");
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.startDigit, 2);
    EXPECT_EQ(b.side(), 2);
    EXPECT_EQ(boardString(b), "+XX-");
    EXPECT_EQ(b.at(1, 0), kFreeCell);
    EXPECT_EQ(b.at(1, 1), kToken2);
    for (auto [x, y] : {std::pair{-3, -3}, {2, 0}, {0, 2}, {18, 18}})
        EXPECT_EQ(b.at(x, y), kNoCell) << x << "," << y;
    // "?" is no board character: no cell.
    ASSERT_TRUE(LoadBoardDescriptor(b, "X?XXXXXXX2").ok());
    EXPECT_EQ(b.at(1, 0), kNoCell);
    // 12 characters round to side 3: only the first 9 are read.
    ASSERT_TRUE(LoadBoardDescriptor(b, "XXXXXXXXX+++1").ok());
    EXPECT_EQ(b.side(), 3);
    EXPECT_EQ(b.count().tokens1, 0);
    // 14 characters round to side 4: cells past the end have no field.
    ASSERT_TRUE(LoadBoardDescriptor(b, "XXXXXXXXXXXXXX1").ok());
    EXPECT_EQ(b.side(), 4);
    EXPECT_EQ(b.count().free, 14);
}

TEST(BoardDescriptor, SidesOutsideTheGridsAndBadDigitsAreRefusedAndTouchNothing) {
    Board b = boardFrom("+XX-");
    const Board before = b;
    const std::pair<std::string, BoardError> refused[] = {
        {std::string(17 * 17, 'X') + "1", BoardError::BadLength},
        {std::string(100 * 100, '+') + "1", BoardError::BadLength},
        {"X1", BoardError::BadLength},
        {"", BoardError::BadLength},
        {"+XX-3", BoardError::BadStartDigit},
        {"+XX-", BoardError::BadStartDigit}};
    for (const auto& [descriptor, error] : refused)
        EXPECT_EQ(LoadBoardDescriptor(b, descriptor).error, error) << descriptor.size();
    EXPECT_EQ(b, before);
    ASSERT_TRUE(LoadBoardDescriptor(b, std::string(16 * 16, 'X') + "2").ok());
    EXPECT_EQ(b.at(15, 15), kFreeCell);
    EXPECT_EQ(b.at(16, 15), kNoCell);
}

TEST(BoardDescriptor, LoadingASmallerBoardLeavesNoStaleCells) {
    Board b = boardFrom(findBuiltinBoard("Bitva")->boardString);
    ASSERT_TRUE(LoadBoardDescriptor(b, findBuiltinBoard("Dáma")->boardString + "1").ok());
    for (int x = 0; x <= 18; ++x) {
        for (int y = 8; y <= 18; ++y)
            EXPECT_TRUE(b.at(x, y) == kNoCell && b.at(y, x) == kNoCell) << x << "," << y;
    }
    EXPECT_EQ(b.count().tokens1, 12);
}

TEST(BoardString, CheckAcceptsSquaresOfTwoToSixteenBoardCharacters) {
    const std::pair<std::string, std::optional<BoardError>> cases[] = {
        {"+XX-", std::nullopt},
        {std::string(256, '0'), std::nullopt},
        {"+XX", BoardError::BadLength},
        {"X", BoardError::BadLength},
        {"", BoardError::BadLength},
        {std::string(289, 'X'), BoardError::BadLength},
        {"+xX-", BoardError::BadCharacter}};
    for (const auto& [s, error] : cases)
        EXPECT_EQ(checkBoardString(s), error) << s.substr(0, 10) << " " << s.size();
    EXPECT_EQ(boardStringSide("XXXXXXXXX"), 3);
}

TEST(Snapshot, GoesColumnByColumnAndRestoreReportsOnlyChangedCells) {
    EXPECT_EQ(MakeSnapshot(boardFrom("+XX-")), "KBBU");
    const Board b = boardFrom(rows({"+X0", "XX-", "XXX"}));
    Board changed = b;
    changed.set(1, 0, kToken1);
    changed.set(2, 1, kToken1);
    std::vector<CellPos> redrawn;
    ASSERT_TRUE(RestoreSnapshot(changed, MakeSnapshot(b), [&](int x, int y) {
        redrawn.push_back({x, y});
    }));
    EXPECT_EQ(changed, b);
    EXPECT_EQ(redrawn, (std::vector<CellPos>{{1, 0}, {2, 1}}));
    changed.set(1, 0, kToken1);
    EXPECT_FALSE(RestoreSnapshot(changed, "KBB", nullptr));
    EXPECT_FALSE(RestoreSnapshot(changed, "ZZZZZZZZZ", nullptr));  // no cell codes
    EXPECT_EQ(changed.at(1, 0), kToken1);
}

TEST(BuiltinBoards, FiveBoardsWithTheTabledSizesTokensAndHoles) {
    struct Expect {
        const char* name;
        int side, tokens, holes;
    };
    const Expect expected[] = {{"Originál", 11, 2, 0},
                               {"Dáma", 8, 12, 0},
                               {"Čelem vzad", 7, 5, 7},
                               {"Bitva", 15, 28, 6},
                               {"Špionáž", 8, 9, 10}};
    ASSERT_EQ(builtinBoards().size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        const BuiltinBoard& bb = builtinBoards()[i];
        SCOPED_TRACE(bb.name);
        EXPECT_EQ(bb.name, expected[i].name);
        EXPECT_FALSE(checkBoardString(bb.boardString).has_value());
        const Board b = boardFrom(bb.boardString);
        EXPECT_EQ(boardString(b), bb.boardString);
        EXPECT_EQ(b.side(), expected[i].side);
        const auto c = b.count();
        EXPECT_EQ(c.tokens1, expected[i].tokens);
        EXPECT_EQ(c.tokens2, expected[i].tokens);
        EXPECT_EQ(b.side() * b.side() - c.free - c.tokens1 - c.tokens2, expected[i].holes);
    }
    EXPECT_EQ(findBuiltinBoard("Neznámá"), nullptr);
    // "Bitva": player 1 on the left, player 2 on the right; row 7 is its own row.
    const Board bitva = boardFrom(findBuiltinBoard("Bitva")->boardString);
    EXPECT_EQ(bitva.at(0, 2), kToken1);
    EXPECT_EQ(bitva.at(14, 2), kToken2);
    EXPECT_EQ(bitva.at(1, 7), kNoCell);
}

TEST(Directions, CopyNeighboursComeFirstAndEveryOffsetOccursOnce) {
    for (Logic logic : {Logic::Star, Logic::Cross}) {
        const Directions& d = Directions::of(logic);
        EXPECT_EQ(d.count(), logic == Logic::Star ? 24 : 12);
        for (std::size_t i = 0; i < static_cast<std::size_t>(d.count()); ++i) {
            const bool neighbour = static_cast<int>(i) < d.neighbourCount();
            EXPECT_EQ(d.kind[i], neighbour ? Directions::kCopyKind : Directions::kJumpKind);
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(d.dx[i] == d.dx[j] && d.dy[i] == d.dy[j]) << i << " " << j;
            const int dist = std::max(std::abs(d.dx[i]), std::abs(d.dy[i]));
            const int steps = std::abs(d.dx[i]) + std::abs(d.dy[i]);
            if (logic == Logic::Star)
                EXPECT_EQ(dist, neighbour ? 1 : 2);
            else
                EXPECT_EQ(steps, neighbour ? 1 : 2) << i;
        }
    }
    EXPECT_EQ(logicFromLabel("1"), Logic::Star);
    EXPECT_EQ(logicFromLabel(""), Logic::Cross);
}

TEST(Perft, CountsCopiesOncePerTargetAndJumpsPerSourceAndTarget) {
    // Star logic: copies to (2,0), (0,1), (1,1), (2,1), each once though (0,1) and (1,1)
    // touch both tokens; jumps from (0,0) to (2,0), (2,1), (0,2), (1,2), from (1,0) to
    // (0,2), (1,2).
    const Board b = boardFrom(rows({"++X", "XXX", "XX-"}));
    EXPECT_EQ(perft(b, Directions::star(), 1, 0), 1u);
    EXPECT_EQ(perft(b, Directions::star(), 1, 1), 10u);
    // A side without moves ends the line.
    const Board stuck = boardFrom(rows({"+0", "0-"}));
    EXPECT_EQ(perft(stuck, Directions::star(), 1, 3), 0u);
}

TEST(Perft, DepthTwoSumsTheRepliesToEveryMoveAsTheGamePlaysIt) {
    const std::string board = rows({"+XX", "XXX", "XX-"});
    std::uint64_t expected = 0;
    for (int tx = 0; tx < 3; ++tx) {
        for (int ty = 0; ty < 3; ++ty) {
            test::GameHarness h;
            h.startGame(board, "2");
            h.game.PLKlik(0, 0);
            if (h.game.marks().at(tx, ty) == Marks::kCopy ||
                h.game.marks().at(tx, ty) == Marks::kJump) {
                h.game.PLKlik(tx, ty);
                expected += countMoves(h.game.board(), Directions::cross(), 2);
            }
        }
    }
    EXPECT_GT(expected, 0u);
    EXPECT_EQ(perft(boardFrom(board), Directions::cross(), 1, 2), expected);
}

TEST(KeySteering, ArrowsAndKeypadMoveAQuarterCellRoundedHalvesToEven) {
    struct Case {
        int key;
        double cellW, cellH;
        int x, y;
    };
    // A 42 x 30 cell moves by 10.5 x 7.5: 89.5 -> 90, 110.5 -> 110, 92.5 -> 92, 107.5 -> 108.
    const Case cases[] = {{37, 42, 30, 90, 100},   {39, 42, 30, 110, 100}, {38, 42, 30, 100, 92},
                          {40, 42, 30, 100, 108},  {103, 16, 16, 96, 96},  {105, 16, 16, 104, 96},
                          {97, 16, 16, 96, 104},   {99, 16, 16, 104, 104}, {100, 16, 16, 96, 100},
                          {102, 16, 16, 104, 100}, {104, 16, 16, 100, 96}, {98, 16, 16, 100, 104}};
    for (const Case& c : cases) {
        const auto k = steerKey(c.key, 100, 100, c.cellW, c.cellH, true);
        EXPECT_EQ(k.x, c.x) << c.key;
        EXPECT_EQ(k.y, c.y) << c.key;
        EXPECT_FALSE(k.click || k.toggleMusic || k.takeBack) << c.key;
    }
}

TEST(KeySteering, ClickKeysStayPutAndMusicAndTakeBackNeedAPersonToMove) {
    for (int key : {45, 32, 101, 96}) {
        const auto k = steerKey(key, 7, 9, 40, 30, false);
        EXPECT_TRUE(k.click && k.x == 7 && k.y == 9) << key;
    }
    EXPECT_TRUE(steerKey(72, 0, 0, 40, 30, true).toggleMusic);
    EXPECT_FALSE(steerKey(72, 0, 0, 40, 30, false).toggleMusic);
    EXPECT_TRUE(steerKey(90, 0, 0, 40, 30, true).takeBack);
    EXPECT_FALSE(steerKey(90, 0, 0, 40, 30, false).takeBack);
    const auto other = steerKey(65, 3, 4, 40, 30, true);
    EXPECT_FALSE(other.click || other.toggleMusic || other.takeBack || other.x != 3);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {{2.5, 2},   {3.5, 4},    {-0.5, 0},
                                               {-1.5, -2}, {2.4999, 2}, {2.5001, 3}};
    for (const auto& [in, out] : cases)
        EXPECT_EQ(roundHalfEven(in), out) << in;
}

TEST(ManualTimerHost, FiresTheEarliestDueTimerAndKeepsRepeatingOnes) {
    ManualTimerHost host;
    std::vector<GameTimer> fired;
    host.setHandler([&](GameTimer t) {
        fired.push_back(t);
        if (t == GameTimer::TimCHng)
            host.stop(t);
    });
    host.start(GameTimer::TimerT, 1000);
    host.start(GameTimer::TimCHng, 200);
    EXPECT_EQ(host.fireNext(), GameTimer::TimCHng);
    EXPECT_EQ(host.now(), 200);
    EXPECT_FALSE(host.isActive(GameTimer::TimCHng));
    EXPECT_EQ(host.fireNext(), GameTimer::TimerT);
    EXPECT_EQ(host.advance(2500), 2);  // at 2000 and 3000
    EXPECT_EQ(host.now(), 3500);
    EXPECT_EQ(host.fireNext({GameTimer::TimerT}), std::nullopt);
    EXPECT_FALSE(host.fire(GameTimer::TimPC));
    EXPECT_EQ(fired.size(), 4u);
}

TEST(MtRandomSource, FixedSeedReplaysAndStaysInTheUnitInterval) {
    MtRandomSource a(42), b(42);
    a.seedFromTime();  // ignored with a fixed seed
    for (int i = 0; i < 1000; ++i) {
        const double v = a.next();
        EXPECT_EQ(v, b.next());
        EXPECT_TRUE(v >= 0.0 && v < 1.0) << v;
    }
}

}  // namespace
}  // namespace tomelin
