// A window sees the windows it opens, the drawing, the records model and the core.
#include "core/game.h"
#include "drawing/token_painter.h"
#include "editor/frm_edit.h"
#include "gamewin/tomel.h"
#include "records/survey.h"
#include "records/widgets/frm_vlst.h"
