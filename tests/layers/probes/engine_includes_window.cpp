// The engine client may not see the windows that use it.
#include "gamewin/game_window.h"
