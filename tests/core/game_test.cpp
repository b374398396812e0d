// The game between two people: selection and move rules, turn changes and the game's end,
// restart, new game, take-back and the game clock.

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "game_harness.h"

namespace tomelin {
namespace {

using namespace test;
using Log = std::vector<std::string>;

// Marks over the playing area, one digit per cell, each row closed by '/'.
std::string markMap(const Game& g) {
    std::string s;
    for (int y = 0; y < g.position().toBoard().side(); ++y) {
        for (int x = 0; x < g.position().toBoard().side(); ++x)
            s += static_cast<char>('0' + g.selection().marks().at(x, y));
        s += '/';
    }
    return s;
}

// Time left of both players, e.g. "599 -1".
std::string clocks(const Game& g) {
    return std::to_string(g.clock().timeLeft(Player::One)) + " " +
           std::to_string(g.clock().timeLeft(Player::Two));
}

TEST(Selection, MarksCopiesAndJumpsOnFreeCellsOnly) {
    // Logic, board, selected token, marks (1 jump, 2 copy, 3 the selected token).
    const std::tuple<const char*, const char*, CellPos, const char*> cases[] = {
        // Cross: four edge copies; jumps two cells straight or one diagonally.
        {"2", "XXXXX/XXXXX/XX+XX/XXXXX/XXXX-/", {2, 2}, "00100/01210/12321/01210/00100/"},
        // Star: copies to the eight neighbours, jumps to the ring around them.
        {"1", "XXXXX/XXXXX/XX+XX/XXXXX/XXXX-/", {2, 2}, "11111/12221/12321/12221/11110/"},
        // Star from a corner: only the marks on the board remain.
        {"1", "+XXX/XXXX/XXXX/XXX-/", {0, 0}, "3210/2210/1110/0000/"},
        // Holes, own and opposing tokens are no targets.
        {"1", "-XXX/X+0X/X+XX/XXXX/", {1, 1}, "0221/2301/2021/1111/"}};
    for (const auto& [logic, board, token, marks] : cases) {
        SCOPED_TRACE(board);
        GameHarness h(rows(board), logic);
        h.game.clickCell(token.x, token.y);
        EXPECT_EQ(markMap(h.game), marks);
        for (int i = -2; i < 0; ++i) {
            for (int j = -2; j < 5; ++j)
                EXPECT_TRUE(h.game.selection().marks().at(i, j) == 0 &&
                            h.game.selection().marks().at(j, i) == 0);
        }
    }
}

TEST(MoveRules, CopyKeepsTheSourceJumpFreesItAndOnlyTargetNeighboursConvert) {
    // Logic, board before, move, board after, captured tokens.
    const std::tuple<const char*, const char*, std::array<int, 4>, const char*, int> cases[] = {
        // Star: the copy up converts the diagonal neighbours of the target.
        {"1", "-X-/X+X/-X-/", {1, 1, 1, 0}, "+++/X+X/-X-/", 2},
        // Cross: edge neighbours convert, diagonals and cells two steps away do not.
        {"2", "XXXXX/X---X/--X-X/X-+-X/XXXXX/", {2, 3, 2, 2}, "XXXXX/X-+-X/-+++X/X-+-X/XXXXX/", 3},
        // A jump captures next to its target, not next to its source.
        {"1", "-XXXX/+XXXX/-XX-X/XXXX-/XXXXX/", {0, 1, 2, 1}, "-XXXX/XX+XX/-XX+X/XXXX-/XXXXX/", 1},
        // Own tokens next to the target stay as they are.
        {"1", "++X/++X/XX-/", {1, 0, 2, 0}, "+++/++X/XX-/", 0}};
    for (const auto& [logic, before, m, after, captures] : cases) {
        SCOPED_TRACE(before);
        GameHarness h(rows(before), logic);
        h.clicks(m[0], m[1], m[2], m[3]);
        EXPECT_EQ(boardString(h.game.position().toBoard()), rows(after));
        EXPECT_EQ(h.observer.rays, captures);
        const auto n = boardFrom(rows(after)).count();
        EXPECT_EQ(h.observer.score, (std::array{n.tokens1, n.tokens2, n.free}));
        EXPECT_EQ(h.observer.movers, std::vector<int>{1});
        EXPECT_EQ(h.game.lastMoveSource(), (CellPos{m[0], m[1]}));
        EXPECT_EQ(h.game.lastMoveTarget(), (CellPos{m[2], m[3]}));
    }
}

TEST(Selection, ClicksSelectReselectOrCancelAndAreIgnoredDuringTheTurnChange) {
    GameHarness h(rows("+X+/XXX/XX-/"));
    h.clicks(0, 0, 0, 0);  // the second click on the token cancels
    EXPECT_EQ(h.game.selection().state(), 2);
    EXPECT_EQ(markMap(h.game), "000/000/000/");
    h.game.clickCell(0, 0);  // from state 2 an own token selects again
    h.game.clickCell(2, 0);  // another own token takes the selection in one click
    EXPECT_EQ(markMap(h.game), "023/122/110/");
    // The opponent's token, (-1, -1) and clicks far beyond the grids cancel.
    for (CellPos cancel : {CellPos{2, 2}, CellPos{-1, -1}, CellPos{5000, -5000}}) {
        h.clicks(0, 0, cancel.x, cancel.y);
        EXPECT_EQ(h.game.selection().state(), 0) << cancel.x;
        EXPECT_EQ(markMap(h.game), "000/000/000/") << cancel.x;
    }
    h.clicks(0, 0, 1, 1);
    ASSERT_EQ(h.running(), "TimCHng TimerT");
    h.game.clickCell(1, 1);
    EXPECT_EQ(markMap(h.game), "000/000/000/");
}

TEST(MouseInput, APressReachesTheBoardOnlyForAPersonToMove) {
    GameHarness h(rows("+XXX/XXXX/XXXX/-XXX/"));
    pressCell(h.game, {0, 0});
    pressCell(h.game, {1, 1});  // a copy target
    ASSERT_EQ(h.game.position().toBoard().at(1, 1), kToken1);
    h.timers.fire(GameTimer::TurnChange);
    // Cells off the board select nothing, far ones included.
    for (CellPos c : {CellPos{-1, 3}, CellPos{4, 0}, CellPos{-1000000, 1000000}}) {
        pressCell(h.game, c);
        EXPECT_EQ(h.game.selection().state(), 0) << c.x << "," << c.y;
    }
    pressCell(h.game, {0, 3});
    EXPECT_EQ(h.game.selection().selected(), (CellPos{0, 3}));

    GameHarness pc(rows("+XX/XXX/XX-/"), "1", "PC Profesionál", "Bob");
    pressCell(pc.game, {0, 0});
    EXPECT_EQ(pc.game.selection().state(), 0);  // the computer is to move
}

TEST(GameStart, RefusesADescriptorBeyondTheGridsAndStartsNothing) {
    GameHarness h;
    GameSetup s{
        std::string(17 * 17, 'X'), Player::One, Logic::Star, {playerNamed("A"), playerNamed("B")}};
    EXPECT_EQ(h.game.start(s), BoardError::BadLength);
    EXPECT_EQ(h.running(), "");
    s.board = "+XX-";
    EXPECT_FALSE(h.game.start(s).has_value());
    EXPECT_EQ(h.running(), "Timer1");
}

TEST(TurnChange, CountsFullMovesAndTakeBackReturnsOneOrTwoButNothingBeforeTheStart) {
    GameHarness h(original());
    EXPECT_EQ(h.turn(), "p1 made 0 move 1");
    EXPECT_EQ(h.running(), "TimerT");
    EXPECT_TRUE(h.game.boardEnabled());
    EXPECT_EQ(h.observer.score, (std::array{2, 2, 117}));
    h.game.takeBack(1);
    h.game.takeBack(2);
    EXPECT_EQ(h.running(), "TimerT");  // nothing to take back
    const std::pair<std::array<int, 4>, const char*> moves[] = {
        {{0, 0, 1, 1}, "p2 made 1 move 1"},
        {{10, 0, 9, 1}, "p1 made 2 move 2 take-back"},
        {{1, 1, 2, 2}, "p2 made 3 move 2 take-back"},
        {{9, 1, 8, 2}, "p1 made 4 move 3 take-back"}};
    std::vector<std::string> snapshots = {MakeSnapshot(boardFrom(original()))};
    for (const auto& [m, turn] : moves) {
        h.move(m[0], m[1], m[2], m[3]);
        EXPECT_EQ(h.turn(), turn);
        snapshots.push_back(MakeSnapshot(h.game.position().toBoard()));
    }
    EXPECT_EQ(h.game.moveList(), snapshots);
    EXPECT_EQ(h.observer.turns, (std::vector<int>{1, 2, 1, 2, 1}));
    h.game.takeBack(1);
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.turn(), "p2 made 3 move 2 take-back");
    EXPECT_EQ(MakeSnapshot(h.game.position().toBoard()), snapshots[3]);
    h.game.takeBack(2);
    EXPECT_EQ(h.game.moveNumber(), 2);  // written by the take-back, the turn change fixes it
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.turn(), "p2 made 1 move 1");
    EXPECT_EQ(MakeSnapshot(h.game.position().toBoard()), snapshots[1]);
    h.game.takeBack(2);  // fewer than two moves: nothing
    EXPECT_EQ(h.running(), "TimerT");
    h.game.takeBack(1);
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.turn(), "p1 made 0 move 1");
    EXPECT_EQ(h.game.position().toBoard(), boardFrom(original()));
    h.clicks(0, 0, 1, 1);  // while the turn change is pending take-back is refused
    h.game.takeBack(1);
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.turn(), "p2 made 1 move 1");
}

