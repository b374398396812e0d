#pragma once
// The program as its start-up leaves it, on a temporary store: music without sound, game timers
// stepped by hand, and the setup window's dialogs and all messages recorded instead of shown.

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>
#include <memory>

#include "core/manual_timer_host.h"
#include "editor/board_editor.h"
#include "gamewin/game_window.h"
#include "gamewin/tool_button.h"
#include "records/game_record.h"
#include "boards/board_list.h"
#include "setupwin/board_chooser.h"
#include "setupwin/player_panel.h"
#include "setupwin/player_tokens.h"
#include "setupwin/setup_title_strip.h"
#include "setupwin/setup_window.h"
#include "app/startup.h"
#include "support/window_parts.h"

namespace tomelin {

// Music without sound: records the commands it is given; length and position are set by
// the test.
struct FakePlayer : MidiPlayer {
    bool open(const std::string& path) override {
        log.push_back("open " + std::filesystem::path(path).filename().string());
        return true;
    }
    void play() override { log.push_back("play"); }
    void stop() override { log.push_back("stop"); }
    void close() override { log.push_back("close"); }
    long length() const override {
        ++lengthAsked;
        return songLength;
    }
    long position() const override { return songPosition; }

    std::vector<std::string> log;
    long songLength = 0;
    long songPosition = 0;
    mutable int lengthAsked = 0;
};

class LaunchedProgram : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // Starts the program; what the store should hold at start is stored before.
    SetupWindow& launch() {
        seed = {};  // the program opens the store itself
        program = std::make_unique<Startup>(openStore(storePath.toStdString()), &timers,
                                            std::make_unique<FakePlayer>(), &random);
        const auto record = [this](const QString& title, const QString& text) {
            messages << title + "|" + text;
        };
        program->setMessageHandler(record);
        form().setMessageHandler(record);
        form().setDialogRunner([this](QDialog& dialog) {
            dialogs << dialog.objectName();
            if (auto* edit = qobject_cast<BoardEditor*>(&dialog)) {
                editor = edit->slot() + "|" + edit->boardName();
                if (saveInEditor) {
                    edit->save();
                }
            }
        });
        timers.setHandler([this](GameTimer t) { game().game().onTimer(t); });
        if (splashMin >= 0) {
            program->setSplashMinTime(splashMin);
        }
        program->start();
        return form();
    }

    SetupWindow& form() { return program->setupWindow(); }
    // Parts of the setup window, found by object name.
    QListWidget& boardList() { return test::part<QListWidget>(form(), "List1"); }
    BoardChooser& boardChooser() { return test::part<BoardChooser>(form(), "Frame3"); }
    QPushButton& resumeButton() { return test::part<QPushButton>(form(), "Resume"); }
    QLabel& noteLine() { return test::part<QLabel>(form(), "ResumeNote"); }
    const AppliedToken& token(int playerIndex) {
        return test::part<PlayerTokens>(form(), "playerTokens").token(playerIndex);
    }
    GameWindow& game() { return program->gameWindow(); }
    // The program's store once it runs, a store of the test's own before.
    Store& store() {
        if (!program && !seed.store) {
            seed = openStoreAt(storePath.toStdString());
        }
        return program ? program->store() : *seed.store;
    }

    void storeBoard(const std::string& slot, const char* name) {
        ASSERT_FALSE(saveBoardToSlot(store(), slot, name, builtinBoards()[3].boardString));
    }

    void storeGame(std::array<std::string, 2> names, std::array<std::string, 2> tokens) {
        const GameRecord record{
            .board = "Originál", .names = names, .counts = {30, 10}, .tokens = tokens, .winner = 1};
        ASSERT_EQ(writeGameRecord(store(), record).outcome, RecordWrite::Outcome::Written);
    }

    // START, and what it handed to the game window.
    StartRequest start() {
        QSignalSpy spy(&form(), &SetupWindow::startGame);
        form().requestStart();
        EXPECT_EQ(spy.count(), 1);
        return spy.count() == 1 ? spy.at(0).at(0).value<StartRequest>() : StartRequest{};
    }

    QTemporaryDir dir;
    const QString storePath = dir.path() + "/store.db";
    // How the program opens its store at launch.
    std::function<StoreOpening(const std::string&)> openStore = openStoreAt;
    StoreOpening seed;
    ManualTimerHost timers;
    MtRandomSource random{20261206};
    QStringList messages;
    QStringList dialogs;
    QString editor;  // "slot|name" of the board the editor last opened
    bool saveInEditor = false;
    int splashMin = -1;  // how long the splash stays up at least; -1: the program's choice
    std::unique_ptr<Startup> program;  // last: gone before what its handlers write to
};

}  // namespace tomelin
