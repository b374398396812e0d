#pragma once
// The MIDI player built on FluidSynth and the TimGM6mb General MIDI soundfont.

#include <memory>
#include <string>
#include <vector>

#include "platform/midi/midi_player.h"

namespace tomelin {

// The soundfont named explicitly: Debian's "default-GM" links follow whatever else is
// installed, and the music should sound the same on every machine.
inline constexpr const char* kTimGm6mbSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

struct FluidPlayerOptions {
    enum class Output {
        // The system's audio device, looked for in the background; none found means silence.
        Device,
        // No device: playback advances only through FluidMidiPlayer::render (tests).
        Manual,
    };
    Output output = Output::Device;
    std::string soundFont = kTimGm6mbSoundFont;
    // Audio drivers tried in this order. JACK is left out on purpose: it may try to start a
    // sound server of its own.
    std::vector<std::string> drivers = {"pulseaudio", "alsa"};
};

// Plays MIDI files through FluidSynth. The audio device is opened and the soundfont read on
// a background thread, so constructing the player never waits; a song started before then
// begins as soon as both are there. Without a device (a headless machine, a busy card) the
// player is silent, reads no soundfont and its position stays at 0 — nothing blocks,
// nothing crashes.
class FluidMidiPlayer final : public MidiPlayer {
public:
    explicit FluidMidiPlayer(FluidPlayerOptions options = {});
    ~FluidMidiPlayer() override;
    FluidMidiPlayer(const FluidMidiPlayer&) = delete;
    FluidMidiPlayer& operator=(const FluidMidiPlayer&) = delete;

    bool open(const std::string& path) override;
    void play() override;
    void stop() override;
    void close() override;
    long length() const override;
    long position() const override;

    // Manual output only (does nothing otherwise): renders `frames` stereo frames, moving
    // playback on by that much time. Returns the loudest sample's magnitude (0 = silence).
    int render(int frames);
    // The sample rate `render` works at.
    int sampleRate() const;

    // Waits for the background set-up (soundfont and audio device) to finish.
    void waitUntilReady();
    bool soundFontLoaded() const;
    bool hasAudioDevice() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace tomelin
