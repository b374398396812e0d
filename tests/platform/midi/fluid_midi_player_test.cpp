#include "platform/midi/fluid_midi_player.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/midi/song_files.h"

namespace tomelin {
namespace {

using test::midiMelody;

// FluidSynth dithers its 16-bit output, so silence reads as a sample value of a step or two.
constexpr int kSilence = 8;
constexpr int kAudible = 200;
constexpr long kQuarter = 480;
constexpr auto kManual = FluidPlayerOptions::Output::Manual;

// Renders `seconds` of audio in blocks and returns the loudest sample heard.
int renderSeconds(FluidMidiPlayer& player, double seconds) {
    int peak = 0;
    for (int i = 0; i < static_cast<int>(seconds * player.sampleRate() / 1024); ++i) {
        peak = std::max(peak, player.render(1024));
    }
    return peak;
}

class FluidPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { player.waitUntilReady(); }

    test::TempFolder temp;
    FluidMidiPlayer player{{.output = kManual}};
    const std::string fourQuarters = temp.write("four.mid", midiMelody({60, 64, 67, 72}));
};

TEST_F(FluidPlayerTest, PlaysStopsGoesOnHoldsAtTheEndAndForgetsOnClose) {
    ASSERT_TRUE(player.open(fourQuarters));
    EXPECT_EQ(player.length(), 0);  // the file is read when playback starts
    player.play();
    EXPECT_GT(renderSeconds(player, 0.5), kAudible);
    const long early = player.position();
    EXPECT_GT(early, 0);
    player.stop();
    renderSeconds(player, 0.5);
    EXPECT_EQ(player.position(), early);
    player.play();
    renderSeconds(player, 6.0);  // the rest of the notes, then FluidSynth's own tail
    EXPECT_EQ(player.position(), 4 * kQuarter);
    EXPECT_EQ(player.length(), 4 * kQuarter);
    ASSERT_TRUE(player.open(temp.write("two.mid", midiMelody({48, 50}))));
    player.play();
    renderSeconds(player, 0.1);
    EXPECT_EQ(player.length(), 2 * kQuarter);
    EXPECT_LT(player.position(), 200);  // from its beginning
    player.close();
    EXPECT_EQ(player.length(), 0);
    EXPECT_EQ(player.position(), 0);
    player.close();              // closing twice is harmless
    player.play();               // and so is playing with nothing open
    renderSeconds(player, 1.0);  // the released notes fade
    EXPECT_LE(renderSeconds(player, 0.2), kSilence);
}

// Every unplayable file ends the song before it (within the 2 s that song would still last)
// and stays silent with length 0; opening checks only the first bytes, so a damaged track
// opens and fails when played.
TEST_F(FluidPlayerTest, UnplayableFilesAreSilentWithLengthZero) {
    std::string cut = midiMelody({60, 62, 64, 65, 67});
    cut.resize(cut.size() - 20);
    const struct {
        const char* what;
        std::string path;
        bool opens;
    } files[] = {
        {"damaged track",
         temp.write("bad.mid", std::string("MThd\0\0\0\6\0\0\0\1\1\xE0garbage", 21)), true},
        {"truncated track", temp.write("cut.mid", cut), true},
        {"empty", temp.write("empty.mid"), false},
        {"not MIDI", temp.write("text.mid", "just some words"), false},
        {"missing", temp.path() / "missing.mid", false},
        {"a folder", temp.path(), false},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.what);
        ASSERT_TRUE(player.open(fourQuarters));
        player.play();
        renderSeconds(player, 0.3);
        EXPECT_EQ(player.open(file.path), file.opens);
        player.play();
        renderSeconds(player, 1.0);  // the released notes fade
        EXPECT_LE(renderSeconds(player, 0.5), kSilence);
        EXPECT_EQ(player.length(), 0);
        EXPECT_EQ(player.position(), 0);
    }
}

// Without the soundfont the song still runs, silently; without an audio device the player
// never blocks and only manual output renders.
TEST_F(FluidPlayerTest, MissingSoundFontOrAudioDeviceLeavesItSilent) {
    FluidMidiPlayer noFont({.output = kManual, .soundFont = temp.path() / "none.sf2"});
    noFont.waitUntilReady();
    EXPECT_FALSE(noFont.soundFontLoaded());
    ASSERT_TRUE(noFont.open(fourQuarters));
    noFont.play();
    EXPECT_LE(renderSeconds(noFont, 0.5), kSilence);
    EXPECT_GT(noFont.position(), 0);
    FluidMidiPlayer noDevice({.drivers = {"no-such-driver"}});
    ASSERT_TRUE(noDevice.open(fourQuarters));
    noDevice.play();
    noDevice.waitUntilReady();
    EXPECT_FALSE(noDevice.hasAudioDevice());
    EXPECT_FALSE(noDevice.soundFontLoaded());  // nothing to hear it with: not read
    EXPECT_EQ(noDevice.render(1024), 0);
    EXPECT_EQ(noDevice.position(), 0);
}

// An audio device renders on its own thread while the window changes songs; the player must
// never delete a song while the synth renders it (run under the sanitizers in CI). Rendering
// starts while the soundfont still loads, and the player is destroyed while playing.
TEST_F(FluidPlayerTest, SurvivesSongChangesWhileAnotherThreadRenders) {
    const std::string songs[] = {fourQuarters, temp.write("two.mid", midiMelody({62, 65}))};
    FluidMidiPlayer racing({.output = kManual});
    std::atomic<bool> running{true};
    std::thread device([&] {
        while (running) {
            racing.render(64);
        }
    });
    for (int i = 0; i < 200; ++i) {
        racing.open(songs[i % 2]);
        racing.play();
        (void)racing.position();
        (void)racing.length();
        if (i % 3 == 0) {
            racing.stop();
        }
        if (i % 5 == 0) {
            racing.close();
        }
    }
    running = false;
    device.join();
    racing.waitUntilReady();
    ASSERT_TRUE(racing.open(songs[0]));  // still in working order
    racing.play();
    EXPECT_GT(renderSeconds(racing, 0.5), kAudible);
}

}  // namespace
}  // namespace tomelin
