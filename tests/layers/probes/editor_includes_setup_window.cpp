// The editor may not reach back into the setup window that opens it.
#include "setup/widgets/setup_window.h"
