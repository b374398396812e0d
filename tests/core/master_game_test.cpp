// "PC Velmistr" in the turn sequence: the hand-off of its search, cancellation races on
// take-back, restart and new game, the hint and the redo.

#include <gtest/gtest.h>

#include "core/game_harness.h"

namespace tomelin::test {
namespace {

// Holds every search until the test hands an answer back; records cancellations. With
// `lateAnswers` it still answers a cancelled search, as a worker whose answer was already
// on its way would.
struct HeldRunner : SearchRunner {
    struct Pending {
        SearchRequest request;
        Done done;
        Progress progress;
    };
    std::vector<Pending> pending;
    int cancels = 0;
    int releases = 0;

    void begin(const SearchRequest& request, Done done, Progress progress) override {
        pending.push_back({request, std::move(done), std::move(progress)});
    }
    void cancel() override { ++cancels; }
    void releaseTables() override { ++releases; }

    // Answers search k with the real search's choice at depth 2 for its position.
    void answer(std::size_t k) {
        MasterSearch search(12);
        const Pending& p = pending.at(k);
        const SearchReport r = search.search(p.request.position, p.request.logic, {2, 0});
        p.progress(p.request.ticket, 1);
        p.done(p.request.ticket, r);
    }
    void answerWith(std::size_t k, const Move& move) {
        SearchReport r;
        r.move = move;
        r.depth = 3;
        pending.at(k).done(pending.at(k).request.ticket, r);
    }
};

struct HintRecorder : SearchObserver {
    std::vector<std::string> events;
    void hintChanged(const Move* m) override {
        events.push_back(m ? "hint " + std::to_string(m->from.x) + std::to_string(m->from.y) +
                                 std::to_string(m->to.x) + std::to_string(m->to.y)
                           : "clear");
    }
    void searchDepthDone(int d) override { events.push_back("depth " + std::to_string(d)); }
};

// Z: the last two moves taken back, and the turn change after it.
void takeBackTwo(GameHarness& h) {
    h.game.takeBack(2);
    h.timers.fire(GameTimer::TurnChange);
}

// A person ("Alice", player 1) against "PC Velmistr" whose searches the test holds.
struct MasterFixture : ::testing::Test {
    // The runner and the hint recorder outlive the game, which cancels its search as it ends.
    HeldRunner runner;
    HintRecorder hints;
    GameHarness h{"", "1", "Alice", "PC Velmistr"};
    HintSearch hintSearch{h.game, runner};
    void SetUp() override {
        h.game.setSearchRunner(&runner);
        hintSearch.setObserver(&hints);
        h.startGame(original());
    }
    // Alice's copy from her corner token and the turn change that starts the search.
    void aliceMoves() {
        ASSERT_EQ(h.game.playerToMove(), Player::One);
        const Move m = firstMove();
        h.move(m.from.x, m.from.y, m.to.x, m.to.y);
    }
    Move firstMove() const {
        std::vector<Move> moves;
        h.game.position().legalMoves(h.game.logic(), moves);
        return moves.front();
    }
};

TEST(MasterGame, InPlaceSearchPlaysWholeGamesWithLegalMovesAgainstGenius) {
    GameHarness h("", "2", "PC Velmistr", "PC Génius");
    h.game.setMasterMoveTimeMs(5);
    h.startGame(rows("+XXXX/XXXXX/XX0XX/XXXXX/XXXX-/"));
    int moves = 0;
    while (!h.game.gameOver() && moves < 200) {
        ASSERT_TRUE(h.game.computerMovePending()) << moves;
        h.playComputerMove();
        ++moves;
    }
    EXPECT_TRUE(h.game.gameOver());
    EXPECT_EQ(h.observer.log.back().substr(0, 3), "end");
}

TEST_F(MasterFixture, AnswerArrivesAsTheUsualTwoTimedClicks) {
    aliceMoves();
    ASSERT_EQ(runner.pending.size(), 1U);
    EXPECT_TRUE(h.game.searching());
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_FALSE(personMayClick(h.game));
    runner.answer(0);
    EXPECT_FALSE(h.game.searching());
    EXPECT_TRUE(h.game.computerMovePending());
    EXPECT_EQ(h.running(), "TimPC TimerT");
    h.playComputerMove();
    EXPECT_EQ(h.observer.movers, (std::vector<int>{1, 2}));
    EXPECT_EQ(h.game.playerToMove(), Player::One);
    EXPECT_EQ(h.observer.progressScales.back(), 10);  // one step per completed depth
}

TEST_F(MasterFixture, TakeBackDuringTheSearchDropsItsAnswer) {
    aliceMoves();
    runner.answer(0);
    h.playComputerMove();
    const std::string afterRound = h.game.position().boardString();
    aliceMoves();
    ASSERT_EQ(runner.pending.size(), 2U);
    // Taken back while the computer thinks: Alice's second move and the computer's answer
    // go, and the computer is to move again one move after the start.
    h.game.takeBack(2);
    EXPECT_EQ(runner.cancels, 1);
    EXPECT_FALSE(h.game.searching());
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.game.playerToMove(), Player::Two);
    ASSERT_EQ(runner.pending.size(), 3U);  // a fresh search for the restored board
    EXPECT_NE(runner.pending[2].request.position, runner.pending[1].request.position);
    // The stale answer comes late anyway: it is for another board and is dropped.
    runner.answer(1);
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_TRUE(h.game.searching());
    runner.answer(2);
    EXPECT_TRUE(h.game.computerMovePending());
    h.playComputerMove();
    EXPECT_EQ(h.game.position().boardString(), afterRound);  // the same answer again
}

TEST_F(MasterFixture, RestartAndNewGameCancelTheSearchAndNothingIsPlayed) {
    aliceMoves();
    h.game.restart();
    EXPECT_EQ(runner.cancels, 1);
    runner.answer(0);  // late
    EXPECT_FALSE(h.game.computerMovePending());
    h.timers.fire(GameTimer::Start);
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.game.position().boardString(), original());

