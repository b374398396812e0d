#include "platform/midi/fluid_midi_player.h"

#include <fluidsynth.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <thread>

namespace tomelin {

namespace {
constexpr double kSampleRate = 44100.0;
// FluidSynth's default gain (0.2) leaves General MIDI songs very quiet; this keeps a full
// arrangement of our songs well clear of clipping.
constexpr double kGain = 0.5;
constexpr int kPolyphony = 128;
}  // namespace

struct FluidMidiPlayer::Impl {
    FluidPlayerOptions options;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    // Only touched on the owner's thread, and replaced only while `renderMutex` is held:
    // FluidSynth must not delete a player while its synth renders.
    fluid_player_t* player = nullptr;
    // Written once by the set-up thread, read after joining it.
    fluid_audio_driver_t* driver = nullptr;
    // Held by the audio thread for every block it renders, and by the owner whenever it
    // creates, deletes or reads the player, so the two never meet inside FluidSynth.
    mutable std::mutex renderMutex;
    std::thread setUpThread;
    std::atomic<bool> soundFontLoaded{false};
    std::atomic<bool> hasDevice{false};
    // The soundfont has been read (or failed to be): the device may render the song.
    std::atomic<bool> soundFontTried{false};

    // The audio device's render callback: the synth mixes into the device's buffers.
    static int renderForDevice(void* data, int len, int nfx, float* fx[], int nout, float* out[]) {
        auto* self = static_cast<Impl*>(data);
        const bool live = self->soundFontTried.load();
        for (int i = 0; i < nout; ++i) {
            std::memset(out[i], 0, sizeof(float) * static_cast<std::size_t>(len));
        }
        for (int i = 0; i < nfx; ++i) {
            std::memset(fx[i], 0, sizeof(float) * static_cast<std::size_t>(len));
        }
        // Until the soundfont is in, the song waits (its time runs only as the synth
        // renders), so its first notes are heard.
        if (!live)
            return 0;
        std::lock_guard lock(self->renderMutex);
        return fluid_synth_process(self->synth, len, nfx, fx, nout, out) == FLUID_OK ? 0 : -1;
    }

    // Runs on the set-up thread: the device, then the soundfont, which is read only when
    // something can be heard (its instruments take megabytes). Both may fail; the player
    // then stays silent.
    void setUp() {
        if (options.output == FluidPlayerOptions::Output::Device) {
            for (const std::string& name : options.drivers) {
                fluid_settings_setstr(settings, "audio.driver", name.c_str());
                driver = new_fluid_audio_driver2(settings, &Impl::renderForDevice, this);
                if (driver != nullptr) {
                    hasDevice = true;
                    break;
                }
            }
            if (!hasDevice)
                return;
        }
        if (fluid_is_soundfont(options.soundFont.c_str())) {
            soundFontLoaded =
                fluid_synth_sfload(synth, options.soundFont.c_str(), 1) != FLUID_FAILED;
        }
        soundFontTried = true;
    }

