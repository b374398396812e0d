// A game kept after a turn change and resumed in another Game plays on exactly where it
// stopped; damaged snapshots are refused before they reach a game.

#include <gtest/gtest.h>

#include <functional>

#include "core/game_snapshot.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using namespace test;

// The state a player sees and take-back relies on, as one comparable text.
std::string state(const Game& g) {
    std::string s = boardString(g.position().toBoard()) + " p" +
                    std::to_string(number(g.playerToMove())) + " H" +
                    std::to_string(g.moveCounter()) + " n" + std::to_string(g.moveNumber()) + " t" +
                    std::to_string(g.clock().timeLeft(Player::One)) + "/" +
                    std::to_string(g.clock().timeLeft(Player::Two)) +
                    (g.takeBackUnavailable() ? " no-takeback" : " takeback");
    const auto src = g.lastMoveSource();
    const auto tgt = g.lastMoveTarget();
    if (src && tgt) {
        s += " last " + std::to_string(src->x) + "," + std::to_string(src->y) + "-" +
             std::to_string(tgt->x) + "," + std::to_string(tgt->y);
    }
    for (int k = 0; k <= g.movesMade(); ++k)
        s += " " + g.moveList()[static_cast<std::size_t>(k)];
    return s;
}

// A computer game with clocks, played k moves through the real turn sequence; each player's
// clock ticks a few times per turn so that both hold odd values.
struct ClockedMatch {
    explicit ClockedMatch(const std::string& board = original())
        : h(board, "1", "PC Začátečník", "PC Génius", {4, 3}) {}
    // Plays until `moves` moves are made or the game ends.
    void playTo(int moves) {
        while (!h.game.gameOver() && h.game.movesMade() < moves) {
            for (int t = 0; t < 1 + h.game.movesMade() % 3; ++t)
                h.timers.fire(GameTimer::Clock);
            h.playComputerMove();
        }
    }
    GameHarness h;
};

GameSnapshot snapshotOf(const Game& g) {
    GameSnapshot s = captureSnapshot(g);
    s.boardName = "Originál";
    s.tokens = {SnapshotToken{rgb(255, 135, 15), 1, kWhite},
                SnapshotToken{rgb(15, 135, 255), 5, 0}};
    return s;
}

TEST(ResumedGame, InterruptedAfterKMovesResumesToTheSamePositionClocksAndMoveList) {
    for (const int k : {0, 1, 2, 5, 12, 27}) {
        SCOPED_TRACE(k);
        ClockedMatch played;
        played.playTo(k);
        ASSERT_EQ(played.h.game.movesMade(), k);
        const GameSnapshot kept = snapshotOf(played.h.game);
        EXPECT_EQ(checkSnapshot(kept), std::nullopt);

        GameHarness resumed("", "1", "PC Začátečník", "PC Génius", {4, 3});
        ASSERT_EQ(resumeGame(resumed.game, kept), std::nullopt);
        // Nothing runs on the closed time: the clock waits for the turn change.
        EXPECT_EQ(resumed.running(), "TimCHng");
        resumed.timers.fire(GameTimer::TurnChange);
        EXPECT_EQ(state(resumed.game), state(played.h.game));
        EXPECT_EQ(resumed.game.setup().names(), played.h.game.setup().names());
        EXPECT_EQ(resumed.observer.turns.back(), number(played.h.game.playerToMove()));

        // Both games go on alike: the computer to move has chosen, the clock runs on from
        // the kept time.
        EXPECT_EQ(resumed.running(), played.h.running());
        resumed.timers.fire(GameTimer::Clock);
        played.h.timers.fire(GameTimer::Clock);
        EXPECT_EQ(resumed.game.clock().timeLeft(resumed.game.playerToMove()),
                  played.h.game.clock().timeLeft(played.h.game.playerToMove()));
        EXPECT_EQ(resumed.observer
                      .clockText[static_cast<std::size_t>(number(resumed.game.playerToMove()))],
                  played.h.observer
                      .clockText[static_cast<std::size_t>(number(played.h.game.playerToMove()))]);
    }
}

TEST(ResumedGame, TakeBackAfterResumingRestoresThePositionsBeforeTheInterruption) {
    ClockedMatch played;
    played.playTo(9);
    const std::vector<std::string> list = played.h.game.moveList();
    GameHarness resumed("", "1", "Alice", "Bob");
    GameSnapshot kept = snapshotOf(played.h.game);
    // The same game between two people, so that no computer answers the take-back.
    kept.setup.players[0] = playerNamed("Alice", kept.setup.players[0].timeLimit);
    kept.setup.players[1] = playerNamed("Bob", kept.setup.players[1].timeLimit);
    ASSERT_EQ(resumeGame(resumed.game, kept), std::nullopt);
    resumed.timers.fire(GameTimer::TurnChange);
    EXPECT_FALSE(resumed.game.takeBackUnavailable());
    for (int expected : {7, 5, 3, 1}) {
        resumed.game.takeBack(2);
        resumed.timers.fire(GameTimer::TurnChange);
        EXPECT_EQ(resumed.game.movesMade(), expected);
        EXPECT_EQ(MakeSnapshot(resumed.game.position().toBoard()),
                  list[static_cast<std::size_t>(expected)]);
        EXPECT_EQ(resumed.game.playerToMove(), Player::Two);
    }
    EXPECT_TRUE(resumed.game.takeBackUnavailable());
    resumed.game.takeBack(1);
    resumed.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(MakeSnapshot(resumed.game.position().toBoard()), list[0]);
    EXPECT_EQ(resumed.game.playerToMove(), Player::One);
}

