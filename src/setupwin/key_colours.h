#pragma once
// System colours as the toolbar pictures and title strips use them, and the recolouring of
// the key colours painted into those pictures.

#include <QColor>
#include <QImage>
#include <QPalette>

namespace tomelin {

// The four system colours the key colours stand for, taken from a palette.
struct SystemColours {
    QColor buttonFace;
    QColor buttonHighlight;
    QColor buttonText;
    QColor darkShadow;

    static SystemColours fromPalette(const QPalette& palette);
};

// Per channel the midpoint t + (f - t) / 2 of button text t and button face f, halves to even:
// the colour the toolbar pictures' white turns into.
QColor toolbarKeyColour(const SystemColours& system);

// `RecolourKeyColours`: every pixel of `image` is tested in turn against white, pure red,
// yellow, pure green and pure blue, and replaced by `k`, the button face, the button highlight,
// the button text and the darkest shadow respectively. The tests run one after the other on
// the same pixel, so a colour written by one test is matched by the following ones. Any other
// pixel stays as it is.
void RecolourKeyColours(QImage& image, const QColor& k, const SystemColours& system);

// The setup window's title strip `Picture1`: a vertical gradient from mid grey at the top to
// the button face at the bottom: the 33 lines at 0, 0.5, ... 16 of a strip 16 units high,
// each channel rounded halves to even, each pixel row in the colour of the line above it.
QImage setupTitleStrip(int width, int height, const QColor& buttonFace);

// Contrast of two colours as a reader sees it: the ratio of their relative luminances, 1
// (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);
// `wanted` when it reads on `background` at 4.5:1 or better, otherwise the nearest colour
// towards white (on a dark background) or black (on a light one) that does.
QColor readableOn(const QColor& wanted, const QColor& background);

}  // namespace tomelin
