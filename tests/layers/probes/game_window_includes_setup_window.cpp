// The game window may not reach back into the setup window.
#include "setupwin/setup_window.h"
