// The players behind one interface: a player the game asks for a move and that answers
// later, fails, is withdrawn or answers out of turn; and the table of kinds.

#include <gtest/gtest.h>

#include "core/game_players.h"
#include "game_harness.h"

namespace tomelin {
namespace {

using namespace test;

// Holds every request until the test answers it; records what the game tells it.
struct HeldPlayer : GamePlayer {
    std::vector<MoveRequest> requests;
    std::vector<MoveReply> replies;
    int cancels = 0;
    int resets = 0;
    std::vector<std::string> moves;  // "<mover>:<from x><from y><to x><to y>"

    void requestMove(const MoveRequest& request, MoveReply reply) override {
        requests.push_back(request);
        replies.push_back(reply);
    }
    void cancelMove() override { ++cancels; }
    void moveMade(Player mover, const Move& m, const Position&) override {
        moves.push_back(std::to_string(number(mover)) + ":" + std::to_string(m.from.x) +
                        std::to_string(m.from.y) + std::to_string(m.to.x) + std::to_string(m.to.y));
    }
    void positionReset(const Position&) override { ++resets; }

    Move firstLegal(std::size_t k) const {
        std::vector<Move> legal;
        requests.at(k).position.legalMoves(requests.at(k).logic, legal);
        return legal.front();
    }
};

struct FailureRecorder : RecordingObserver {
    std::vector<std::string> failures;
    void playerFailed(Player p, const std::string& reason) override {
        failures.push_back(std::to_string(number(p)) + " " + reason);
    }
};

// Alice (a person, player 1) against a held player seated for "PC Génius" (player 2).
struct HeldPlayerFixture : ::testing::Test {
    HeldPlayer* held = nullptr;
    FailureRecorder recorder;
    GameHarness h{"", "1", "Alice", "PC Génius"};

