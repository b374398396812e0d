// An interrupted game in the windows: the next start offers "Pokračovat ve hře" beside START
// and resumes the game as it was; START, "Novou hru" and a damaged kept game drop it.

#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>

#include <QComboBox>

#include "gamewin/tool_button.h"
#include "platform/store/sqlite_store.h"
#include "records/unfinished_game.h"
#include "setupwin/launched_program.h"
#include "setupwin/player_panel.h"

namespace tomelin {
namespace {

class ResumeWindows : public LaunchedProgram {
protected:
    Game& core() { return game().game(); }
    void turnChange() {
        if (timers.isActive(GameTimer::TurnChange))
            timers.fire(GameTimer::TurnChange);
    }
    // START and the board appearing, then `moves` moves by the two people (each the first
    // move the rules offer).
    void startAndPlay(int moves) {
        start();
        timers.fire(GameTimer::Start);
        turnChange();
        for (int m = 0; m < moves; ++m) {
            timers.fire(GameTimer::Clock);
            std::vector<Move> legal;
            core().position().legalMoves(core().logic(), legal);
            core().clickCell(legal.back().from.x, legal.back().from.y);
            core().clickCell(legal.back().to.x, legal.back().to.y);
            turnChange();
        }
    }
    // The program ends as by a crash and starts again on the same store.
    void restartProgram() {
        program.reset();
        launch();
    }
    // The next launch opens the store read-only, every write refused for `reason`.
    void openReadOnlyNextTime(const char* reason) {
        openStore = [reason](const std::string& path) {
            StoreOpening opening;
            auto reading = SqliteStore::openReadOnly(path);
            reading.store->setWriteRefusal(reason);
            opening.store = std::move(reading.store);
            opening.path = path;
            opening.limit = StoreLimit::ReadOnly;
            return opening;
        };
    }
};

TEST_F(ResumeWindows, AnInterruptedGameIsOfferedAndResumesAsItWas) {
    launch();
    EXPECT_FALSE(resumeButton().isVisibleTo(&form()));
    // Ten minutes for player 1.
    test::part<QComboBox>(*form().panel(0), "Combo1").setCurrentIndex(4);
    startAndPlay(5);
    const std::string board = boardString(core().position().toBoard());
    const std::vector<std::string> list(core().moveList().begin(), core().moveList().begin() + 6);
    const auto lastTarget = core().lastMoveTarget();
    const int time1 = core().clock().timeLeft(Player::One);
    ASSERT_LT(time1, 600);

    restartProgram();
    QPushButton* resume = &resumeButton();
    ASSERT_TRUE(resume->isVisibleTo(&form()));
    EXPECT_EQ(resume->text(), QStringLiteral("Pokračovat ve hře"));
    EXPECT_EQ(resume->toolTip(), QStringLiteral("Originál, 3. tah"));
    EXPECT_EQ(noteLine().text(), QStringLiteral("Rozehraná hra: Originál, 3. tah"));

    resume->click();
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(game().isVisible());
    turnChange();
    EXPECT_EQ(boardString(core().position().toBoard()), board);
    EXPECT_EQ(core().movesMade(), 5);
    EXPECT_EQ(std::vector<std::string>(core().moveList().begin(), core().moveList().begin() + 6),
              list);
    EXPECT_EQ(core().playerToMove(), Player::Two);
    EXPECT_EQ(core().lastMoveTarget(), lastTarget);
    EXPECT_EQ(core().clock().timeLeft(Player::One), time1);
    EXPECT_EQ(game().boardName(), QStringLiteral("Originál"));
    EXPECT_EQ(test::part<QLabel>(game(), "moveLabel").text(), QStringLiteral(" 3. TAH"));
    // The take-back is offered.
    EXPECT_FALSE(test::part<ToolButton>(game(), "Picture13_", 7).isVisibleTo(&game()));
    // Taking back goes behind the interruption.
    game().takeBack();
    turnChange();
    EXPECT_EQ(MakeSnapshot(core().position().toBoard()), list[3]);
}

TEST_F(ResumeWindows, StartNewGameAndAnEndedGameDropTheKeptOne) {
    launch();
    startAndPlay(3);
    restartProgram();
    ASSERT_TRUE(resumeButton().isVisibleTo(&form()));
    // START plays a new game instead: what is kept now is that game, at its start.
    startAndPlay(0);
    UnfinishedGameRead read = readUnfinishedGame(store());
    ASSERT_EQ(read.outcome, UnfinishedGameRead::Outcome::Ready);
    EXPECT_EQ(read.snapshot.movesMade(), 0);
    EXPECT_FALSE(resumeButton().isVisibleTo(&form()));
    // "Novou hru" gives the game up: nothing is kept and nothing offered.
    game().newGame();
    EXPECT_EQ(readUnfinishedGame(store()).outcome, UnfinishedGameRead::Outcome::None);
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(resumeButton().isVisibleTo(&form()));
    // "Restartovat hru" too.
    startAndPlay(2);
    game().restartGame();
    EXPECT_EQ(readUnfinishedGame(store()).outcome, UnfinishedGameRead::Outcome::None);
}

TEST_F(ResumeWindows, ADamagedKeptGameIsDroppedWithOneLine) {
    launch();
    startAndPlay(4);
    store().WriteRegValue(kUnfinishedGameKey, kUgMoveList, std::string("BBBB KKKK"), kTypeText);
    restartProgram();
    EXPECT_FALSE(resumeButton().isVisibleTo(&form()));
    EXPECT_EQ(noteLine().text(), QString::fromUtf8(kUnfinishedGameDropped));
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_FALSE(store().openKey(kUnfinishedGameKey));
}

TEST_F(ResumeWindows, AReadOnlyStoreCannotKeepTheGameAndTheSetupWindowSaysWhy) {
    store();  // lay the file out
    seed = {};
    openReadOnlyNextTime("soubor je jen pro čtení");
    launch();
    QSignalSpy refused(&game(), &GameWindow::keepRefused);
    startAndPlay(1);
    ASSERT_EQ(refused.count(), 1);  // told once, though every turn change tries again
    EXPECT_EQ(refused.at(0).at(0).toString(),
              QStringLiteral("Rozehranou hru nelze uložit: soubor je jen pro čtení"));
    EXPECT_EQ(readUnfinishedGame(store()).outcome, UnfinishedGameRead::Outcome::None);
    game().newGame();
    EXPECT_EQ(noteLine().text(),
              QStringLiteral("Rozehranou hru nelze uložit: soubor je jen pro čtení"));
    EXPECT_FALSE(resumeButton().isVisibleTo(&form()));
}

// Two copies of the program on one store: both offer the interrupted game, the first click
// resumes it, the second is told another window plays it and stays in the setup.
TEST_F(ResumeWindows, OfTwoWindowsOnlyTheFirstResumesTheKeptGame) {
    launch();
    startAndPlay(3);
    restartProgram();
    ManualTimerHost otherTimers;
    MtRandomSource otherRandom{7};
    Startup other(openStoreAt(storePath.toStdString()), &otherTimers,
                  std::make_unique<FakePlayer>(), &otherRandom);
    other.setMessageHandler([](const QString&, const QString&) {});
    other.setupWindow().setMessageHandler([](const QString&, const QString&) {});
    other.start();
    QPushButton& otherResume = test::part<QPushButton>(other.setupWindow(), "Resume");
    ASSERT_TRUE(resumeButton().isVisibleTo(&form()));
    ASSERT_TRUE(otherResume.isVisibleTo(&other.setupWindow()));

    resumeButton().click();
    EXPECT_TRUE(game().isVisible());
    otherResume.click();
    EXPECT_FALSE(other.gameWindow().isVisible());
    EXPECT_TRUE(other.setupWindow().isVisible());
    EXPECT_FALSE(otherResume.isVisibleTo(&other.setupWindow()));
    EXPECT_EQ(test::part<QLabel>(other.setupWindow(), "ResumeNote").text(),
              QString::fromUtf8(kUnfinishedGameInPlay));
}

// A store that takes no writes could not have removed a game at its end: what it keeps is
// not offered, since it may be a game that has ended.
TEST_F(ResumeWindows, AKeptGameInAStoreThatTakesNoWritesIsNotOffered) {
    launch();
    startAndPlay(3);
    program.reset();
    openReadOnlyNextTime("na disku není volné místo");
    launch();
    EXPECT_FALSE(resumeButton().isVisibleTo(&form()));
    EXPECT_EQ(readUnfinishedGame(store()).outcome, UnfinishedGameRead::Outcome::Ready);
}

}  // namespace
}  // namespace tomelin
