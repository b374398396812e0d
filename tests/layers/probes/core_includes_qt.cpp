// The game core builds without Qt.
#include <QString>
