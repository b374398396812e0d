#include "setup/widgets/key_colours.h"

#include <QPainter>
#include <cmath>

namespace tomelin {
namespace {

// Nearest integer with halves to even (the default floating-point rounding mode).
int roundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

int midpoint(int t, int f) {
    return roundHalfEven(t + (f - t) / 2.0);
}

}  // namespace

SystemColours SystemColours::fromPalette(const QPalette& palette) {
    return {palette.color(QPalette::Button), palette.color(QPalette::Light),
            palette.color(QPalette::ButtonText), palette.color(QPalette::Shadow)};
}

QColor toolbarKeyColour(const SystemColours& system) {
    const QColor& t = system.buttonText;
    const QColor& f = system.buttonFace;
    return QColor(midpoint(t.red(), f.red()), midpoint(t.green(), f.green()),
                  midpoint(t.blue(), f.blue()));
}

void RecolourKeyColours(QImage& image, const QColor& k, const SystemColours& system) {
    if (image.isNull()) {
        return;
    }
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32) {
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);
    }
    struct Swap {
        QRgb from;
        QRgb to;
    };
    const Swap swaps[] = {
        {qRgb(255, 255, 255), k.rgb()},
        {qRgb(255, 0, 0), system.buttonFace.rgb()},
        {qRgb(255, 255, 0), system.buttonHighlight.rgb()},
        {qRgb(0, 255, 0), system.buttonText.rgb()},
        {qRgb(0, 0, 255), system.darkShadow.rgb()},
    };
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            QRgb px = line[x];
            // Transparent pixels are no colour at all and match nothing.
            if (qAlpha(px) != 255) {
                continue;
            }
            for (const Swap& s : swaps) {
                if ((px & 0xFFFFFF) == (s.from & 0xFFFFFF)) {
                    px = (s.to & 0xFFFFFF) | 0xFF000000u;
                }
            }
            line[x] = px;
        }
    }
}

QImage setupTitleStrip(int width, int height, const QColor& buttonFace) {
    QImage strip(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    const QColor top(127, 127, 127);
    QPainter p(&strip);
    const double unit = strip.height() / 16.0;
    for (int step = 0; step <= 32; ++step) {
        const double y = step / 2.0;
        const QColor c(roundHalfEven(top.red() + y * (buttonFace.red() - top.red()) / 16.0),
                       roundHalfEven(top.green() + y * (buttonFace.green() - top.green()) / 16.0),
                       roundHalfEven(top.blue() + y * (buttonFace.blue() - top.blue()) / 16.0));
        // Each line covers the band down to the next line, so no row is left unpainted.
        const int y0 = static_cast<int>(std::floor(y * unit));
        const int y1 = static_cast<int>(std::floor((y + 0.5) * unit));
        p.fillRect(0, y0, strip.width(), std::max(1, y1 - y0), c);
    }
    return strip;
}

}  // namespace tomelin