    aliceMoves();
    ASSERT_EQ(runner.pending.size(), 2U);
    h.game.leave();
    EXPECT_EQ(runner.cancels, 2);
    runner.answer(1);
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_EQ(h.running(), "");
}

// A restart, a new game and the end of a game each give the search's tables back.
TEST_F(MasterFixture, RestartNewGameAndTheEndReleaseTheSearchTables) {
    EXPECT_EQ(runner.releases, 0);
    h.game.restart();
    EXPECT_EQ(runner.releases, 1);
    h.timers.fire(GameTimer::Start);
    h.game.leave();
    EXPECT_EQ(runner.releases, 2);
    h.startGame(rows("+X/X-/"));  // Alice's one move fills the board
    EXPECT_EQ(runner.releases, 2);
    aliceMoves();
    ASSERT_TRUE(h.game.gameOver());
    EXPECT_EQ(runner.releases, 3);
}

// Two people never need the search: its tables are made only for a hint, and go with the
// game.
TEST(MasterGame, TablesAreMadeOnlyWhenAHintAsksAndGoWithTheGame) {
    InlineSearchRunner runner(nullptr, 16);
    GameHarness h("", "1", "Alice", "Bob");
    h.game.setSearchRunner(&runner);
    HintSearch hintSearch(h.game, runner);
    h.startGame(original());
    std::vector<Move> moves;
    h.game.position().legalMoves(h.game.logic(), moves);
    h.move(moves.front().from.x, moves.front().from.y, moves.front().to.x, moves.front().to.y);
    EXPECT_EQ(runner.search().tableBytes(), 0U);
    h.game.setMasterMoveTimeMs(5);
    hintSearch.request();
    ASSERT_TRUE(hintSearch.hint());
    EXPECT_GT(runner.search().tableBytes(), 0U);
    h.game.restart();
    EXPECT_EQ(runner.search().tableBytes(), 0U);
}

TEST_F(MasterFixture, AnswerForAnOlderSearchOfTheSameBoardIsIgnoredWhileANewerOneRuns) {
    aliceMoves();
    runner.answer(0);
    h.playComputerMove();
    aliceMoves();  // search 1
    takeBackTwo(h);
    runner.answer(2);  // the computer answers as before
    h.playComputerMove();
    aliceMoves();  // search 3, for the very board of search 1
    ASSERT_EQ(runner.pending.size(), 4U);
    ASSERT_EQ(runner.pending[3].request.position, runner.pending[1].request.position);
    runner.answerWith(1, Move{{6, 6}, {5, 5}, MoveKind::Copy});  // old ticket: dropped
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_TRUE(h.game.searching());
    runner.answer(3);
    EXPECT_TRUE(h.game.computerMovePending());
}

TEST_F(MasterFixture, HintShowsTheMoveAndAnyClickClearsIt) {
    hintSearch.request();
    ASSERT_EQ(runner.pending.size(), 1U);
    EXPECT_EQ(runner.pending[0].request.position.toMove(), Player::One);
    runner.answer(0);
    ASSERT_TRUE(hintSearch.hint());
    EXPECT_TRUE(h.game.position().isLegal(h.game.logic(), *hintSearch.hint()));
    EXPECT_EQ(hints.events.size(), 2U);  // depth 1, then the hint
    EXPECT_EQ(hints.events.back().substr(0, 4), "hint");
    EXPECT_EQ(h.game.selection().state(), 0);  // shown apart from the normal selection
    h.game.clickCell(3, 3);                    // any click, even on an empty cell
    EXPECT_FALSE(hintSearch.hint());
    EXPECT_EQ(hints.events.back(), "clear");
}