// A game kept right after a take-back (or a redo) has no move of record: the window parks
// the markers, so the kept game and the game resumed from it show none either, and the
// computer is not told of a move that is no longer on the board.
TEST(ResumedGame, KeptAfterATakeBackOrRedoShowsNoLastMoveMarkers) {
    const std::function<void(Game&)> steps[] = {
        [](Game& g) { g.takeBack(2); },
        [](Game& g) { g.takeBack(1); },
        [](Game& g) { g.redo(); },
    };
    int step = 0;
    for (const auto& undo : steps) {
        SCOPED_TRACE(step++);
        GameHarness h(original(), "1", "Alice", "Bob");
        h.move(0, 0, 1, 1);
        h.move(10, 0, 9, 1);
        h.move(1, 1, 2, 2);
        if (step == 3) {  // the redo step: redo what a take-back undid
            h.game.takeBack(2);
            h.timers.fire(GameTimer::TurnChange);
        }
        ASSERT_EQ(h.game.lastMoveSource().has_value(), step != 3);
        int parked = 0;
        struct Markers : RecordingObserver {
            int* parked = nullptr;
            void lastMoveChanged(const CellPos* s, const CellPos* t) override {
                if (!s && !t)
                    ++*parked;
            }
        } markers;
        markers.parked = &parked;
        h.game.setObserver(&markers);
        undo(h.game);
        h.timers.fire(GameTimer::TurnChange);
        h.game.setObserver(&h.observer);
        EXPECT_GE(parked, 1) << "the markers were not parked";
        EXPECT_FALSE(h.game.lastMoveSource().has_value());
        const GameSnapshot kept = snapshotOf(h.game);
        EXPECT_FALSE(kept.lastSource.has_value());
        EXPECT_FALSE(kept.lastTarget.has_value());
        GameHarness resumed("", "1", "Alice", "Bob");
        ASSERT_EQ(resumeGame(resumed.game, kept), std::nullopt);
        resumed.timers.fire(GameTimer::TurnChange);
        EXPECT_FALSE(resumed.game.lastMoveSource().has_value());
        EXPECT_EQ(state(resumed.game), state(h.game));
    }
}

TEST(ResumedGame, APersonWhoseTimeRanOutIsPlayedForAndTheFlashResumes) {
    // Player 1 a person with ten minutes who ran out, player 2 a person without a limit.
    GameHarness played(original(), "1", "Alice", "Bob", {4, 0});
    played.move(0, 0, 1, 1);
    played.move(10, 0, 9, 1);
    for (int t = 0; t < 600; ++t)
        played.timers.fire(GameTimer::Clock);
    ASSERT_EQ(played.game.clock().timeLeft(Player::One), kTimeRanOut);
    // Her turn is taken over; after that move and the answer she is to move again.
    played.playComputerMove();
    std::vector<Move> legal;
    played.game.position().legalMoves(Logic::Star, legal);
    ASSERT_EQ(played.game.playerToMove(), Player::Two);
    played.move(legal[0].from.x, legal[0].from.y, legal[0].to.x, legal[0].to.y);
    ASSERT_EQ(played.game.movesMade(), 4);
    const GameSnapshot kept = snapshotOf(played.game);
    EXPECT_EQ(kept.timeLeft, (std::array{kTimeRanOut, kTimeOpponentRanOut}));

    GameHarness resumed("", "1", "Alice", "Bob", {4, 0});
    ASSERT_EQ(resumeGame(resumed.game, kept), std::nullopt);
    EXPECT_EQ(resumed.observer.clockText[1], "0:00:00");
    EXPECT_EQ(resumed.game.clock().interval(), kClockFlashInterval);
    resumed.timers.fire(GameTimer::TurnChange);
    EXPECT_TRUE(resumed.timers.isActive(GameTimer::ComputerClicks));
    EXPECT_FALSE(personMayClick(resumed.game));
}

