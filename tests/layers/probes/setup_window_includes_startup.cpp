// The setup window may not see the start-up that creates it.
#include "app/startup.h"
