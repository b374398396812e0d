#pragma once
// `PaintTitleStrip`: a caption-coloured horizontal gradient like the system's title bars.

#include <QPalette>
#include <initializer_list>

#include "core/ports.h"
#include "platform/draw/draw_surface.h"

namespace tomelin {

// The start and end colours of an active or inactive caption bar, and its text colour.
struct CaptionColours {
    Rgb start = 0;
    Rgb end = 0;
    Rgb text = 0;
};
// Qt has no caption colours: the active bar runs from the palette's highlight colour to a
// lighter shade of it, the inactive one between two greys of the palette.
CaptionColours captionColours(const QPalette& palette, bool active);

// Contrast of two colours as a reader sees it (ratio of relative luminances, 1 to 21).
double contrastRatio(Rgb a, Rgb b);
// `wanted` when it reads at 4.5:1 or better on every one of `behind`; otherwise black or
// white, whichever reads better on the worst of them.
Rgb readableText(Rgb wanted, std::initializer_list<Rgb> behind);
// The caption text's colour for a strip `width` wide whose text ends at `textRight`: the
// palette's, unless it reads below 4.5:1 somewhere under the text.
Rgb captionTextOn(const CaptionColours& colours, double width, double textRight);

// Vertical lines at x = 0, 0.5, 1, … up to `width`, each in the colour that lies x / width of
// the way from `start` to `end` (channels rounded half to even): 2 * width + 1 lines.
void PaintTitleStrip(DrawSurface& strip, double width, double height, Rgb start, Rgb end);

}  // namespace tomelin
