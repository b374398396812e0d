// The game core may not reach up into the store.
#include "platform/store/store.h"