TEST(TurnChange, PlayerWithoutMoveLosesAllFreeCellsAndTheGameEnds) {
    // Player 1's only token is walled in by holes: the first turn change fills the board.
    GameHarness h(rows("+00X/000X/000X/XXX-/"));
    EXPECT_EQ(h.observer.log, (Log{"fill 1 6", "end 1 7 2"}));
    EXPECT_TRUE(h.game.gameOver() && h.game.resultShown() && h.game.takeBackUnavailable());
    EXPECT_FALSE(h.game.boardEnabled());
    // Scan order: column by column, each from the top; progress covers every cell.
    EXPECT_EQ(h.observer.progressScales.size(), 16u);
    EXPECT_EQ(h.observer.progressScales.front(), 12);
}

TEST(TurnChange, CapturingTheLastOpponentTokenEndsTheGameAndFreezesIt) {
    GameHarness h(rows("+-XX/XXXX/XXXX/XXXX/"), "1", "Alice", "Bob", {4, 4});
    h.move(0, 0, 0, 1);  // copy next to (1,0): player 2's only token converts
    EXPECT_EQ(h.observer.log, (Log{"fill 2 13", "end 16 0 1"}));
    // Clicks, take-back and the clock no longer change anything.
    EXPECT_FALSE(personMayClick(h.game));
    const std::string before = MakeSnapshot(h.game.position().toBoard()) + clocks(h.game);
    h.game.takeBack(1);
    h.timers.fire(GameTimer::Clock);
    EXPECT_EQ(MakeSnapshot(h.game.position().toBoard()) + clocks(h.game), before);
}

