#include "setupwin/key_colours.h"

#include "drawing/title_strip.h"
#include "platform/draw/image_surface.h"

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
    const int last = std::max(strip.height() - 1, 1);
    for (int row = 0; row < strip.height(); ++row) {
        // The strip is 16 units high with a line every half unit; each pixel row takes the
        // colour of the line at or above it, so the first row is grey and the last the face.
        const double y = std::floor(row * 32.0 / last) / 2.0;
        const QColor c(roundHalfEven(top.red() + y * (buttonFace.red() - top.red()) / 16.0),
                       roundHalfEven(top.green() + y * (buttonFace.green() - top.green()) / 16.0),
                       roundHalfEven(top.blue() + y * (buttonFace.blue() - top.blue()) / 16.0));
        p.fillRect(0, row, strip.width(), 1, c);
    }
    return strip;
}

}  // namespace tomelin

namespace tomelin {

double contrastRatio(const QColor& a, const QColor& b) {
    return contrastRatio(fromQColor(a), fromQColor(b));
}

QColor readableOn(const QColor& wanted, const QColor& background) {
    constexpr double kText = 4.5;
    if (contrastRatio(wanted, background) >= kText)
        return wanted;
    const QColor end = contrastRatio(background, QColor(Qt::white)) >
                               contrastRatio(background, QColor(Qt::black))
                           ? QColor(Qt::white)
                           : QColor(Qt::black);
    for (int step = 1; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor mixed(static_cast<int>(std::lround(wanted.red() + (end.red() - wanted.red()) * t)),
                           static_cast<int>(std::lround(wanted.green() + (end.green() - wanted.green()) * t)),
                           static_cast<int>(std::lround(wanted.blue() + (end.blue() - wanted.blue()) * t)));
        if (contrastRatio(mixed, background) >= kText)
            return mixed;
    }
    return end;
}

}  // namespace tomelin
