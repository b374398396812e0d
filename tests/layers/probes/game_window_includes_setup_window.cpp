// The game window may not reach back into the setup window.
#include "setup/widgets/setup_window.h"
