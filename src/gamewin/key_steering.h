#pragma once
// `PL_KeyDown`'s steering logic: keys move the pointer over the board by quarter cells.

namespace tomelin {

// What one key press asks for: the pointer's new position and the action it triggers.
struct KeySteering {
    int x = 0;
    int y = 0;
    bool click = false;        // Insert, Space, keypad 5 or keypad 0: a left-button press
    bool toggleMusic = false;  // "H" while a person is to move: show or hide the music window
    bool takeBack = false;     // "Z" while a person is to move: take back a full move
};

// Key codes are the Windows virtual-key codes (37..40 arrows, 96..105 keypad digits,
// 45 Insert, 32 Space, 72 H, 90 Z). Arrows and the keypad move the pointer by a quarter
// cell (keypad corners move diagonally); each coordinate is rounded halves to even.
KeySteering steerKey(int keyCode, int cursorX, int cursorY, double cellW, double cellH,
                     bool personToMove);

}  // namespace tomelin
