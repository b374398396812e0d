#include "platform/midi/fluid_midi_player.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/midi/midi_bytes.h"
#include "platform/midi/temp_folder.h"

namespace tomelin {
namespace {

using test::midiMelody;
using test::TempFolder;

// FluidSynth dithers its 16-bit output, so silence reads as a sample value of a step or two.
constexpr int kSilence = 8;
constexpr int kAudible = 200;

FluidPlayerOptions manual() {
    FluidPlayerOptions options;
    options.output = FluidPlayerOptions::Output::Manual;
    return options;
}

// Renders `seconds` of audio in blocks and returns the loudest sample heard.
int renderSeconds(FluidMidiPlayer& player, double seconds) {
    int peak = 0;
    const int blocks = static_cast<int>(seconds * player.sampleRate() / 1024);
    for (int i = 0; i < blocks; ++i) {
        peak = std::max(peak, player.render(1024));
    }
    return peak;
}

class FluidPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { player.waitUntilReady(); }

    TempFolder temp;
    FluidMidiPlayer player{manual()};
    const std::string fourQuarters = temp.write("four.mid", midiMelody({60, 64, 67, 72})).string();
};

TEST_F(FluidPlayerTest, LoadsTheSoundFontWithoutAnAudioDevice) {
    EXPECT_TRUE(player.soundFontLoaded());
    EXPECT_FALSE(player.hasAudioDevice());
}

TEST_F(FluidPlayerTest, PlaysAValidFileAudiblyAndMovesOn) {
    ASSERT_TRUE(player.open(fourQuarters));
    EXPECT_EQ(player.length(), 0);  // the file is read when playback starts
    player.play();
    EXPECT_GT(renderSeconds(player, 0.5), kAudible);
    EXPECT_EQ(player.length(), 4 * 480);
    const long early = player.position();
    EXPECT_GT(early, 0);
    renderSeconds(player, 0.5);
    EXPECT_GT(player.position(), early);
}

TEST_F(FluidPlayerTest, PositionStopsAtTheEndAndStaysThere) {
    ASSERT_TRUE(player.open(fourQuarters));
    player.play();
    renderSeconds(player, 6.0);  // 2 s of notes, then FluidSynth's own tail
    EXPECT_EQ(player.position(), player.length());
    renderSeconds(player, 1.0);
    EXPECT_EQ(player.position(), 4 * 480);
}

TEST_F(FluidPlayerTest, StopHoldsThePositionAndPlayGoesOn) {
    ASSERT_TRUE(player.open(fourQuarters));
    player.play();
    renderSeconds(player, 0.6);
    player.stop();
    renderSeconds(player, 0.1);
    const long held = player.position();
    renderSeconds(player, 0.5);
    EXPECT_EQ(player.position(), held);
    EXPECT_EQ(player.length(), 4 * 480);
    player.play();
    renderSeconds(player, 0.3);
    EXPECT_GT(player.position(), held);
}

TEST_F(FluidPlayerTest, CloseForgetsTheFile) {
    ASSERT_TRUE(player.open(fourQuarters));
    player.play();
    renderSeconds(player, 0.5);
    player.close();
    EXPECT_EQ(player.length(), 0);
    EXPECT_EQ(player.position(), 0);
    player.close();  // closing twice is harmless
    player.play();   // and so is playing with nothing open
    renderSeconds(player, 0.2);
    EXPECT_EQ(player.length(), 0);
}

TEST_F(FluidPlayerTest, OpeningAnotherFileStartsItFromTheBeginning) {
    const std::string two = temp.write("two.mid", midiMelody({48, 50})).string();
    ASSERT_TRUE(player.open(fourQuarters));
    player.play();
    renderSeconds(player, 1.2);
    ASSERT_TRUE(player.open(two));
    player.play();
    renderSeconds(player, 0.1);
    EXPECT_EQ(player.length(), 2 * 480);
    EXPECT_LT(player.position(), 200);
}

TEST_F(FluidPlayerTest, DamagedFileIsSilentWithLengthZero) {
    const std::string damaged =
        temp.write("damaged.mid", std::string("MThd\x00\x00\x00\x06garbage-not-a-track", 26))
            .string();
    EXPECT_TRUE(player.open(damaged));  // only the header is checked before playing
    player.play();
    EXPECT_LE(renderSeconds(player, 0.5), kSilence);
    EXPECT_EQ(player.length(), 0);
    EXPECT_EQ(player.position(), 0);
}

TEST_F(FluidPlayerTest, TruncatedTrackIsSilent) {
    std::string bytes = midiMelody({60, 62, 64, 65, 67});
    bytes.resize(bytes.size() - 20);
    const std::string cut = temp.write("cut.mid", bytes).string();
    player.open(cut);
    player.play();
    renderSeconds(player, 0.5);
    EXPECT_EQ(player.length(), 0);
    EXPECT_EQ(player.position(), 0);
}

TEST_F(FluidPlayerTest, EmptyMissingAndNonMidiFilesDoNotOpen) {
    EXPECT_FALSE(player.open(temp.write("empty.mid", "").string()));
    EXPECT_FALSE(player.open(temp.write("text.mid", "just some words").string()));
    EXPECT_FALSE(player.open((temp.path() / "missing.mid").string()));
    EXPECT_FALSE(player.open(temp.path().string()));
    player.play();
    EXPECT_LE(renderSeconds(player, 0.2), kSilence);
    EXPECT_EQ(player.length(), 0);
}

TEST_F(FluidPlayerTest, AFailedOpenClosesThePreviousSong) {
    ASSERT_TRUE(player.open(fourQuarters));
    player.play();
    renderSeconds(player, 0.5);
    EXPECT_FALSE(player.open(temp.write("empty.mid", "").string()));
    EXPECT_EQ(player.length(), 0);
}

TEST(FluidPlayer, MissingSoundFontPlaysOnSilently) {
    TempFolder temp;
    FluidPlayerOptions options = manual();
    options.soundFont = (temp.path() / "none.sf2").string();
    FluidMidiPlayer player(options);
    player.waitUntilReady();
    EXPECT_FALSE(player.soundFontLoaded());
    ASSERT_TRUE(player.open(temp.write("a.mid", midiMelody({60, 62})).string()));
    player.play();
    EXPECT_LE(renderSeconds(player, 0.5), kSilence);
    EXPECT_EQ(player.length(), 2 * 480);
    EXPECT_GT(player.position(), 0);
}

TEST(FluidPlayer, WithoutAnyAudioDeviceItStaysSilentAndNeverBlocks) {
    TempFolder temp;
    FluidPlayerOptions options;
    options.drivers = {"no-such-driver"};
    FluidMidiPlayer player(options);
    ASSERT_TRUE(player.open(temp.write("a.mid", midiMelody({60, 62})).string()));
    player.play();
    player.waitUntilReady();
    EXPECT_FALSE(player.hasAudioDevice());
    EXPECT_EQ(player.render(1024), 0);  // only manual output renders on demand
    EXPECT_EQ(player.position(), 0);
    player.stop();
    player.close();
}

TEST(FluidPlayer, DestroyedWhilePlayingAndStillSettingUp) {
    TempFolder temp;
    const std::string song = temp.write("a.mid", midiMelody({60, 62, 64})).string();
    for (int i = 0; i < 3; ++i) {
        FluidMidiPlayer player(manual());
        ASSERT_TRUE(player.open(song));
        player.play();
        player.render(256);
    }
}

// An audio device renders on its own thread while the window changes songs; the player must
// never delete a song while the synth renders it (run under the sanitizers in CI).
TEST(FluidPlayer, SurvivesSongChangesWhileAnotherThreadRenders) {
    TempFolder temp;
    const std::string a = temp.write("a.mid", midiMelody({60, 64, 67})).string();
    const std::string b = temp.write("b.mid", midiMelody({62, 65})).string();
    FluidMidiPlayer player(manual());
    std::atomic<bool> running{true};
    std::thread device([&] {
        while (running) {
            player.render(64);
        }
    });
    for (int i = 0; i < 200; ++i) {
        player.open(i % 2 == 0 ? a : b);
        player.play();
        (void)player.position();
        (void)player.length();
        if (i % 3 == 0) {
            player.stop();
        }
        if (i % 5 == 0) {
            player.close();
        }
    }
    running = false;
    device.join();
    player.close();
    EXPECT_EQ(player.length(), 0);
}

// The songs shipped with the program load and sound.
TEST(ShippedSongs, EachSongHasLengthAndSound) {
    // The test data folder is <source>/tests/data; the songs live in <source>/assets/Zvuk.
    const std::filesystem::path folder =
        std::filesystem::path(TOMELIN_TEST_DATA_DIR).parent_path().parent_path() / "assets" /
        "Zvuk";
    FluidMidiPlayer player(manual());
    player.waitUntilReady();
    int songs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".mid") {
            continue;
        }
        ++songs;
        SCOPED_TRACE(entry.path().string());
        ASSERT_TRUE(player.open(entry.path().string()));
        player.play();
        EXPECT_GT(renderSeconds(player, 3.0), kAudible);
        EXPECT_GT(player.length(), 0);
        EXPECT_GT(player.position(), 0);
    }
    EXPECT_GE(songs, 4);
}

}  // namespace
}  // namespace tomelin