TEST(TurnChange, LastFreeCellEndsWithoutAFillButATokenlessFullBoardNeverEnds) {
    GameHarness h(rows("+X0/000/00-/"), "2");
    h.move(0, 0, 1, 0);
    EXPECT_EQ(h.observer.log, Log{"end 2 1 1"});
    EXPECT_EQ(h.game.movesMade(), 1);
    EXPECT_EQ(h.running(), "TimerT");
    GameHarness empty(rows("00/00/"));
    EXPECT_FALSE(empty.game.gameOver() || !empty.observer.log.empty());
}

TEST(RestartAndNewGame, DropPendingTurnChangesAndSelectionsAndRestartReplaysTheSetup) {
    GameHarness h(original(), "1", "Alice", "Bob", {4, 1});
    h.move(0, 0, 1, 1);
    h.clicks(10, 0, 9, 1);
    ASSERT_EQ(h.running(), "TimCHng TimerT");
    h.game.restart();
    EXPECT_EQ(h.running(), "Timer1");
    EXPECT_EQ(h.game.position().toBoard().count().tokens1, 0);  // cleared until the start runs
    h.observer.turns.clear();
    ASSERT_EQ(h.timers.fireNext(), GameTimer::Start);
    ASSERT_EQ(h.timers.fireNext(), GameTimer::TurnChange);
    EXPECT_EQ(h.observer.turns, std::vector<int>{1});
    EXPECT_EQ(h.game.position().toBoard(), boardFrom(original()));
    EXPECT_EQ(h.turn(), "p1 made 0 move 1");
    EXPECT_EQ(clocks(h.game), "600 5400");
    EXPECT_FALSE(h.game.lastMoveSource().has_value());
    // An open selection is gone after restart, and after a new game on another board.
    for (int round = 0; round < 2; ++round) {
        h.game.clickCell(0, 0);
        round == 0 ? h.game.restart() : h.game.leave();
        EXPECT_EQ(h.game.selection().state(), 0);
        h.startGame(rows("+XX/XXX/XX-/"));
        EXPECT_EQ(markMap(h.game), "000/000/000/");
    }
    h.game.leave();
    EXPECT_EQ(h.game.setup().board, rows("+XX/XXX/XX-/"));
    EXPECT_EQ(h.running(), "");
    EXPECT_EQ(h.game.position().toBoard().count().free, 0);
}

