#include "setup/widgets/music_window.h"

#include <gtest/gtest.h>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/midi/fluid_midi_player.h"

namespace tomelin {
namespace {

namespace fs = std::filesystem;

// Records the commands the window gives; length and position are set by the test.
class FakePlayer : public MidiPlayer {
public:
    struct State {
        std::vector<std::string> log;
        long length = 0;
        long position = 0;
    };
    explicit FakePlayer(State& state) : m_state(state) {}
    bool open(const std::string& path) override {
        m_state.log.push_back("open " + fs::path(path).filename().string());
        return true;
    }
    void play() override { m_state.log.push_back("play"); }
    void stop() override { m_state.log.push_back("stop"); }
    void close() override { m_state.log.push_back("close"); }
    long length() const override { return m_state.length; }
    long position() const override { return m_state.position; }

private:
    State& m_state;
};

class SongFolder {
public:
    SongFolder() {
        std::random_device seed;
        m_path = fs::temp_directory_path() / ("tomelin-music-" + std::to_string(seed()));
        fs::create_directories(m_path);
    }
    ~SongFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    fs::path add(const std::string& name, const std::string& bytes = "MThd") const {
        std::ofstream(m_path / name, std::ios::binary) << bytes;
        return m_path / name;
    }
    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

using Log = std::vector<std::string>;

class MusicWindow : public ::testing::Test {
protected:
    MusicWindow() : window(std::make_unique<FakePlayer>(player)) {
        folder.add("Bratře Kubo.mid");
        folder.add("abc.mid");
        window.loadSongs(folder.path());
    }

    // Starts song `item` and forgets the commands that took.
    void startSong(int item) {
        window.chooseSong(item);
        player.log.clear();
    }

