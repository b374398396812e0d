#include "drawing/title_strip.h"

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