    void SetUp() override {
        h.game.setObserver(&recorder);
        h.game.setPlayerMaker([this](PlayerKind kind, const PlayerServices& services) {
            if (kind != PlayerKind::Genius)
                return makePlayer(kind, services);
            auto p = std::make_unique<HeldPlayer>();
            held = p.get();
            return std::unique_ptr<GamePlayer>(std::move(p));
        });
        h.startGame(original());
        ASSERT_NE(held, nullptr);
    }
    // Alice's first legal move and the turn change that asks the held player.
    void aliceMoves() {
        std::vector<Move> legal;
        h.game.position().legalMoves(h.game.logic(), legal);
        h.move(legal.front().from.x, legal.front().from.y, legal.front().to.x, legal.front().to.y);
    }
};

TEST_F(HeldPlayerFixture, ALateAnswerIsPlayedAsTwoTimedClicksAndBothPlayersHearOfIt) {
    EXPECT_EQ(held->resets, 1);  // the start position
    aliceMoves();
    ASSERT_EQ(held->requests.size(), 1U);
    EXPECT_EQ(held->requests[0].position.toMove(), Player::Two);
    EXPECT_TRUE(h.game.searching());
    EXPECT_FALSE(personMayClick(h.game));
    EXPECT_FALSE(h.game.computerMovePending());
    held->replies[0].play(held->firstLegal(0));
    EXPECT_FALSE(h.game.searching());
    EXPECT_TRUE(h.game.computerMovePending());
    EXPECT_EQ(h.running(), "TimPC TimerT");
    h.playComputerMove();
    EXPECT_EQ(recorder.movers, (std::vector<int>{1, 2}));
    ASSERT_EQ(held->moves.size(), 2U);
    EXPECT_EQ(held->moves[0].substr(0, 2), "1:");
    EXPECT_EQ(held->moves[1].substr(0, 2), "2:");
    EXPECT_EQ(h.game.playerToMove(), Player::One);
    EXPECT_TRUE(personMayClick(h.game));
}

TEST_F(HeldPlayerFixture, AWithdrawnRequestIsCancelledAndItsAnswerIgnored) {
    struct Case {
        const char* name;
        void (*withdraw)(Game&);
    };
    const Case cases[] = {
        {"restart", [](Game& g) { g.restart(); }},
        {"new game", [](Game& g) { g.leave(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        h.startGame(original());
        aliceMoves();
        ASSERT_EQ(held->requests.size(), 1U);
        HeldPlayer& asked = *held;
        c.withdraw(h.game);
        EXPECT_EQ(asked.cancels, 1);
        EXPECT_FALSE(h.game.searching());
        const std::string board = h.game.position().boardString();
        asked.replies[0].play(asked.firstLegal(0));  // late
        EXPECT_FALSE(h.game.computerMovePending());
        EXPECT_EQ(h.game.position().boardString(), board);
    }
}

TEST_F(HeldPlayerFixture, TakeBackWithdrawsTheRequestAndTheNextTurnAsksAgain) {
    aliceMoves();
    held->replies[0].play(held->firstLegal(0));
    h.playComputerMove();
    aliceMoves();
    ASSERT_EQ(held->requests.size(), 2U);
    h.game.takeBack(2);
    EXPECT_EQ(held->cancels, 1);
    held->replies[1].play(held->firstLegal(1));  // late, for another board
    EXPECT_FALSE(h.game.computerMovePending());
    h.timers.fire(GameTimer::TurnChange);
    ASSERT_EQ(held->requests.size(), 3U);
    EXPECT_EQ(held->requests[2].position, held->requests[0].position);
    EXPECT_TRUE(h.game.searching());
}

TEST_F(HeldPlayerFixture, AnAnswerThatIsNoLegalMoveIsNeverPlayed) {
    aliceMoves();
    const Move illegal{{0, 0}, {3, 3}, MoveKind::Jump};
    ASSERT_FALSE(held->requests[0].position.isLegal(held->requests[0].logic, illegal));
    const std::string board = h.game.position().boardString();
    held->replies[0].play(illegal);
    EXPECT_FALSE(h.game.computerMovePending());
    EXPECT_EQ(h.game.position().boardString(), board);
    held->replies[0].play(held->firstLegal(0));  // answered once already: ignored
    EXPECT_FALSE(h.game.computerMovePending());
}

TEST_F(HeldPlayerFixture, AFailedPlayerIsReportedAndTheWeakestPlayMovesForIt) {
    aliceMoves();
    held->replies[0].fail("engine gone");
    EXPECT_EQ(recorder.failures, (std::vector<std::string>{"2 engine gone"}));
    EXPECT_FALSE(h.game.searching());
    ASSERT_TRUE(h.game.computerMovePending());
    h.playComputerMove();
    EXPECT_EQ(recorder.movers, (std::vector<int>{1, 2}));
    EXPECT_EQ(h.game.playerToMove(), Player::One);
    // The next turn asks the seated player again.
    aliceMoves();
    EXPECT_EQ(held->requests.size(), 2U);
}

TEST(PlayerKinds, EachKindSeatsItsPlayerAndNamesMapToKinds) {
    MtRandomSource random(3);
    InlineSearchRunner runner;
    PlayerServices services;
    services.random = &random;
    services.runner = [&runner]() -> SearchRunner& { return runner; };
    struct Case {
        PlayerKind kind;
        const char* name;
        bool byClicks;
    };
    const Case cases[] = {
        {PlayerKind::Person, "Alice", true},
        {PlayerKind::Beginner, "PC Začátečník", false},
        {PlayerKind::Professional, "PC Profesionál", false},
        {PlayerKind::Genius, "PC Génius", false},
        {PlayerKind::Master, "PC Velmistr", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(playerKindOf(playerKindFromName(c.name)), c.kind);
        const auto player = makePlayer(c.kind, services);
        ASSERT_NE(player, nullptr);
        EXPECT_EQ(player->movesByClicks(), c.byClicks);
    }
    EXPECT_EQ(playerKindOf(7), PlayerKind::Person);
    EXPECT_EQ(playerKindFromName("PC velmistr"), 0);  // exact names only
}

// A sink that keeps what a player answers.
struct KeptAnswers : MoveSink {
    std::vector<Move> played;
    std::vector<std::string> failed;
    int steps = 0;
    int depths = 0;
    void movePlayed(std::uint64_t, const Move& m) override { played.push_back(m); }
    void moveFailed(std::uint64_t, const std::string& r) override { failed.push_back(r); }
    void thinkingStep(std::uint64_t, int, int) override { ++steps; }
    void scannedPercent(std::uint64_t, int) override {}
    void depthDone(std::uint64_t, int) override { ++depths; }
};

TEST(PlayerKinds, ComputerPlayersAnswerALegalMoveOrFailWithoutOne) {
    MtRandomSource random(5);
    InlineSearchRunner runner;
    const std::string boards[] = {original(),
                                  rows("+000/0000/000-/000X/")};  // the second: + is stuck
    for (const std::string& board : boards) {
        for (int kind = 1; kind <= kMasterKind; ++kind) {
            SCOPED_TRACE(board + " kind " + std::to_string(kind));
            PlayerServices services{&random, [&runner]() -> SearchRunner& { return runner; }};
            const auto player = makePlayer(playerKindOf(kind), services);
            KeptAnswers sink;
            MoveRequest request;
            request.position = *Position::fromBoardString(board, Player::One);
            request.moveTimeMs = 20;
            player->requestMove(request, MoveReply(&sink, 1));
            const bool canMove = request.position.canMove(request.logic);
            ASSERT_EQ(sink.played.size() + sink.failed.size(), 1U);
            EXPECT_EQ(sink.played.size(), canMove ? 1U : 0U);
            if (canMove) {
                EXPECT_TRUE(request.position.isLegal(request.logic, sink.played[0]));
            }
        }
    }
}

}  // namespace
}  // namespace tomelin