// The four computer names, each its strength and back; any other name is a person.
TEST(PlayerKind, ComputerOnlyForTheExactComputerNames) {
    const std::pair<const char*, int> names[] = {
        {"PC Začátečník", 1},         {"PC Profesionál", 2}, {"PC Génius", 3},
        {"PC Velmistr", kMasterKind}, {"pc génius", 0},      {"PC Genius", 0},
        {"PC Profesional", 0},        {"PC velmistr", 0},    {"", 0}};
    for (const auto& [name, kind] : names) {
        EXPECT_EQ(playerKindFromName(name), kind) << name;
        if (kind > 0) {
            EXPECT_STREQ(kComputerNames[kind - 1], name);
        }
    }
}

TEST(TakeBack, ReturnsCapturedTokensRedrawingOnlyChangedCells) {
    GameHarness h(rows("X-XX/-X-X/X+XX/XXX-/"));
    h.move(1, 2, 1, 1);  // the copy onto (1,1) captures (1,0), (0,1) and (2,1)
    ASSERT_EQ(h.game.position().toBoard().count().tokens1, 5);
    h.observer.changedCells = 0;
    h.game.takeBack(1);
    EXPECT_EQ(h.observer.changedCells, 4);
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(boardString(h.game.position().toBoard()), rows("X-XX/-X-X/X+XX/XXX-/"));
    EXPECT_EQ(h.game.playerToMove(), Player::One);
}

// Reads each cell the game reports as changed at the moment it is reported, as the game
// window draws it from the game's position.
struct CellReader : GameObserver {
    const Game* game = nullptr;
    std::vector<std::pair<CellPos, std::uint8_t>> seen;
    void cellChanged(int x, int y) override { seen.push_back({{x, y}, game->position().at(x, y)}); }
};

TEST(TakeBack, EveryReportedCellAlreadyShowsTheRestoredPosition) {
    const std::tuple<const char*, std::function<void(GameHarness&)>> steps[] = {
        {"take back one", [](GameHarness& h) { h.game.takeBack(1); }},
        {"take back two", [](GameHarness& h) { h.game.takeBack(2); }},
        {"redo", [](GameHarness& h) { h.game.redo(); }},
    };
    for (const auto& [name, step] : steps) {
        SCOPED_TRACE(name);
        GameHarness h(rows("X-XX/-X-X/X+XX/XXX-/"));
        h.move(1, 2, 1, 1);  // captures (1,0), (0,1) and (2,1)
        h.move(3, 3, 2, 3);
        const std::string played = boardString(h.game.position().toBoard());
        if (std::string(name) == "redo") {
            h.game.takeBack(2);
            h.timers.fire(GameTimer::TurnChange);
            ASSERT_TRUE(h.game.redoAvailable());
        }
        CellReader reader;
        reader.game = &h.game;
        h.game.setObserver(&reader);
        step(h);
        h.game.setObserver(&h.observer);
        ASSERT_FALSE(reader.seen.empty());
        for (const auto& [cell, code] : reader.seen) {
            SCOPED_TRACE(std::to_string(cell.x) + "," + std::to_string(cell.y));
            EXPECT_EQ(code, h.game.position().at(cell.x, cell.y));
        }
        // The step changed the board: what was read is not the board before it.
        EXPECT_NE(boardString(h.game.position().toBoard()),
                  std::string(name) == "redo" ? rows("X-XX/-X-X/X+XX/XXX-/") : played);
    }
}

