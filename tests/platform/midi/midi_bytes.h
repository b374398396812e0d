#pragma once
// Small MIDI files written byte by byte for the player tests.

#include <string>
#include <vector>

namespace tomelin::test {

// A variable-length quantity as MIDI files store delta times.
inline std::string midiVarLen(unsigned value) {
    std::string bytes(1, static_cast<char>(value & 0x7F));
    while ((value >>= 7) != 0) {
        bytes.insert(bytes.begin(), static_cast<char>((value & 0x7F) | 0x80));
    }
    return bytes;
}

inline std::string bigEndian(unsigned value, int bytes) {
    std::string out;
    for (int i = bytes - 1; i >= 0; --i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
    return out;
}

// A single-track file at 480 ticks a quarter (120 beats a minute by default): one quarter
// note on channel 0 per key, one after another, so the file lasts keys.size() × 480 ticks.
inline std::string midiMelody(const std::vector<int>& keys) {
    std::string track;
    track += std::string("\x00\xC0\x00", 3);  // piano
    for (const int key : keys) {
        track += std::string("\x00\x90", 2) + static_cast<char>(key) + '\x64';
        track += midiVarLen(480) + '\x80' + static_cast<char>(key) + '\x00';
    }
    track += std::string("\x00\xFF\x2F\x00", 4);
    return std::string("MThd") + bigEndian(6, 4) + bigEndian(0, 2) + bigEndian(1, 2) +
           bigEndian(480, 2) + "MTrk" + bigEndian(static_cast<unsigned>(track.size()), 4) + track;
}

}  // namespace tomelin::test
