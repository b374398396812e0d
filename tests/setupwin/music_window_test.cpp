#include "setupwin/music_window.h"

#include <gtest/gtest.h>
#include <array>
#include <cstdint>
#include <QSignalSpy>
#include <QTest>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QWindow>

#include "platform/draw/picture_box.h"
#include "platform/midi/fluid_midi_player.h"
#include "platform/midi/song_files.h"
#include "setupwin/launched_program.h"

namespace tomelin {
namespace {

// The window's parts by object name.
QStringList songsOf(MusicWindow& window) {
    QStringList items;
    QListWidget& list = test::part<QListWidget>(window, "Combo1");
    for (int i = 0; i < list.count(); ++i)
        items << list.item(i)->text();
    return items;
}
QPushButton& markerOf(MusicWindow& window) {
    return test::part<QPushButton>(window, "Command2");
}
bool ticking(MusicWindow& window) {
    return test::part<QTimer>(window, "Timer1").isActive();
}
bool inactiveStripShown(MusicWindow& window) {
    return test::part<PictureBox>(window, "Picture2").isVisibleTo(&window);
}

using Log = std::vector<std::string>;
const Log kStartsAbc{"close", "open abc.mid", "play"};
const Log kSilences{"stop", "close"};

class MusicWindowTest : public ::testing::Test {
protected:
    MusicWindowTest() {
        folder.write("Bratře Kubo.mid");
        folder.write("abc.mid");
        window.loadSongs(folder.path());
        QObject::connect(&window, &MusicWindow::gameBarInactiveChanged, &window,
                         [this](bool inactive) { gameBarInactive = inactive; });
    }
    // Runs `count` ticks of the position timer by hand and returns the commands they gave.
    Log tick(int count) {
        player.log.clear();
        for (int i = 0; i < count; ++i) {
            window.positionTick();
        }
        return player.log;
    }

