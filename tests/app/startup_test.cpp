#include "setup/widgets/startup.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "core/manual_timer_host.h"
#include "core/random.h"
#include "gamewin/tomel.h"
#include "gamewin/window_layout.h"
#include "records/game_record.h"
#include "records/survey.h"
#include "setup/board_list.h"
#include "setup/widgets/music_window.h"
#include "setup/widgets/player_panel.h"
#include "setup/widgets/setup_menus.h"
#include "setup/widgets/setup_window.h"

namespace tomelin {
namespace {

// Music without sound: remembers nothing, plays nothing.
class SilentPlayer : public MidiPlayer {
public:
    bool open(const std::string&) override { return true; }
    void play() override {}
    void stop() override {}
    void close() override {}
    long length() const override { return 0; }
    long position() const override { return 0; }
};

class StartUp : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    QString storePath() const { return dir.path() + "/store.db"; }

    std::unique_ptr<Module1> launch() {
        auto program = std::make_unique<Module1>(openStoreAt(storePath().toStdString()), &timers,
                                                 std::make_unique<SilentPlayer>(), &random);
        program->setMessageHandler(
            [this](const QString& title, const QString& text) { messages << title + "|" + text; });
        Module1* raw = program.get();
        timers.setHandler([raw](GameTimer t) { raw->gameWindow().game().onTimer(t); });
        program->start();
        return program;
    }

    // Runs the game's timers (the clock left out) until the game is over.
    void playToTheEnd(Module1& program) {
        for (int tick = 0; tick < 100000 && !program.gameWindow().game().gameOver(); ++tick) {
            if (!timers.fireNext({GameTimer::TimerT})) {
                break;
            }
        }
    }

