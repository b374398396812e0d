#pragma once
// The toolbar's button pictures, drawn in key colours that start-up recolours.

#include <QImage>

#include "core/ports.h"

namespace tomelin {

// Key colours of the toolbar pictures and what start-up's `RecolourKeyColours` puts in
// their place.
namespace keycolour {
inline constexpr Rgb kAccent = rgb(255, 255, 255);   // -> the midpoint of text and face
inline constexpr Rgb kFace = rgb(255, 0, 0);         // -> button face
inline constexpr Rgb kHighlight = rgb(255, 255, 0);  // -> button highlight
inline constexpr Rgb kText = rgb(0, 255, 0);         // -> button text
inline constexpr Rgb kDarkShadow = rgb(0, 0, 255);   // -> darkest 3-D shadow
}  // namespace keycolour

// Button pictures 0 … 6 and the overlay 7 ("Nelze vrátit zpět "): 24 x 44 picture pixels
// (`scale` device pixels each, the image's device pixel ratio), the
// upper half the normal look, the lower half the pressed look.
inline constexpr int kToolbarPictureCount = 8;
QImage toolbarPicture(int index, int scale = 1);

}  // namespace tomelin
