// The records viewer may not reach into the game window.
#include "gamewin/game_window.h"
