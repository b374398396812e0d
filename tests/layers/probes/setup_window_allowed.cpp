// A window sees the windows it opens, the drawing, the records model and the core.
#include "core/game.h"
#include "drawing/token_painter.h"
#include "editor/board_editor.h"
#include "gamewin/game_window.h"
#include "records/survey.h"
#include "recordswin/records_viewer.h"
