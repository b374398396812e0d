// The core sees itself: a probe that must build, so that the refusals above are the
// include rules at work and not a broken probe build.
#include "core/game.h"
#include "core/rgb.h"
