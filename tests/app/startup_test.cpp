#include "app/startup.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include "gamewin/window_layout.h"
#include "platform/store/sqlite_store.h"
#include "records/survey.h"
#include "setupwin/launched_program.h"
#include "setupwin/player_panel.h"
#include "setupwin/setup_menus.h"

namespace tomelin {
namespace {

class StartUp : public LaunchedProgram {
protected:
    const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
};

TEST_F(StartUp, WithAnEmptyStoreShowsTheSetupWindowReadyForTwoPeople) {
    launch();
    EXPECT_EQ(program->shownStatuses(), Startup::statusTexts());
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(game().isVisible());
    EXPECT_EQ(boardList().count(), 5);
    EXPECT_EQ(game().boardName(), QStringLiteral("Originál"));
    // Both tokens reached the game window, snapped to the colour grid.
    EXPECT_EQ(game().playerStyle(1), (PlayerStyle{rgb(255, 135, 15), 1, rgb(255, 127, 127)}));
    EXPECT_EQ(game().playerStyle(2), (PlayerStyle{rgb(15, 135, 255), 5, rgb(127, 127, 255)}));
    // The game window is laid out at 13/15 of the screen; it cannot grow any more.
    EXPECT_EQ(game().windowHeight(), startHeight(screenHeight));
    EXPECT_FALSE(form().menus().growItem->isEnabled());
    EXPECT_EQ(form().menus().shrinkItem->isEnabled(),
              mayShrink(startHeight(screenHeight), screenHeight));
    EXPECT_TRUE(messages.isEmpty());
    // START as it is: two people with the default names on the first board, star logic.
    const StartRequest request = start();
    EXPECT_EQ(request.setup.names(), (std::array<std::string, 2>{"Hráč 1", "Hráč 2"}));
    EXPECT_EQ(request.setup.players[0].kind, PlayerKind::Person);
    EXPECT_EQ(request.setup.players[1].kind, PlayerKind::Person);
    EXPECT_EQ(request.setup.board, builtinBoards()[0].boardString);
    EXPECT_EQ(request.setup.starting, Player::One);
    EXPECT_EQ(request.setup.logic, Logic::Star);
    EXPECT_EQ(game().game().setup().names(), request.setup.names());
}

TEST_F(StartUp, StoredBoardsAndKnownPlayersReachTheGameWindow) {
    storeBoard("03", "Moje");
    storeGame({"Alena", "Bohouš"}, {"AEE1", "EEA6"});
    launch();
    ASSERT_EQ(boardList().count(), 6);
    boardList().setCurrentRow(5);
    EXPECT_EQ(game().boardName(), QStringLiteral("Moje"));
    // Picking Bohouš gives player 1 his last token: a blue star.
    test::part<QComboBox>(*form().panel(0), "Text3").setEditText(QStringLiteral("Bohouš"));
    EXPECT_EQ(game().playerStyle(1), (PlayerStyle{rgb(15, 15, 255), 6, rgb(127, 127, 255)}));
}

TEST_F(StartUp, ADamagedStoreIsReportedOnceWithWhereTheOldFileWent) {
    {
        QFile file(storePath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }
    launch();
    ASSERT_EQ(messages.size(), 1);
    const QString moved = program->storeProblem();
    EXPECT_TRUE(messages[0].endsWith(moved));
    // The old file is kept, whole, where the message says.
    const QFileInfoList kept = QDir(dir.path()).entryInfoList({"store.db.damaged*"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(moved.contains(kept[0].fileName())) << moved.toStdString();
    EXPECT_EQ(kept[0].size(), 4096);
    EXPECT_EQ(boardList().count(), 5);
}

// A store the user may only read (the store tests check that such files open this way; here
// the opening is made read-only directly, since the tests may run as root): boards and
// records are there, the user is told once, and a change is refused with the reason.
TEST_F(StartUp, AReadOnlyStoreShowsItsBoardsSaysOnceWhyNothingIsSavedAndRefusesChanges) {
    storeBoard("02", "Moje");
    storeGame({"Bohouš", "PC Génius"}, {"EEA6", "ACE1"});
    seed.store.reset();
    openStore = [](const std::string& path) {
        StoreOpening opening;
        opening.path = path;
        opening.limit = StoreLimit::ReadOnly;
        opening.writeReason = "soubor je jen pro čtení";
        auto reading = SqliteStore::openReadOnly(path);
        reading.store->setWriteRefusal(opening.czechMessage());
        opening.store = std::move(reading.store);
        return opening;
    };
    launch();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(storePath)) << messages[0].toStdString();
    EXPECT_TRUE(messages[0].contains(QStringLiteral("nelze uložit")));
    ASSERT_EQ(boardList().count(), 6);
    EXPECT_EQ(boardList().item(5)->text(), QStringLiteral("Moje"));
    EXPECT_EQ(program->store().writeRefusal(), program->storeProblem().toStdString());

    messages.clear();
    boardChooser().addBoard();
    EXPECT_TRUE(editor.isEmpty());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("jen pro čtení")));
    boardList().setCurrentRow(5);
    boardChooser().deleteBoard();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_TRUE(messages[1].startsWith(QStringLiteral("Nelze smazat|")));
    EXPECT_EQ(boardList().count(), 6);
}

TEST_F(StartUp, StartHandsTheGameOverItsMenusServeItAndNewGameComesBack) {
    launch();
    form().panel(0)->setName(QStringLiteral("Eva"));
    form().panel(1)->chooseComputer();
    test::part<QRadioButton>(form(), "Option2").setChecked(true);
    boardList().setCurrentRow(3);
    form().requestStart();
    EXPECT_FALSE(form().isVisible());
    EXPECT_TRUE(game().isVisible());
    EXPECT_EQ(game().game().setup().names(), (std::array<std::string, 2>{"Eva", "PC Profesionál"}));
    EXPECT_EQ(game().game().setup().logic, Logic::Cross);
    EXPECT_EQ(game().game().setup().board, builtinBoards()[3].boardString);
    EXPECT_EQ(game().game().setup().starting, Player::One);
    EXPECT_EQ(game().boardName(), QString::fromStdString(builtinBoards()[3].name));

    SetupMenus& menus = form().menus();
    QSignalSpy restart(&form(), &SetupWindow::restartRequested);
    menus.restartItem->trigger();
    EXPECT_EQ(restart.count(), 1);
    const int before = game().windowHeight();
    menus.shrinkItem->trigger();  // the height rules are the layout's own test
    EXPECT_EQ(game().windowHeight(), before - heightStep(screenHeight));
    EXPECT_TRUE(menus.growItem->isEnabled());

    menus.newGameItem->trigger();  // "Novou hru": back to the setup, kept for the next game
    EXPECT_FALSE(game().isVisible());
    EXPECT_TRUE(form().isVisible());
    EXPECT_EQ(form().panel(0)->name(), QStringLiteral("Eva"));
    EXPECT_TRUE(form().panel(1)->isComputer());

    // A board the game refuses leaves the setup window on the screen.
    StartRequest broken;
    broken.setup.board = std::string(17 * 17, 'X');  // no grid holds a side of 17
    form().hide();
    emit form().startGame(broken);
    EXPECT_TRUE(form().isVisible());
    EXPECT_FALSE(game().isVisible());

    QSignalSpy quit(program.get(), &Startup::quitRequested);
    menus.quitItem->trigger();  // "Opravdu skončit"
    form().close();
    EXPECT_EQ(quit.count(), 2);
}

TEST_F(StartUp, AComputerGamePlayedToTheEndLeavesExactlyOneRecord) {
    launch();
    for (int i = 0; i < 2; ++i) {
        form().panel(i)->chooseComputer();
        form().panel(i)->chooseStrength(1);
    }
    form().requestStart();
    // The game's timers (the clock left out) run until the game is over.
    for (int tick = 0; tick < 100000 && !game().game().gameOver(); ++tick) {
        if (!timers.fireNext({GameTimer::Clock})) {
            break;
        }
    }
    ASSERT_TRUE(game().game().gameOver());
    const Survey survey = readSurvey(program->store());
    ASSERT_EQ(survey.recordCount(), 1);
    EXPECT_EQ(survey.lists[kListBoard][0], "Originál");
    EXPECT_EQ(survey.lists[kListPlayer1][0], "PC Začátečník");
    EXPECT_EQ(survey.lists[kListPlayer2][0], "PC Začátečník");
    game().newGame();
    EXPECT_TRUE(form().isVisible());
    EXPECT_TRUE(messages.isEmpty());
}

// Start-up is over in milliseconds; on a real screen the splash stays up for a short
// minimum in all (the work counting towards it), each status shown at once. Offscreen nobody
// looks, so nothing waits.
TEST_F(StartUp, SplashStaysUpForItsMinimumWithEveryStatusShown) {
    {
        Startup offscreen(openStoreAt((dir.path() + "/other.db").toStdString()), &timers,
                          std::make_unique<FakePlayer>(), &random);
        EXPECT_EQ(offscreen.splashMinTime(), 0);
    }
    splashMin = 150;
    QElapsedTimer clock;
    clock.start();
    launch();
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_EQ(program->shownStatuses(), Startup::statusTexts());
    EXPECT_TRUE(form().isVisible());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(w->objectName() == QStringLiteral("frmSplash") && w->isVisible());
}

// "Opravdu skončit" ends the event loop at once with status 0, also while the game window,
// which refuses every close, is on the screen and has just offered the menu itself.
TEST_F(StartUp, OpravduSkoncitEndsTheProgramWhileTheGameWindowIsUp) {
    launch();
    form().requestStart();
    ASSERT_TRUE(game().isVisible());
    QObject::connect(program.get(), &Startup::quitRequested, qApp, &endProgram,
                     Qt::QueuedConnection);
    QTimer::singleShot(0, &game(), [this] {
        game().close();  // the close request only pops up "Opravdu skončit?"
        form().menus().quitItem->trigger();
    });
    // Should the loop not end, this ends it with another status after two seconds.
    QTimer safety;
    safety.setSingleShot(true);
    QObject::connect(&safety, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    safety.start(2000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(game().isVisible());
}

}  // namespace
}  // namespace tomelin
