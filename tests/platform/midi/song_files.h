#pragma once
// Throw-away song folders and small MIDI files written byte by byte, for the music tests.

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace tomelin::test {

// A single-track file at 480 ticks a quarter (120 beats a minute by default): one piano
// quarter note per key, one after another, so the file lasts keys.size() × 480 ticks.
inline std::string midiMelody(const std::vector<int>& keys) {
    std::string track("\x00\xC0\x00", 3);
    for (const int key : keys) {
        // Note on at once, note off 480 ticks later (0x83 0x60 as a variable-length number).
        track += std::string("\x00\x90", 2) + static_cast<char>(key) + "\x64\x83\x60\x80" +
                 static_cast<char>(key) + '\0';
    }
    track += std::string("\x00\xFF\x2F\x00", 4);
    // Header: 6 bytes, format 0, one track, 480 ticks a quarter; then the track (< 64 KiB).
    return std::string("MThd\0\0\0\6\0\0\0\1\1\xE0MTrk\0\0", 20) +
           static_cast<char>(track.size() >> 8) + static_cast<char>(track.size() & 0xFF) + track;
}

}  // namespace tomelin::test
