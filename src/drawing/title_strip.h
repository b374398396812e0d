#pragma once
// `PaintTitleStrip`: a caption-coloured horizontal gradient like the system's title bars.

#include <QPalette>

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

// Vertical lines at x = 0, 0.5, 1, … up to `width`, each in the colour that lies x / width of
// the way from `start` to `end` (channels rounded half to even): 2 * width + 1 lines.
void PaintTitleStrip(DrawSurface& strip, double width, double height, Rgb start, Rgb end);

}  // namespace tomelin
