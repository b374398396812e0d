// The hint beside the game: when a request starts no search, and a hint that goes while its
// search runs.

#include <gtest/gtest.h>

#include <functional>

#include "core/game_harness.h"

namespace tomelin::test {
namespace {

// Holds every search without answering; counts the searches begun and the cancellations.
struct HoldingRunner : SearchRunner {
    int begun = 0;
    int cancels = 0;
    void begin(const SearchRequest&, Done, Progress) override { ++begun; }
    void cancel() override { ++cancels; }
    void releaseTables() override {}
};

Move firstLegalMove(const Game& game) {
    std::vector<Move> moves;
    game.position().legalMoves(game.logic(), moves);
    return moves.front();
}

TEST(HintSearch, SearchesOnlyWhileThePersonToMoveMayClickAndNothingIsPending) {
    struct Case {
        const char* what;
        std::function<void(GameHarness&, HintSearch&)> before;
        int searches;  // begun by the request that follows
    };
    const std::vector<Case> cases = {
        {"Alice to move", [](GameHarness&, HintSearch&) {}, 1},
        {"a move made, its turn change still due",
         [](GameHarness& h, HintSearch&) {
             const Move m = firstLegalMove(h.game);
             h.clicks(m.from.x, m.from.y, m.to.x, m.to.y);
         },
         0},
        {"a hint already searched for", [](GameHarness&, HintSearch& hint) { hint.request(); },
         1},
        {"the game restarting", [](GameHarness& h, HintSearch&) { h.game.restart(); }, 0},
        {"the game left (no token on the board)",
         [](GameHarness& h, HintSearch&) { h.game.leave(); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HoldingRunner runner;
        GameHarness h(original(), "1", "Alice", "Bob");
        HintSearch hint(h.game, runner);
        c.before(h, hint);
        hint.request();
        EXPECT_EQ(runner.begun, c.searches);
        EXPECT_EQ(hint.searching(), c.searches == 1);
    }
}

// A hint that goes while its search runs cancels the search, and the game tells it nothing
// afterwards: the next moves and a new hint work as before.
TEST(HintSearch, GoingWhileItsSearchRunsCancelsItAndLeavesTheGame) {
    HoldingRunner runner;
    GameHarness h(original(), "1", "Alice", "Bob");
    {
        HintSearch hint(h.game, runner);
        hint.request();
        ASSERT_EQ(runner.begun, 1);
    }
    EXPECT_EQ(runner.cancels, 1);
    const Move m = firstLegalMove(h.game);
    h.move(m.from.x, m.from.y, m.to.x, m.to.y);
    h.game.takeBack(1);
    h.timers.fire(GameTimer::TurnChange);
    EXPECT_EQ(runner.cancels, 1);
    HintSearch again(h.game, runner);
    again.request();
    EXPECT_EQ(runner.begun, 2);
}

}  // namespace
}  // namespace tomelin::test
