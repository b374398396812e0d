#include <gtest/gtest.h>

#include <vector>

#include "core/manual_timer_host.h"
#include "core/perft.h"
#include "core/random.h"
#include "game_harness.h"

namespace tomelin {
namespace {

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
    EXPECT_EQ(host.now(), 1000);
    EXPECT_EQ(host.advance(2500), 2);  // at 2000 and 3000
    EXPECT_EQ(host.now(), 3500);
    EXPECT_EQ(host.fireNext({GameTimer::TimerT}), std::nullopt);
    EXPECT_FALSE(host.fire(GameTimer::TimPC));
    EXPECT_EQ(fired.size(), 4u);
    EXPECT_EQ(host.interval(GameTimer::TimerT), 1000);
    EXPECT_EQ(host.startCount(GameTimer::TimerT), 1);
}

TEST(MtRandomSource, FixedSeedReplaysAndStaysInTheUnitInterval) {
    MtRandomSource a(42), b(42);
    a.seedFromTime();  // ignored with a fixed seed
    for (int i = 0; i < 1000; ++i) {
        const double v = a.next();
        EXPECT_EQ(v, b.next());
        EXPECT_GE(v, 0.0);
        EXPECT_LT(v, 1.0);
    }
    EXPECT_TRUE(a.fixed());
    EXPECT_FALSE(MtRandomSource().fixed());
}

TEST(Perft, CountsCopiesOncePerTargetAndJumpsPerSourceAndTarget) {
    // Two tokens side by side on a 3 x 3 free board, star logic: the copy targets are the
    // 7 free cells around them (each counted once); each token jumps to the free cells at
    // distance two from it.
    const Board b = test::boardFrom(test::rows({"++X", "XXX", "XX-"}));
    const Directions& star = Directions::star();
    EXPECT_EQ(perft(b, star, 1, 0), 1u);
    // Copies: (2,0), (0,1), (1,1), (2,1) -> 4 (each once, though (1,1) and (0,1) touch both
    // tokens). Jumps from (0,0): (2,0), (2,1), (0,2), (1,2) -> 4; from (1,0): (0,2), (1,2)
    // -> 2 ((2,2) is taken).
    EXPECT_EQ(perft(b, star, 1, 1), 10u);
    EXPECT_EQ(countMoves(b, star, 1), 10u);
    // A side without moves ends the line.
    const Board stuck = test::boardFrom(test::rows({"+0", "0-"}));
    EXPECT_EQ(perft(stuck, star, 1, 1), 0u);
    EXPECT_EQ(perft(stuck, star, 1, 3), 0u);
}

TEST(Perft, DepthTwoSumsTheRepliesOfEveryMove) {
    const Board b = test::boardFrom(test::rows({"+XX", "XXX", "XX-"}));
    const Directions& cross = Directions::cross();
    std::uint64_t expected = 0;
    // Play each of player 1's moves through the game's own rules and count player 2's
    // replies on the position after it.
    for (int tx = 0; tx < 3; ++tx) {
        for (int ty = 0; ty < 3; ++ty) {
            test::GameHarness h;
            h.startGame(test::rows({"+XX", "XXX", "XX-"}), "2");
            h.game.PLKlik(0, 0);
            if (h.game.marks().at(tx, ty) != Marks::kCopy &&
                h.game.marks().at(tx, ty) != Marks::kJump) {
                continue;
            }
            h.game.PLKlik(tx, ty);
            expected += countMoves(h.game.board(), cross, 2);
        }
    }
    EXPECT_EQ(perft(b, cross, 1, 2), expected);
    EXPECT_GT(expected, 0u);
}

}  // namespace
}  // namespace tomelin
