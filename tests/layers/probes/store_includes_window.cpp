// The records model may not see a window.
#include "gamewin/tomel.h"