    QTemporaryDir dir;
    ManualTimerHost timers;
    MtRandomSource random{20261206};
    QStringList messages;
};

TEST_F(StartUp, WithAnEmptyStoreShowsTheSetupWindowReadyForTwoPeople) {
    auto program = launch();
    EXPECT_EQ(program->shownStatuses(), Module1::statusTexts());
    Form1& form = program->setupWindow();
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(program->gameWindow().isVisible());
    EXPECT_EQ(form.boardList()->count(), 5);
    EXPECT_EQ(form.selectedBoard(), 0);
    EXPECT_EQ(program->gameWindow().boardName(), QStringLiteral("Originál"));
    EXPECT_FALSE(form.panel(0)->isComputer());
    EXPECT_FALSE(form.panel(1)->isComputer());
    EXPECT_EQ(form.panel(0)->name(), QStringLiteral("Hráč 1"));
    EXPECT_EQ(form.panel(1)->Combo1->currentIndex(), 0);
    EXPECT_EQ(form.logic(), QStringLiteral("1"));
    // Both tokens reached the game window, snapped to the colour grid.
    EXPECT_EQ(program->gameWindow().playerStyle(1).colour, rgb(255, 135, 15));
    EXPECT_EQ(program->gameWindow().playerStyle(1).shape, 1);
    EXPECT_EQ(program->gameWindow().playerStyle(2).colour, rgb(15, 135, 255));
    EXPECT_EQ(program->gameWindow().playerStyle(2).shape, 5);
    // The game window is laid out at 13/15 of the screen; it cannot grow any more.
    const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
    EXPECT_EQ(program->gameWindow().windowHeight(), startHeight(screenHeight));
    EXPECT_FALSE(form.menus().HGV->isEnabled());
    EXPECT_EQ(form.menus().HGM->isEnabled(), mayShrink(startHeight(screenHeight), screenHeight));
    EXPECT_EQ(program->musicWindow().songs().front(), QStringLiteral("(Ticho)"));
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(StartUp, ListsStoredBoardsAndKnownPlayers) {
    {
        StoreOpening opening = openStoreAt(storePath().toStdString());
        ASSERT_FALSE(saveBoardToSlot(*opening.store, "03", "Moje", builtinBoards()[3].boardString));
        GameRecord record;
        record.board = "Bitva";
        record.names = {"Alena", "Bohouš"};
        record.counts = {20, 30};
        record.tokens = {"AEE1", "EEA6"};
        record.winner = 2;
        ASSERT_EQ(writeGameRecord(*opening.store, record).outcome, RecordWrite::Outcome::Written);
    }
    auto program = launch();
    Form1& form = program->setupWindow();
    ASSERT_EQ(form.boardList()->count(), 6);
    EXPECT_EQ(form.boardList()->item(5)->text(), QStringLiteral("Moje"));
    EXPECT_GE(form.panel(0)->Text3->findText("Alena"), 0);
    EXPECT_GE(form.panel(1)->Text3->findText("Bohouš"), 0);
    // Picking Bohouš gives player 1 his last token: a blue star.
    form.panel(0)->Text3->setEditText(QStringLiteral("Bohouš"));
    EXPECT_EQ(program->gameWindow().playerStyle(1).colour, rgb(15, 15, 255));
    EXPECT_EQ(program->gameWindow().playerStyle(1).shape, 6);
}

TEST_F(StartUp, ADamagedStoreIsReportedOnceWithWhereTheOldFileWent) {
    {
        QFile file(storePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }
    auto program = launch();
    ASSERT_EQ(messages.size(), 1);
    const QString moved = program->storeProblem();
    EXPECT_FALSE(moved.isEmpty());
    EXPECT_TRUE(messages[0].endsWith(moved));
    // The old file is kept where the message says.
    bool found = false;
    for (const QFileInfo& info : QDir(dir.path()).entryInfoList(QDir::Files)) {
        if (info.fileName().startsWith("store.db.damaged")) {
            found = true;
            EXPECT_TRUE(moved.contains(info.fileName())) << moved.toStdString();
            EXPECT_EQ(info.size(), 4096);
        }
    }
    EXPECT_TRUE(found);
    EXPECT_EQ(program->setupWindow().boardList()->count(), 5);
}

TEST_F(StartUp, StartHandsTheGameOverAndNewGameComesBack) {
    auto program = launch();
    Form1& form = program->setupWindow();
    Tomel& game = program->gameWindow();
    form.panel(0)->setName(QStringLiteral("Eva"));
    form.panel(1)->chooseComputer();
    form.crossOption()->setChecked(true);
    form.boardList()->setCurrentRow(3);
    form.Command1_Click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(game.isVisible());
    EXPECT_EQ(game.gameSetup().names[0], "Eva");
    EXPECT_EQ(game.gameSetup().names[1], "PC Profesionál");
    EXPECT_EQ(game.gameSetup().logicLabel, "2");
    EXPECT_EQ(game.gameSetup().descriptor, builtinBoards()[3].boardString + "1");
    EXPECT_EQ(game.boardName(), QString::fromStdString(builtinBoards()[3].name));

    game.newGame();
    EXPECT_FALSE(game.isVisible());
    EXPECT_TRUE(form.isVisible());
    // The setup is kept for the next game.
    EXPECT_EQ(form.panel(0)->name(), QStringLiteral("Eva"));
    EXPECT_TRUE(form.panel(1)->isComputer());
}

TEST_F(StartUp, ABoardTheGameRefusesLeavesTheSetupWindowOnTheScreen) {
    auto program = launch();
    Form1& form = program->setupWindow();
    StartRequest request;
    request.setup.descriptor = "X+-X7";  // no player 7 to start
    request.boardName = QStringLiteral("Rozbité");
    form.hide();
    emit form.startGame(request);
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(program->gameWindow().isVisible());
}

TEST_F(StartUp, TheGameWindowUsesTheSetupWindowsMenus) {
    auto program = launch();
    Form1& form = program->setupWindow();
    Tomel& game = program->gameWindow();
    form.Command1_Click();
    const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
    const int before = game.windowHeight();
    form.menus().HGM->trigger();
    EXPECT_EQ(game.windowHeight(), before - heightStep(screenHeight));
    EXPECT_TRUE(form.menus().HGV->isEnabled());
    form.menus().HGV->trigger();
    EXPECT_EQ(game.windowHeight(), before);
    EXPECT_FALSE(form.menus().HGV->isEnabled());

    form.menus().UNG->trigger();  // "Novou hru"
    EXPECT_FALSE(game.isVisible());
    EXPECT_TRUE(form.isVisible());
    QSignalSpy quit(program.get(), &Module1::quitRequested);
    form.menus().EDN->trigger();  // "Opravdu skončit"
    EXPECT_EQ(quit.count(), 1);
}

TEST_F(StartUp, AComputerGamePlayedToTheEndLeavesExactlyOneRecord) {
    auto program = launch();
    Form1& form = program->setupWindow();
    form.panel(0)->chooseComputer();
    form.panel(0)->chooseStrength(1);
    form.panel(1)->chooseComputer();
    form.panel(1)->chooseStrength(1);
    form.Command1_Click();
    Tomel& game = program->gameWindow();
    ASSERT_TRUE(game.isVisible());
    playToTheEnd(*program);
    ASSERT_TRUE(game.game().gameOver());
    ASSERT_TRUE(game.lastRecordWrite().has_value());
    EXPECT_EQ(game.lastRecordWrite()->outcome, RecordWrite::Outcome::Written);
    const Survey survey = PruzkHer(program->store());
    ASSERT_EQ(survey.recordCount(), 1);
    EXPECT_EQ(survey.lists[kListBoard][0], "Originál");
    EXPECT_EQ(survey.lists[kListPlayer1][0], "PC Začátečník");
    EXPECT_EQ(survey.lists[kListPlayer2][0], "PC Začátečník");

    // Back in the setup window the records are there for "Záznamy her".
    game.newGame();
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(messages.isEmpty());
}

}  // namespace
}  // namespace tomelin
