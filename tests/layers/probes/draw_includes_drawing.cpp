// The drawing surface may not see the pictures drawn on it.
#include "drawing/token_painter.h"
