#include "drawing/title_strip.h"

#include <algorithm>
#include <cmath>

#include "drawing/token_painter.h"
#include "platform/draw/image_surface.h"

namespace tomelin {

CaptionColours captionColours(const QPalette& palette, bool active) {
    CaptionColours c;
    if (active) {
        const QColor start = palette.color(QPalette::Active, QPalette::Highlight);
        c.start = fromQColor(start.darker(130));
        c.end = fromQColor(start.lighter(140));
        c.text = fromQColor(palette.color(QPalette::Active, QPalette::HighlightedText));
    } else {
        c.start = fromQColor(palette.color(QPalette::Inactive, QPalette::Dark));
        c.end = fromQColor(palette.color(QPalette::Inactive, QPalette::Midlight));
        c.text = fromQColor(palette.color(QPalette::Inactive, QPalette::Light));
    }
    return c;
}

namespace {
double luminance(Rgb c) {
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(redOf(c)) + 0.7152 * channel(greenOf(c)) + 0.0722 * channel(blueOf(c));
}
double worstOn(Rgb text, std::initializer_list<Rgb> behind) {
    double worst = 21;
    for (const Rgb b : behind)
        worst = std::min(worst, contrastRatio(text, b));
    return worst;
}
}  // namespace

double contrastRatio(Rgb a, Rgb b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb readableText(Rgb wanted, std::initializer_list<Rgb> behind) {
    if (worstOn(wanted, behind) >= 4.5)
        return wanted;
    const Rgb black = rgb(0, 0, 0);
    const Rgb white = rgb(255, 255, 255);
    return worstOn(black, behind) >= worstOn(white, behind) ? black : white;
}

Rgb captionTextOn(const CaptionColours& c, double width, double textRight) {
    const double f = width > 0 ? std::clamp(textRight / width, 0.0, 1.0) : 0;
    const auto mix = [f](int s, int e) { return clampChannel(s + f * (e - s)); };
    const Rgb atEnd = rgb(mix(redOf(c.start), redOf(c.end)), mix(greenOf(c.start), greenOf(c.end)),
                          mix(blueOf(c.start), blueOf(c.end)));
    return readableText(c.text, {c.start, atEnd});
}

void PaintTitleStrip(DrawSurface& strip, double width, double height, Rgb start, Rgb end) {
    if (width <= 0)
        return;
    const auto channel = [width](int s, int e, double x) {
        return clampChannel(s + x * (e - s) / width);
    };
    for (int i = 0; i <= static_cast<int>(2 * width); ++i) {
        const double x = i / 2.0;
        const Rgb colour =
            rgb(channel(redOf(start), redOf(end), x), channel(greenOf(start), greenOf(end), x),
                channel(blueOf(start), blueOf(end), x));
        strip.line(x, 0, x, height, colour);
    }
    strip.refresh();
}

}  // namespace tomelin
