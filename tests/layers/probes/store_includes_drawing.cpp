// The store may not see the drawing of tokens.
#include "drawing/token_painter.h"