TEST(GameClock, FormatsHoursBeyondNine) {
    EXPECT_EQ(clockText(36061), "10:01:01");
    EXPECT_EQ(clockText(-5), "0:00:00");
}

TEST(GameClock, CountsDownOnlyForThePlayerToMoveAndPausesWhileMinimized) {
    GameHarness h(original(), "1", "Alice", "Bob", {4, 0});
    EXPECT_EQ(h.observer.clockText, (std::array<std::string, 3>{"<none>", "0:10:00", ""}));
    h.game.setMinimized(true);
    h.timers.fire(GameTimer::Clock);
    EXPECT_EQ(clocks(h.game), "600 -1");
    h.game.setMinimized(false);
    h.timers.fire(GameTimer::Clock);
    EXPECT_EQ(h.observer.clockText[1], "0:09:59");
    h.move(0, 0, 1, 1);  // player 2's unlimited clock turns into -3 at its first tick
    h.timers.fire(GameTimer::Clock);
    EXPECT_EQ(clocks(h.game), "599 -3");
    EXPECT_EQ(h.observer.clockText[2], "");
    GameHarness pc(original(), "1", "Alice", "PC Génius", {0, 4});  // limited, shows nothing
    EXPECT_EQ(pc.observer.clockText[2], "");
    EXPECT_EQ(clocks(pc.game), "-1 600");
}

TEST(GameClock, RunningOutSetsTheCodesFlashesAndLetsTheComputerMoveAtOnce) {
    GameHarness h(original(), "1", "Alice", "Bob", {4, 0});
    while (h.game.clock().timeLeft(Player::One) > 1)
        h.timers.fire(GameTimer::Clock);
    h.game.clickCell(0, 0);  // a half-made move when the time runs out
    ASSERT_EQ(h.game.selection().state(), 1);
    h.timers.fire(GameTimer::Clock);
    EXPECT_EQ(clocks(h.game), "-2 -4");  // ran out; the opponent's clock stops
    EXPECT_EQ(h.observer.clockText, (std::array<std::string, 3>{"<none>", "0:00:00", ""}));
    EXPECT_EQ(h.timers.interval(GameTimer::Clock), 100);
    for (Rgb colour : {kFlashRed, kWhite, kFlashRed}) {
        EXPECT_EQ(h.game.clock().colour(Player::One), colour);
        h.timers.fire(GameTimer::Clock);
    }
    // The person can no longer click; the computer already holds a move for them (at
    // strength 0: a jump without capture), then plays for Bob, then for Alice again.
    EXPECT_FALSE(personMayClick(h.game));
    EXPECT_EQ(h.game.selection().state(), 0);
    ASSERT_TRUE(h.game.computerMovePending());
    h.playComputerMove();
    EXPECT_EQ(
        h.game.position().toBoard().count().tokens1 + h.game.position().toBoard().count().tokens2,
        4);
    ASSERT_TRUE(h.game.computerMovePending());
    h.playComputerMove();
    EXPECT_EQ(h.game.playerToMove(), Player::One);
    EXPECT_TRUE(h.game.computerMovePending());
}

TEST(GameClock, ComputerPlayerKeepsItsChosenMoveAfterRunningOut) {
    GameHarness h(original(), "1", "PC Profesionál", "Bob", {4, 0});
    h.timers.fire(GameTimer::ComputerClicks);
    while (h.game.clock().timeLeft(Player::One) > 0)
        h.timers.fire(GameTimer::Clock);
    EXPECT_EQ(h.game.clock().timeLeft(Player::One), kTimeRanOut);
    h.timers.fire(GameTimer::ComputerClicks);
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.game.position().toBoard().count().tokens1, 3);
    EXPECT_EQ(h.game.playerToMove(), Player::Two);
}

}  // namespace
}  // namespace tomelin
