#pragma once
// `Score`'s display part: the two shaded parts of the score bar and the texts over it.

#include <string>

#include "core/ports.h"
#include "platform/draw/draw_surface.h"

namespace tomelin {

// What the three labels over the score bar show for counts a (player 1) and b (player 2).
struct ScoreTexts {
    std::string difference;         // `PLS`: |b - a|, or "Vyrovnáno" for equal counts
    Rgb differenceColour = 0;       // the leading player's token colour, black when equal
    bool differenceVisible = true;  // hidden once a side has no tokens
    std::string count1;             // `PL1S`: " " + a
    std::string count2;             // `PL2S`: b + " "
};
ScoreTexts scoreTexts(int a, int b, Rgb colour1, Rgb colour2);

// Draws the bar of `width` x `height` for counts a and b (player 1's part from the left,
// player 2's from the right, each shading from the player's colour to white at the
// boundary). `boardWidth` is `BoardPicW`. Returns the boundary's x (m + w1), on which the
// difference label is centred. With no tokens at all only the two end pieces are drawn.
double drawScoreBar(DrawSurface& bar, double width, double height, double boardWidth, int a, int b,
                    Rgb colour1, Rgb colour2);

// Step k (1 … 50) of the shade from `colour` to white.
Rgb scoreShade(Rgb colour, int k);

}  // namespace tomelin
