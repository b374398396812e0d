// The records model may not see a window.
#include "gamewin/game_window.h"