    test::TempFolder folder;
    FakePlayer& player = *new FakePlayer;
    MusicWindow window{std::unique_ptr<MidiPlayer>(&player)};
    bool gameBarInactive = true;  // what the window last told the game window's caption
};

TEST_F(MusicWindowTest, ChosenSongsPlayFromTheStartAndSilenceStopsThem) {
    EXPECT_EQ(window.windowTitle(), QString("Hudba ke Tomelinu"));
    EXPECT_EQ(songsOf(window), QStringList({"(Ticho)", "abc", "Bratře Kubo"}));
    window.startRandomSong(0.999);
    EXPECT_EQ(player.log, (Log{"close", "open Bratře Kubo.mid", "play"}));
    EXPECT_TRUE(ticking(window));
    EXPECT_TRUE(markerOf(window).isVisibleTo(&window));
    window.chooseSong(0);
    EXPECT_EQ(Log(player.log.end() - 2, player.log.end()), kSilences);
    EXPECT_FALSE(ticking(window));
    EXPECT_FALSE(markerOf(window).isVisibleTo(&window));
    player.log.clear();
    test::part<QListWidget>(window, "Combo1").setCurrentRow(1);  // as a click or an arrow key does
    window.chooseSong(99);                // no such item: nothing happens
    EXPECT_EQ(player.log, kStartsAbc);
    // Without songs start-up selects silence and plays nothing.
    window.loadSongs(std::nullopt);
    player.log.clear();
    window.startRandomSong(0.5);
    EXPECT_EQ(songsOf(window), QStringList({"(Ticho)"}));
    EXPECT_EQ(player.log, kSilences);
}

TEST_F(MusicWindowTest, StalledSongIsPlayedAgainAfterTwentyStillTicks) {
    window.chooseSong(1);
    EXPECT_EQ(tick(3 * PlaybackWatch::kStallTicks), Log{});  // no length yet: nothing moves
    EXPECT_EQ(markerOf(window).x(), 4);
    player.songLength = 1000;
    player.songPosition = 1000;  // the end
    EXPECT_EQ(tick(PlaybackWatch::kStallTicks), Log{});
    const int strip = window.findChild<QWidget*>("Picture1")->width();
    EXPECT_EQ(markerOf(window).x(), strip + 4);
    EXPECT_EQ(tick(1), kStartsAbc);
    // The song plays from the start again: moving clears the stall, nothing restarts, and the
    // timer goes on moving the marker by itself.
    player.songPosition = 10;
    EXPECT_EQ(tick(1), Log{});
    player.songPosition = 250;
    QTRY_COMPARE_WITH_TIMEOUT(markerOf(window).x(), strip / 4 + 4, 2000);
    EXPECT_EQ(player.log, Log{});
}

// Asking a long song's length walks all its events: it is asked until the player knows it,
// then not again while the song plays, and afresh for the next song.
TEST_F(MusicWindowTest, TheSongLengthIsAskedOncePerSong) {
    window.chooseSong(1);
    tick(5);  // the player has not read the file yet
    EXPECT_EQ(player.lengthAsked, 5);
    player.songLength = 1000;
    for (int i = 0; i < 200; ++i) {
        player.songPosition = 4 * i;
        tick(1);
    }
    EXPECT_EQ(player.lengthAsked, 6);
    EXPECT_GT(markerOf(window).x(), 4);
    window.chooseSong(2);
    player.songLength = 500;
    player.songPosition = 250;
    tick(10);
    EXPECT_EQ(player.lengthAsked, 7);
    const int strip = window.findChild<QWidget*>("Picture1")->width();
    EXPECT_EQ(markerOf(window).x(), strip / 2 + 4);  // the new song's length, not the old one's
}

// A damaged song that reports a length but never moves is reopened once, then left silent
// with the marker standing, instead of being reopened every tick while it stays chosen.
TEST_F(MusicWindowTest, SongThatNeverMovesIsRestartedOnceThenSilenced) {
    window.chooseSong(1);
    player.songLength = 1000;
    player.songPosition = 0;
    int opens = 0;
    for (const std::string& command : tick(10 * PlaybackWatch::kStallTicks))
        opens += command == "open abc.mid" ? 1 : 0;
    EXPECT_EQ(opens, 1);
    EXPECT_EQ(Log(player.log.end() - 2, player.log.end()), kSilences);
    EXPECT_FALSE(ticking(window));
    EXPECT_TRUE(markerOf(window).isVisibleTo(&window));
    EXPECT_EQ(test::part<QListWidget>(window, "Combo1").currentRow(), 1);
    // Choosing it again gives it a fresh chance.
    player.log.clear();
    window.chooseSong(1);
    EXPECT_EQ(player.log, kStartsAbc);
    EXPECT_TRUE(ticking(window));
}

TEST_F(MusicWindowTest, CloseBoxHidesTheWindowAndTheMusicGoesOn) {
    window.chooseSong(1);
    player.log.clear();
    window.toggle();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(window.close());    // the close is refused...
    EXPECT_TRUE(window.isHidden());  // ...and the window hidden
    EXPECT_TRUE(player.log.empty());
    EXPECT_TRUE(ticking(window));
    window.toggle();
    EXPECT_TRUE(window.isVisible());
    window.toggle();
    EXPECT_TRUE(window.isHidden());
}

// The music window's inactive strip shows unless it is active itself; the game window's
// inactive bar shows only when none of the program's windows is active. A destroyed program
// window drops out of the list.
TEST_F(MusicWindowTest, StripsFollowWhichWindowIsActive) {
    QWidget game, other;
    window.show();
    game.show();
    other.show();
    window.addProgramWindow(&game);
    window.addProgramWindow(std::make_unique<QWidget>().get());
    window.activeWindowChanged(nullptr);
    QSignalSpy spy(&window, &MusicWindow::gameBarInactiveChanged);
    const struct {
        const char* what;
        QWindow* active;
        bool stripInactive, gameBarInactive;
    } rows[] = {{"game", game.windowHandle(), true, false},
                {"music", window.windowHandle(), false, false},
                {"another program", nullptr, true, true},
                {"an unlisted window of ours", other.windowHandle(), true, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        window.activeWindowChanged(row.active);
        EXPECT_EQ(inactiveStripShown(window), row.stripInactive);
        EXPECT_EQ(gameBarInactive, row.gameBarInactive);
    }
    EXPECT_EQ(spy.count(), 2);  // only the changes are announced
    // The window system's activation is followed by itself.
    game.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game));
    EXPECT_FALSE(gameBarInactive);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_FALSE(inactiveStripShown(window));
}

// While X has the keyboard grabbed (a move by the caption, a pop-up menu) Qt reports no
// active window; the game's caption stays as it was until the grab ends and the real
// activation is known again.
TEST_F(MusicWindowTest, AKeyboardGrabDoesNotDeactivateTheGameCaption) {
    QWidget game;
    game.show();
    window.addProgramWindow(&game);
    window.activeWindowChanged(game.windowHandle());
    ASSERT_FALSE(gameBarInactive);
    // An X focus event: type, detail, sequence, window, mode.
    const auto focus = [this](std::uint8_t type, std::uint8_t detail, std::uint8_t mode) {
        std::array<std::uint8_t, 32> event{};
        event[0] = type;
        event[1] = detail;
        event[8] = mode;
        qintptr result = 0;
        EXPECT_FALSE(window.nativeEventFilter("xcb_generic_event_t", event.data(), &result));
    };
    constexpr std::uint8_t kIn = 9, kOut = 10, kNonlinear = 3, kPointer = 5;
    focus(kOut, kNonlinear, 1);  // grab
    EXPECT_TRUE(window.keyboardGrabbed());
    window.activeWindowChanged(nullptr);
    EXPECT_FALSE(gameBarInactive);
    focus(kIn, kPointer, 0);  // pointer-only focus events say nothing
    EXPECT_TRUE(window.keyboardGrabbed());
    focus(kIn, kNonlinear, 2);  // ungrab: the focus is back
    EXPECT_FALSE(window.keyboardGrabbed());
    window.activeWindowChanged(game.windowHandle());
    EXPECT_FALSE(gameBarInactive);
    // Without a grab, no active window is another program's.
    focus(kOut, kNonlinear, 0);
    EXPECT_FALSE(window.keyboardGrabbed());
    window.activeWindowChanged(nullptr);
    EXPECT_TRUE(gameBarInactive);
}

// Over the real FluidSynth player without a device: the shipped songs sound and move the
// marker; damaged and empty song files stay silent, leave the marker where it stood and the
// list usable. Loudness counts once the song before has faded.
TEST(MusicWindowWithFluidSynth, ShippedSongsPlayAndBrokenOnesAreSilent) {
    test::TempFolder folder;
    std::filesystem::copy(
        std::filesystem::path(TOMELIN_TEST_DATA_DIR).parent_path().parent_path() / "assets/Zvuk",
        folder.path());
    folder.write("damaged.mid", std::string("MThd\0\0\0\6broken", 14));
    folder.write("empty.mid");
    auto& player = *new FluidMidiPlayer({.output = FluidPlayerOptions::Output::Manual});
    MusicWindow window{std::unique_ptr<MidiPlayer>(&player)};
    player.waitUntilReady();
    window.loadSongs(folder.path());
    ASSERT_GE(songsOf(window).size(), 7);
    for (int item = 1; item < songsOf(window).size(); ++item) {
        SCOPED_TRACE(songsOf(window)[item].toStdString());
        const bool broken = songsOf(window)[item] == "damaged" || songsOf(window)[item] == "empty";
        window.chooseSong(item);
        const int before = markerOf(window).x();
        int peak = 0;
        for (int i = 0; i < 2 * PlaybackWatch::kStallTicks; ++i) {
            const int loudness = player.render(4410);
            peak = i < PlaybackWatch::kStallTicks ? 0 : std::max(peak, loudness);
            window.positionTick();
        }
        EXPECT_EQ(peak > 200, !broken);
        EXPECT_EQ(player.length() > 0, !broken);
        EXPECT_TRUE(broken ? markerOf(window).x() == before : markerOf(window).x() > 4);
    }
    window.chooseSong(0);
    EXPECT_FALSE(ticking(window));
}

}  // namespace
}  // namespace tomelin