TEST_F(MasterFixture, HintIsOnlyForAPersonAndAClickDuringItsSearchCancelsIt) {
    hintSearch.request();
    h.game.clickCell(3, 3);
    EXPECT_EQ(runner.cancels, 1);
    runner.answer(0);
    EXPECT_FALSE(hintSearch.hint());
    aliceMoves();  // now the computer is to move
    const std::size_t searches = runner.pending.size();
    hintSearch.request();
    EXPECT_EQ(runner.pending.size(), searches);  // refused
}

TEST_F(MasterFixture, MoveClearsTheHint) {
    hintSearch.request();
    runner.answer(0);
    const Move hint = *hintSearch.hint();
    h.move(hint.from.x, hint.from.y, hint.to.x, hint.to.y);
    EXPECT_FALSE(hintSearch.hint());
    EXPECT_EQ(h.game.lastMove()->to, hint.to);
}

// Two people: Z takes back two moves, Y brings them back, as long as no new move was made.
TEST(Redo, ReplaysTakenBackMovesTwoAtATimeAndStopsAtANewMove) {
    GameHarness h(rows("+XXXX/XXXXX/XXXXX/XXXXX/XXXX-/"), "1", "Alice", "Bob");
    std::vector<std::string> line{h.game.position().boardString()};
    const Move moves[] = {{{0, 0}, {1, 1}, MoveKind::Copy},
                          {{4, 4}, {3, 3}, MoveKind::Copy},
                          {{1, 1}, {2, 1}, MoveKind::Copy},
                          {{3, 3}, {3, 2}, MoveKind::Copy}};
    for (const Move& m : moves) {
        h.move(m.from.x, m.from.y, m.to.x, m.to.y);
        line.push_back(h.game.position().boardString());
    }
    EXPECT_FALSE(h.game.redoAvailable());
    const std::string atFour = h.turn();

    takeBackTwo(h);
    takeBackTwo(h);
    EXPECT_EQ(h.game.position().boardString(), line[0]);
    EXPECT_EQ(h.turn(), "p1 made 0 move 1");

    ASSERT_TRUE(h.game.redoAvailable());
    h.game.redo();
    EXPECT_FALSE(h.game.redoAvailable());  // until the turn change has run
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.game.position().boardString(), line[2]);
    EXPECT_EQ(h.turn(), "p1 made 2 move 2 take-back");
    h.game.redo();
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.game.position().boardString(), line[4]);
    EXPECT_EQ(h.turn(), atFour);
    EXPECT_FALSE(h.game.redoAvailable());

    // Back once more, then a different move: the old line cannot come back.
    takeBackTwo(h);
    EXPECT_TRUE(h.game.redoAvailable());
    ASSERT_EQ(h.game.position().boardString(), line[2]);
    ASSERT_EQ(h.game.position().at(2, 1), kFreeCell);
    h.move(1, 1, 1, 2);
    EXPECT_FALSE(h.game.redoAvailable());
    h.move(3, 3, 3, 4);
    EXPECT_FALSE(h.game.redoAvailable());
    // Taking back the new line offers redo of the new line only.
    takeBackTwo(h);
    h.game.redo();
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.game.position().at(1, 2), kToken1);
    EXPECT_EQ(h.game.position().at(3, 4), kToken2);
    EXPECT_EQ(h.game.position().at(2, 1), kFreeCell);
}

TEST(Redo, NothingToRedoAtTheStartOrAfterRestart) {
    GameHarness h(rows("+XXXX/XXXXX/XXXXX/XXXXX/XXXX-/"), "1", "Alice", "Bob");
    h.game.redo();
    EXPECT_EQ(h.game.movesMade(), 0);
    h.move(0, 0, 1, 1);
    h.move(4, 4, 3, 3);
    takeBackTwo(h);
    EXPECT_TRUE(h.game.redoAvailable());
    h.game.restart();
    h.timers.fire(GameTimer::Start);
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_FALSE(h.game.redoAvailable());
}

TEST_F(MasterFixture, RedoAgainstTheComputerKeepsThePersonToMove) {
    aliceMoves();
    runner.answer(0);
    h.playComputerMove();
    const std::string afterRound = h.game.position().boardString();
    takeBackTwo(h);
    EXPECT_EQ(h.game.position().boardString(), original());
    h.game.redo();
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(h.game.position().boardString(), afterRound);
    EXPECT_EQ(h.game.playerToMove(), Player::One);
    EXPECT_FALSE(h.game.searching());  // the person is to move: no search starts
    EXPECT_EQ(runner.pending.size(), 1U);
}

}  // namespace
}  // namespace tomelin::test
