#include "gamewin/score_bar.h"

#include "core/texts.h"
#include <cmath>
#include <cstdlib>

#include "drawing/token_painter.h"

namespace tomelin {

namespace {
constexpr double kInset = 2;
constexpr int kSteps = 50;
}  // namespace

ScoreTexts scoreTexts(int a, int b, Rgb colour1, Rgb colour2) {
    ScoreTexts t;
    if (a > b)
        t.differenceColour = colour1;
    if (a < b)
        t.differenceColour = colour2;
    t.difference = std::to_string(std::abs(b - a));
    if (a == b) {
        t.differenceColour = 0;
        t.difference = trText("ScoreStrip", "Vyrovnáno");
    }
    t.differenceVisible = a != 0 && b != 0;
    t.count1 = " " + std::to_string(a);
    t.count2 = std::to_string(b) + " ";
    return t;
}

Rgb scoreShade(Rgb colour, int k) {
    const auto step = [k](int c) { return clampChannel(c + k * (255.0 - c) / kSteps); };
    return rgb(step(redOf(colour)), step(greenOf(colour)), step(blueOf(colour)));
}

double drawScoreBar(DrawSurface& bar, double width, double height, double boardWidth, int a, int b,
                    Rgb colour1, Rgb colour2) {
    const double m = kInset;
    const double w = width;
    const double h = height;
    // Both parts are empty when there are no tokens (the division is skipped).
    double w1 = 0;
    double w2 = 0;
    if (a + b > 0) {
        w1 = a * (w - 2 * m) / (a + b);
        w2 = b * (w - 2 * m) / (a + b);
    }
    bar.fillBox(0, 0, m + w1 + boardWidth / kSteps, h, colour1);
    for (int k = 1; k <= kSteps; ++k) {
        const double x = m + k * w1 / kSteps;
        bar.fillBox(x, m, x + boardWidth / kSteps, h - m, scoreShade(colour1, k));
    }
    bar.fillBox(w - w2 - m, 0, w, h, colour2);
    for (int k = 1; k <= kSteps; ++k) {
        const double x = w - m - k * w2 / kSteps;
        bar.fillBox(x, m, x + w / kSteps, h - m, scoreShade(colour2, k));
    }
    bar.refresh();
    return m + w1;
}

}  // namespace tomelin
