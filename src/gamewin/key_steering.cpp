#include "gamewin/key_steering.h"

#include <initializer_list>

#include "core/rounding.h"

namespace tomelin {

namespace {

bool isOneOf(int key, std::initializer_list<int> keys) {
    for (int k : keys) {
        if (k == key)
            return true;
    }
    return false;
}

}  // namespace

KeySteering steerKey(int keyCode, int cursorX, int cursorY, double cellW, double cellH,
                     bool personToMove) {
    double x = cursorX;
    double y = cursorY;
    if (isOneOf(keyCode, {37, 103, 100, 97}))
        x -= cellW / 4;
    if (isOneOf(keyCode, {39, 105, 102, 99}))
        x += cellW / 4;
    if (isOneOf(keyCode, {38, 105, 104, 103}))
        y -= cellH / 4;
    if (isOneOf(keyCode, {40, 99, 98, 97}))
        y += cellH / 4;
    KeySteering r;
    r.x = static_cast<int>(roundHalfEven(x));
    r.y = static_cast<int>(roundHalfEven(y));
    r.click = isOneOf(keyCode, {45, 32, 101, 96});
    r.toggleMusic = personToMove && keyCode == 72;
    r.takeBack = personToMove && keyCode == 90;
    return r;
}

}  // namespace tomelin