    SongFolder folder;
    FakePlayer::State player;
    MPlay window;
};

TEST_F(MusicWindow, IsTitledAndListsSilenceThenTheSongs) {
    EXPECT_EQ(window.windowTitle(), QString("Hudba ke Tomelinu"));
    EXPECT_EQ(window.songs(), QStringList({"(Ticho)", "abc", "Bratře Kubo"}));
    window.loadSongs(std::nullopt);
    EXPECT_EQ(window.songs(), QStringList({"(Ticho)"}));
}

TEST_F(MusicWindow, RandomSongIsNeverSilenceAndStartsPlaying) {
    window.startRandomSong(0.0);
    EXPECT_EQ(window.currentItem(), 1);
    EXPECT_EQ(player.log, (Log{"close", "open abc.mid", "play"}));
    EXPECT_TRUE(window.positionTimerActive());
    EXPECT_TRUE(window.markerVisible());
    window.startRandomSong(0.999);
    EXPECT_EQ(window.currentItem(), 2);
    EXPECT_EQ(player.log.back(), "play");
    EXPECT_EQ(player.log[player.log.size() - 2], "open Bratře Kubo.mid");
}

TEST_F(MusicWindow, OneSongIsAlwaysTheRandomChoice) {
    SongFolder single;
    single.add("abc.mid");
    window.loadSongs(single.path());
    for (const double r : {0.0, 0.5, 0.999}) {
        window.startRandomSong(r);
        EXPECT_EQ(window.currentItem(), 1);
    }
}

TEST_F(MusicWindow, WithoutSongsStartUpSelectsSilenceAndPlaysNothing) {
    window.loadSongs(std::nullopt);
    window.startRandomSong(0.5);
    EXPECT_EQ(window.currentItem(), 0);
    EXPECT_EQ(player.log, (Log{"stop", "close"}));
    EXPECT_FALSE(window.positionTimerActive());
    EXPECT_FALSE(window.markerVisible());
}

TEST_F(MusicWindow, SilenceStopsTheSongAndHidesTheMarker) {
    startSong(2);
    window.chooseSong(0);
    EXPECT_EQ(player.log, (Log{"stop", "close"}));
    EXPECT_FALSE(window.markerVisible());
    EXPECT_FALSE(window.positionTimerActive());
    // A song chosen afterwards starts again from its beginning.
    player.log.clear();
    window.chooseSong(1);
    EXPECT_EQ(player.log, (Log{"close", "open abc.mid", "play"}));
    EXPECT_TRUE(window.markerVisible());
}

TEST_F(MusicWindow, ChoosingInTheListStartsTheSongOnce) {
    window.songList()->setCurrentRow(2);  // as a click or an arrow key does
    EXPECT_EQ(player.log, (Log{"close", "open Bratře Kubo.mid", "play"}));
    window.chooseSong(99);  // no such item: nothing happens
    EXPECT_EQ(player.log.size(), 3u);
}

TEST_F(MusicWindow, MarkerFollowsThePosition) {
    startSong(1);
    player.length = 1000;
    player.position = 500;
    window.positionTick();
    EXPECT_EQ(window.markerLeft(), 145 * 500 / 1000 + 4);
    player.position = 1000;
    window.positionTick();
    EXPECT_EQ(window.markerLeft(), 145 + 4);
}

TEST_F(MusicWindow, StalledSongIsPlayedAgainAfterTwentyStillTicks) {
    startSong(1);
    player.length = 1000;
    player.position = 1000;  // the end
    window.positionTick();   // moved from the start
    for (int i = 1; i < PlaybackWatch::kStallTicks; ++i) {
        window.positionTick();
    }
    EXPECT_TRUE(player.log.empty());
    window.positionTick();
    EXPECT_EQ(player.log, (Log{"close", "open abc.mid", "play"}));
    EXPECT_TRUE(window.positionTimerActive());
    // The song plays from the start again: moving clears the stall, nothing restarts.
    player.log.clear();
    player.position = 10;
    window.positionTick();
    player.position = 20;
    window.positionTick();
    EXPECT_TRUE(player.log.empty());
}

TEST_F(MusicWindow, FileWithoutLengthNeverMovesOrRestarts) {
    startSong(1);
    for (int i = 0; i < 3 * PlaybackWatch::kStallTicks; ++i) {
        window.positionTick();
    }
    EXPECT_TRUE(player.log.empty());
    EXPECT_EQ(window.markerLeft(), 4);
}

TEST_F(MusicWindow, PositionTimerRunsOnItsOwn) {
    startSong(1);
    player.length = 1000;
    player.position = 250;
    QTRY_COMPARE_WITH_TIMEOUT(window.markerLeft(), 145 / 4 + 4, 2000);
}

TEST_F(MusicWindow, CloseBoxHidesTheWindowAndTheMusicGoesOn) {
    startSong(1);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_FALSE(window.close());    // the close is refused...
    EXPECT_TRUE(window.isHidden());  // ...and the window hidden
    EXPECT_TRUE(player.log.empty());
    EXPECT_TRUE(window.positionTimerActive());
    EXPECT_EQ(window.currentItem(), 1);
}

TEST_F(MusicWindow, ToggleShowsAndHides) {
    EXPECT_TRUE(window.isHidden());
    window.toggle();
    EXPECT_TRUE(window.isVisible());
    window.toggle();
    EXPECT_TRUE(window.isHidden());
}

class MusicWindowStrips : public MusicWindow {
protected:
    MusicWindowStrips() {
        window.addProgramWindow(&game);
        window.show();
        game.show();
        other.show();
    }
    QWidget game;
    QWidget other;
};

TEST_F(MusicWindowStrips, GameWindowActiveMeansInactiveMusicStripOnly) {
    window.activeWindowChanged(game.windowHandle());
    EXPECT_TRUE(window.inactiveStripVisible());
    EXPECT_FALSE(window.gameBarInactive());
}

TEST_F(MusicWindowStrips, MusicWindowActiveShowsBothActive) {
    window.activeWindowChanged(window.windowHandle());
    EXPECT_FALSE(window.inactiveStripVisible());
    EXPECT_FALSE(window.gameBarInactive());
}

TEST_F(MusicWindowStrips, AnotherProgramActiveShowsBothInactive) {
    QSignalSpy spy(&window, &MPlay::gameBarInactiveChanged);
    window.activeWindowChanged(game.windowHandle());
    window.activeWindowChanged(nullptr);
    EXPECT_TRUE(window.inactiveStripVisible());
    EXPECT_TRUE(window.gameBarInactive());
    // An unlisted window of ours (say the board editor) counts like another program.
    window.activeWindowChanged(other.windowHandle());
    EXPECT_TRUE(window.gameBarInactive());
    ASSERT_EQ(spy.count(), 2);  // only the changes are announced
    EXPECT_EQ(spy.at(0).at(0).toBool(), false);
    EXPECT_EQ(spy.at(1).at(0).toBool(), true);
}

TEST_F(MusicWindowStrips, DestroyedProgramWindowDropsOut) {
    auto about = std::make_unique<QWidget>();
    about->show();
    window.addProgramWindow(about.get());
    QWindow* handle = about->windowHandle();
    window.activeWindowChanged(handle);
    EXPECT_FALSE(window.gameBarInactive());
    about.reset();
    window.activeWindowChanged(game.windowHandle());
    EXPECT_FALSE(window.gameBarInactive());
    window.activeWindowChanged(nullptr);
    EXPECT_TRUE(window.gameBarInactive());
}

TEST_F(MusicWindowStrips, FollowsTheWindowSystemsActivation) {
    game.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game));
    EXPECT_FALSE(window.gameBarInactive());
    EXPECT_TRUE(window.inactiveStripVisible());
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_FALSE(window.inactiveStripVisible());
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(window.gameBarInactive());
    EXPECT_TRUE(window.inactiveStripVisible());
}

// The window over the real FluidSynth player without a device: damaged and empty song files
// stay silent and leave the list usable.
TEST(MusicWindowWithFluidSynth, DamagedAndEmptySongsAreSilentAndHarmless) {
    SongFolder folder;
    folder.add("damaged.mid", std::string("MThd\0\0\0\6broken", 14));
    folder.add("empty.mid", "");
    FluidPlayerOptions options;
    options.output = FluidPlayerOptions::Output::Manual;
    auto owned = std::make_unique<FluidMidiPlayer>(options);
    FluidMidiPlayer& player = *owned;
    MPlay window(std::move(owned));
    window.loadSongs(folder.path());
    ASSERT_EQ(window.songs(), QStringList({"(Ticho)", "damaged", "empty"}));
    for (const int item : {1, 2, 1}) {
        window.chooseSong(item);
        for (int i = 0; i < 2 * PlaybackWatch::kStallTicks; ++i) {
            player.render(4410);
            window.positionTick();
        }
        EXPECT_EQ(player.length(), 0);
        EXPECT_EQ(window.markerLeft(), 4);
    }
    window.chooseSong(0);
    EXPECT_FALSE(window.positionTimerActive());
}

}  // namespace
}  // namespace tomelin
