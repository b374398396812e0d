#pragma once
// The game window's frame pictures (`Image3`, `Image5` … `Image15`, `Lin`), drawn in code.

#include <QImage>

#include "core/ports.h"
#include "gamewin/window_layout.h"

namespace tomelin {

// The window's background colour behind every part.
inline constexpr Rgb kWindowBackground = rgb(34, 38, 46);

// The whole window background for `layout`: the tall side picture with a column of tokens,
// bevelled borders round the board column, the corner pieces (the bottom-right one looks like
// a size grip: it opens the window-size menu), the separators and the edge lines.
// `scale`: device pixels per picture pixel (a high-density screen).
QImage paintDecoration(const WindowLayout& layout, RandomSource& random, int scale = 1);

}  // namespace tomelin
