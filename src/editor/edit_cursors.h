#pragma once
// The four mouse pointers of the editor's canvas, one per cell kind the left button paints.

#include <QCursor>
#include <QPixmap>

#include "editor/board_edit.h"

namespace tomelin {

// `Image1(0..3)`: an arrow whose tip is the hot spot, with a small picture of the cell kind
// below it, drawn the way the canvas draws that kind.
QPixmap editToolPicture(EditCell tool);
QCursor editToolCursor(EditCell tool);

}  // namespace tomelin