    // Deletes the current player; the caller holds `renderMutex`.
    void dropPlayerLocked() {
        if (player == nullptr) {
            return;
        }
        fluid_player_stop(player);
        delete_fluid_player(player);
        player = nullptr;
        // The player's own release only happens inside its next callback, which will not
        // come any more: let go of whatever still sounds.
        fluid_synth_all_notes_off(synth, -1);
    }
};

FluidMidiPlayer::FluidMidiPlayer(FluidPlayerOptions options) : m_impl(std::make_unique<Impl>()) {
    Impl& d = *m_impl;
    d.options = std::move(options);
    d.settings = new_fluid_settings();
    // The player follows the rendered samples, so the song waits for the device rather than
    // running ahead of it, and it stands still when nothing renders.
    fluid_settings_setstr(d.settings, "player.timing-source", "sample");
    fluid_settings_setnum(d.settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(d.settings, "synth.threadsafe-api", 1);
    fluid_settings_setnum(d.settings, "synth.gain", kGain);
    // Only the samples of the instruments a song selects are read into memory, not the whole
    // soundfont: several megabytes less for the whole run.
    fluid_settings_setint(d.settings, "synth.dynamic-sample-loading", 1);
    // The songs sound at most about 90 voices at once (notes with their release tails): half
    // the 256 FluidSynth keeps ready by default leaves room and no voice is stolen.
    fluid_settings_setint(d.settings, "synth.polyphony", kPolyphony);
    d.synth = new_fluid_synth(d.settings);
    if (d.synth == nullptr) {
        return;
    }
    d.setUpThread = std::thread([&d] { d.setUp(); });
}

FluidMidiPlayer::~FluidMidiPlayer() {
    Impl& d = *m_impl;
    waitUntilReady();
    // The device goes first: after this no thread renders, so the player may be deleted.
    if (d.driver != nullptr) {
        delete_fluid_audio_driver(d.driver);
        d.driver = nullptr;
    }
    {
        std::lock_guard lock(d.renderMutex);
        if (d.synth != nullptr) {
            d.dropPlayerLocked();
        }
    }
    if (d.synth != nullptr) {
        delete_fluid_synth(d.synth);
    }
    delete_fluid_settings(d.settings);
}

bool FluidMidiPlayer::open(const std::string& path) {
    Impl& d = *m_impl;
    close();
    if (d.synth == nullptr) {
        return false;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || !fluid_is_midifile(path.c_str())) {
        return false;
    }
    std::lock_guard lock(d.renderMutex);
    d.player = new_fluid_player(d.synth);
    if (d.player == nullptr) {
        return false;
    }
    // FluidSynth reads the file when playback starts; a file damaged past its header then
    // ends at once with length 0, which is silence, not an error.
    if (fluid_player_add(d.player, path.c_str()) != FLUID_OK) {
        d.dropPlayerLocked();
        return false;
    }
    return true;
}

void FluidMidiPlayer::play() {
    Impl& d = *m_impl;
    std::lock_guard lock(d.renderMutex);
    if (d.player != nullptr) {
        fluid_player_play(d.player);
    }
}

void FluidMidiPlayer::stop() {
    Impl& d = *m_impl;
    std::lock_guard lock(d.renderMutex);
    if (d.player != nullptr) {
        fluid_player_stop(d.player);
        fluid_synth_all_notes_off(d.synth, -1);
    }
}

void FluidMidiPlayer::close() {
    Impl& d = *m_impl;
    std::lock_guard lock(d.renderMutex);
    d.dropPlayerLocked();
}

long FluidMidiPlayer::length() const {
    const Impl& d = *m_impl;
    std::lock_guard lock(d.renderMutex);
    if (d.player == nullptr) {
        return 0;
    }
    return std::max(0, fluid_player_get_total_ticks(d.player));
}

long FluidMidiPlayer::position() const {
    const Impl& d = *m_impl;
    std::lock_guard lock(d.renderMutex);
    if (d.player == nullptr) {
        return 0;
    }
    // The player keeps counting for a while after the last note; the position a window
    // shows must stay on the medium.
    const long total = std::max(0, fluid_player_get_total_ticks(d.player));
    const long tick = fluid_player_get_current_tick(d.player);
    return std::clamp(tick, 0L, total);
}

int FluidMidiPlayer::render(int frames) {
    Impl& d = *m_impl;
    if (d.options.output != FluidPlayerOptions::Output::Manual || d.synth == nullptr ||
        frames <= 0) {
        return 0;
    }
    std::vector<std::int16_t> buffer(static_cast<std::size_t>(frames) * 2);
    {
        std::lock_guard lock(d.renderMutex);
        fluid_synth_write_s16(d.synth, frames, buffer.data(), 0, 2, buffer.data(), 1, 2);
    }
    int peak = 0;
    for (const std::int16_t sample : buffer) {
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    }
    return peak;
}

int FluidMidiPlayer::sampleRate() const {
    return static_cast<int>(kSampleRate);
}

void FluidMidiPlayer::waitUntilReady() {
    if (m_impl->setUpThread.joinable()) {
        m_impl->setUpThread.join();
    }
}

bool FluidMidiPlayer::soundFontLoaded() const {
    return m_impl->soundFontLoaded;
}

bool FluidMidiPlayer::hasAudioDevice() const {
    return m_impl->hasDevice;
}

}  // namespace tomelin
