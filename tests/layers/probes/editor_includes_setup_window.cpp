// The editor may not reach back into the setup window that opens it.
#include "setupwin/setup_window.h"
