#pragma once
// The five drawing primitives every picture of the program is drawn with.

#include "core/rgb.h"

namespace tomelin {

// A picture that keeps what is drawn on it. Coordinates are real numbers in the picture's
// pixels, x to the right and y downwards; colours are 0x00BBGGRR. All outlines are one pixel
// wide and ellipses are never filled.
class DrawSurface {
public:
    virtual ~DrawSurface() = default;

    // Filled box between two corners; both corner pixels are part of the box.
    virtual void fillBox(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // One-pixel box outline between two corners, both corners included.
    virtual void boxOutline(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    virtual void line(double x1, double y1, double x2, double y2, Rgb colour) = 0;
    // Ellipse outline about (cx, cy). `aspect` is vertical radius / horizontal radius: below 1
    // the radius is the horizontal one (vertical = radius * aspect), above 1 it is the vertical
    // one (horizontal = radius / aspect), 1 is a circle.
    virtual void ellipse(double cx, double cy, double radius, double aspect, Rgb colour) = 0;
    // Makes what was drawn visible.
    virtual void refresh() = 0;

    virtual Rgb backgroundColour() const = 0;
};

// The horizontal and vertical radius of an ellipse under the aspect rule above.
struct EllipseRadii {
    double horizontal = 0;
    double vertical = 0;
};
inline EllipseRadii ellipseRadii(double radius, double aspect) {
    if (aspect < 1)
        return {radius, radius * aspect};
    if (aspect > 1)
        return {radius / aspect, radius};
    return {radius, radius};
}

}  // namespace tomelin