TEST(ResumedGame, StuckPlayerAfterResumingLosesTheFreeCells) {
    // Player 2's token is walled in by holes: the turn change after player 1's move gives
    // the last free cell to player 1. A game kept right at that turn change (its record of
    // the position is written before the fill) ends the same way when resumed.
    GameHarness played(rows("+X0/X00/00-/"), "2", "Alice", "Bob");
    played.move(0, 0, 1, 0);
    ASSERT_EQ(played.observer.log, (std::vector<std::string>{"fill 2 1", "end 3 1 1"}));
    const GameSnapshot kept = snapshotOf(played.game);
    ASSERT_EQ(checkSnapshot(kept), std::nullopt);
    GameHarness resumed("", "2", "Alice", "Bob");
    ASSERT_EQ(resumeGame(resumed.game, kept), std::nullopt);
    EXPECT_FALSE(resumed.game.gameOver());
    resumed.timers.fire(GameTimer::TurnChange);
    EXPECT_TRUE(resumed.game.gameOver());
    EXPECT_EQ(resumed.observer.log, played.observer.log);
}

TEST(SnapshotCheck, RefusesEveryKindOfDamage) {
    ClockedMatch played;
    played.playTo(6);
    const GameSnapshot good = snapshotOf(played.h.game);
    ASSERT_EQ(checkSnapshot(good), std::nullopt);

    using Damage = std::function<void(GameSnapshot&)>;
    const std::vector<std::tuple<const char*, Damage, SnapshotError>> cases = {
        // A starting digit, a logic or a time-list position no game has are the store's to
        // refuse as it reads them (records/unfinished_game_test.cpp).
        {"board cut", [](GameSnapshot& s) { s.setup.board.erase(3, 1); }, SnapshotError::BadBoard},
        {"foreign letter", [](GameSnapshot& s) { s.setup.board[0] = 'Q'; },
         SnapshotError::BadBoard},
        {"empty board", [](GameSnapshot& s) { s.setup.board.clear(); }, SnapshotError::BadBoard},
        {"kind not the name",
         [](GameSnapshot& s) { s.setup.players[1].kind = PlayerKind::Professional; },
         SnapshotError::BadPlayers},
        {"computer as person",
         [](GameSnapshot& s) { s.setup.players[0].kind = PlayerKind::Person; },
         SnapshotError::BadPlayers},
        {"cell changed",
         [](GameSnapshot& s) {
             char& c = s.moveList[3][s.moveList[3].find('K')];
             c = 'U';
         },
         SnapshotError::BadMoveList},
        {"entry cut", [](GameSnapshot& s) { s.moveList[2].pop_back(); },
         SnapshotError::BadMoveList},
        {"move missing", [](GameSnapshot& s) { s.moveList.erase(s.moveList.begin() + 2); },
         SnapshotError::BadMoveList},
        {"other start", [](GameSnapshot& s) { s.moveList[0] = s.moveList[1]; },
         SnapshotError::BadMoveList},
        {"no move list", [](GameSnapshot& s) { s.moveList.clear(); }, SnapshotError::BadMoveList},
        {"wrong mover", [](GameSnapshot& s) { s.playerToMove = opponent(s.playerToMove); },
         SnapshotError::BadTurn},
        {"time above limit", [](GameSnapshot& s) { s.timeLeft[0] = 601; }, SnapshotError::BadClock},
        {"zero time", [](GameSnapshot& s) { s.timeLeft[1] = 0; }, SnapshotError::BadClock},
        {"ran out alone", [](GameSnapshot& s) { s.timeLeft[0] = kTimeRanOut; },
         SnapshotError::BadClock},
        {"unlimited code on a limit", [](GameSnapshot& s) { s.timeLeft[1] = kTimeUnlimited; },
         SnapshotError::BadClock},
        {"marker off board",
         [](GameSnapshot& s) {
             s.lastTarget = CellPos{-1, 0};
         },
         SnapshotError::BadMarkers},
        {"marker no move",
         [](GameSnapshot& s) {
             s.lastTarget = CellPos{s.lastSource->x + 3, 0};
         },
         SnapshotError::BadMarkers},
        {"one marker", [](GameSnapshot& s) { s.lastSource.reset(); }, SnapshotError::BadMarkers},
    };
    for (const auto& [what, damage, expected] : cases) {
        SCOPED_TRACE(what);
        GameSnapshot s = good;
        damage(s);
        EXPECT_EQ(checkSnapshot(s), expected);
        // A refused snapshot leaves the game as it was: here, no game at all.
        GameHarness untouched;
        EXPECT_EQ(resumeGame(untouched.game, s), expected);
        EXPECT_EQ(untouched.running(), "");
        EXPECT_EQ(untouched.game.position().toBoard().side(), 0);
        EXPECT_TRUE(untouched.observer.clockText[1] == "<none>");
    }
}

TEST(SnapshotCheck, AFinishedGameIsNothingToResume) {
    // The last move fills the board; the turn change after it records the full board.
    GameHarness played(rows("+X0/000/0X-/"), "1", "Alice", "Bob");
    played.move(0, 0, 1, 0);
    played.move(2, 2, 1, 2);
    ASSERT_TRUE(played.game.gameOver());
    const GameSnapshot s = snapshotOf(played.game);
    ASSERT_EQ(s.movesMade(), 2);
    EXPECT_EQ(checkSnapshot(s), SnapshotError::Finished);
}

}  // namespace
}  // namespace tomelin
