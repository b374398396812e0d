#pragma once
// Contrast of two colours as readers of a screen see it: the ratio of their relative
// luminances (sRGB), from 1 (the same) to 21 (black on white). Text needs 4.5, the parts of
// a control 3.

#include <QColor>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cmath>

namespace tomelin::test {

inline double relativeLuminance(const QColor& c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

inline double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The strongest contrast any pixel of `area` has with `background`.
inline double strongestContrast(const QImage& image, const QRect& area, const QColor& background) {
    double best = 1;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            best = std::max(best, contrastRatio(image.pixelColor(x, y), background));
    return best;
}

}  // namespace tomelin::test
