#pragma once
// `drawToken` (`DRWP2`): the one operation that draws a token (and optionally its board
// field) anywhere.

#include "core/ports.h"
#include "platform/draw/draw_surface.h"

namespace tomelin {

// Shape codes of the token list, in list order ("Obdélník" … "Políčko").
enum TokenShape : int {
    kShapeRectangle = 1,  // "Obdélník"
    kShapeTriangle = 2,   // "Trojúhelník"
    kShapeHexagon = 3,    // "Šestiúhelník"
    kShapeSquares = 4,    // "Čtverečky"
    kShapeOval = 5,       // "Ovál"
    kShapeStar = 6,       // "Hvězda"
    kShapeRings = 7,      // "Kroužky"
    kShapeField = 8,      // "Políčko"
};

// A player's token style (the hidden labels `HR1` and `HR2`): the token colour, the shape code
// and the second colour used for texts, rings, the capture ray and the progress bar.
struct PlayerStyle {
    Rgb colour = rgb(255, 128, 0);
    int shape = kShapeRectangle;
    Rgb secondColour = kWhite;
    bool operator==(const PlayerStyle&) const = default;
};
// The styles a game window starts with.
inline constexpr PlayerStyle kDefaultStyle1{rgb(255, 128, 0), kShapeRectangle, kWhite};
inline constexpr PlayerStyle kDefaultStyle2{rgb(0, 127, 225), kShapeOval, rgb(0, 0, 0)};

// A colour channel value as drawn: nearest whole number (halves to even), within 0 … 255.
int clampChannel(double value);
// Channel c of the token gradient at position f: three quarters of c at 0, white at 1.
int gradientChannel(int c, double f);
Rgb gradientColour(Rgb colour, double f);

// The stored detail setting may yield level 0 (or less); tokens are then drawn at level 1.
inline int drawingDetail(int level) {
    return level < 1 ? 1 : level;
}

// Where a token goes: cell (x, y) of the target, x and y possibly fractional, the cell
// `cellHeight` high and cellHeight / 3 * 4 wide.
struct TokenPlace {
    double x = 0;
    double y = 0;
    double cellHeight = 0;
};

// How a token looks: its shape code and colour, the strength marks of `playerKind` (0 a
// person, 1 … 3 the computer's strength), the detail level that spaces its nested outlines
// (higher is finer; below 1 counts as 1) and whether the raised grey board field is painted
// under it (shape 8 always has it).
struct TokenLook {
    int shape = kShapeRectangle;
    Rgb colour = 0;
    int playerKind = 0;
    int detailLevel = 1;
    bool drawField = false;
};

// `DRWP2`: clears the cell at `place` of `target`, paints the field when the look asks for
// it, then the token and its strength marks, and refreshes the target. `random` places the
// small squares and rings of shapes 4 and 7 anew at every call; it is not reseeded here.
void drawToken(DrawSurface& target, const TokenPlace& place, const TokenLook& look,
               RandomSource& random);

}  // namespace tomelin
