#pragma once
// The one way the program plays music: a MIDI file player with the four commands the music
// window issues and the playing position it shows.

#include <string>

namespace tomelin {

// Plays one MIDI file at a time. Every command is synchronous and never fails loudly: a file
// that cannot be played simply stays silent with length 0, which is how the music window
// learns that nothing moves. Length and position share one unit (MIDI ticks here).
class MidiPlayer {
public:
    virtual ~MidiPlayer() = default;

    // "Open": makes `path` the current file (closing any previous one). Returns false when the
    // file is missing or not a MIDI file; the player is then closed and silent.
    virtual bool open(const std::string& path) = 0;
    // "Play": starts the open file from where it stands (from the start after `open`).
    virtual void play() = 0;
    // "Stop": halts playback and releases sounding notes; the file stays open.
    virtual void stop() = 0;
    // "Close": stops and forgets the current file. Closing when nothing is open does nothing.
    virtual void close() = 0;

    // The open medium's length, 0 while nothing is open or the file has not (yet) been read.
    virtual long length() const = 0;
    // The playing position, never beyond `length()`.
    virtual long position() const = 0;
};

}  // namespace tomelin
