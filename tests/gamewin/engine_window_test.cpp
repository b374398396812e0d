// External engines in the game window: the tool's own engine plays a whole game against a
// person, and an engine that hangs or crashes ends in a message with the game kept.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <filesystem>

#include "gamewin/thinking_indicator.h"
#include "records/game_record.h"
#include "records/unfinished_game.h"
#include "support/temp_folder.h"
#include "window_fixture.h"

namespace tomelin {
namespace {

using test::WindowFixture;

QString script(const test::TempFolder& folder, const std::string& name, const std::string& body) {
    const std::string path = folder.write(name, "#!/bin/sh\n" + body);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return QString::fromStdString(path);
}

// Runs the window's timers and the event loop (the engine's answers) until `done`.
template <class Done>
bool runUntil(WindowFixture& f, Done done, int ms = 20000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        f.settle();
        QTest::qWait(10);
    }
    return done();
}

// 4 x 4 corners: x top left (a4), o bottom right (d1).
constexpr const char* kEngineName = "Tomelin";

TEST(GameWindowEngine, TheToolsEnginePlaysAWholeGameAgainstAPersonAndIsRecordedByItsName) {
    WindowFixture f;
    f.game().setMasterMoveTimeMs(60);
    // The tool needs its "uai" word: a script gives it, as a user's wrapper would.
    test::TempFolder folder;
    f.window->setEnginePrograms(
        {QString(), script(folder, "uai", "exec '" TOMELIN_CLI_PATH "' uai\n")});
    f.start(test::kCorners, {"Eva", kEngineName});
    ThinkingIndicator& thinking = f.part<ThinkingIndicator>("thinking");
    int engineMoves = 0;
    bool sawThinking = false;
    while (!f.game().gameOver()) {
        ASSERT_LT(engineMoves, 20) << "the game does not end";
        if (f.game().playerToMove() == Player::One) {
            // The person: the first legal move of any of her tokens.
            std::vector<Move> moves;
            f.game().position().legalMoves(Logic::Star, moves);
            ASSERT_FALSE(moves.empty());
            f.move(moves[0].from, moves[0].to);
            continue;
        }
        // The engine's side takes no clicks from the board.
        const std::string before = f.game().position().boardString();
        std::vector<Move> moves;
        f.game().position().legalMoves(Logic::Star, moves);
        f.click(moves[0].from.x, moves[0].from.y);
        f.click(moves[0].to.x, moves[0].to.y);
        EXPECT_EQ(f.game().position().boardString(), before) << "a click moved for the engine";
        sawThinking = sawThinking || thinking.isVisible();
        ASSERT_TRUE(runUntil(f, [&] {
            return f.game().gameOver() || f.game().playerToMove() == Player::One;
        })) << "the engine did not move";
        EXPECT_NE(f.game().position().boardString(), before);
        ++engineMoves;
    }
    EXPECT_TRUE(sawThinking);
    EXPECT_GE(engineMoves, 1);
    // The record names the engine as it was entered for the game.
    const std::vector<StoredGameRecord> records = readGameRecords(*f.store.store);
    ASSERT_EQ(records.size(), 1U);
    EXPECT_EQ(records[0].record.names[1], kEngineName);
}

TEST(GameWindowEngine, AHangingOrCrashingEngineEndsInItsMessageWithTheGameKept) {
    test::TempFolder folder;
    const std::string handshake =
        "while read line; do case \"$line\" in uai) echo uaiok ;; isready) echo readyok ;; go*) %s "
        ";; esac; done\n";
    const struct {
        const char* name;
        const char* onGo;
        const char* message;
    } cases[] = {
        {"spici", ":", "Engine spici neposlal tah v daném čase a byl ukončen."},
        {"padavka", "exit 4", "Engine padavka nečekaně skončil."},
        {"podvodnik", "echo 'bestmove a4'",
         "Engine podvodnik poslal nepovolený tah „a4“ a byl ukončen."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowFixture f;
        f.game().setMasterMoveTimeMs(100);
        char body[512];
        std::snprintf(body, sizeof body, handshake.c_str(), c.onGo);
        f.window->setEnginePrograms({QString(), script(folder, c.name, body)});
        QSignalSpy failed(f.window.get(), &GameWindow::engineFailed);
        QSignalSpy left(f.window.get(), &GameWindow::newGameRequested);
        f.start(test::kCorners, {"Eva", "Stroj"});
        f.move({0, 0}, {1, 1});
        ASSERT_TRUE(runUntil(
            f, [&] { return failed.count() > 0; }, 15000))
            << "no fault was told";
        EXPECT_EQ(failed.count(), 1);
        EXPECT_EQ(failed.at(0).at(0).toString(), QString::fromUtf8(c.message));
        EXPECT_EQ(left.count(), 1);
        EXPECT_FALSE(f.window->isVisible());
        // Kept as it was at the engine's turn: resumable, player 2 to move.
        const UnfinishedGameRead kept = readUnfinishedGame(*f.store.store);
        ASSERT_EQ(kept.outcome, UnfinishedGameRead::Outcome::Ready);
        EXPECT_EQ(kept.snapshot.movesMade(), 1);
        EXPECT_EQ(kept.snapshot.playerToMove, Player::Two);
        EXPECT_TRUE(readGameRecords(*f.store.store).empty());
    }
}

}  // namespace
}  // namespace tomelin
