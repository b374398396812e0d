#include "editor/edit_canvas.h"

#include <QMouseEvent>

#include "core/random.h"
#include "drawing/token_painter.h"

namespace tomelin {

namespace {

constexpr int kEditorDetail = 1;

}  // namespace

EditCellLook editCellLook(EditCell code) {
    switch (code) {
        case EditCell::Free:
            return {0, rgb(127, 127, 127)};
        case EditCell::Player1:
            return {kShapeField, rgb(255, 127, 0)};
        case EditCell::Player2:
            return {kShapeField, rgb(0, 127, 255)};
        case EditCell::NoCell:
            break;
    }
    return {0, 0};
}

EditCanvas::EditCanvas(QWidget* parent) : PictureBox(parent, rgb(0, 0, 0)) {
    connect(this, &PictureBox::pressed, this, [this](QPointF position, Qt::MouseButton button) {
        if (button == Qt::LeftButton) {
            emit leftPressed(position);
        } else if (button == Qt::RightButton) {
            emit rightPressed();
        }
    });
}

void EditCanvas::drawCell(EditCell code, int column, int row, int side) {
    if (side <= 0) {
        return;
    }
    const double cw = (width() - 1.0) / side;
    const double ch = (height() - 1.0) / side;
    surface().fillBox(cw * column, ch * row, cw * (column + 1) - 1, ch * (row + 1) - 1,
                      rgb(0, 0, 0));
    if (code != EditCell::NoCell) {
        const EditCellLook look = editCellLook(code);
        // Only the field and shape 8 are drawn here; neither scatters anything at random.
        MtRandomSource random(0);
        drawToken(surface(),
                  {static_cast<double>(column), static_cast<double>(row),
                   static_cast<double>(height()) / side},
                  {.shape = look.shape, .colour = look.colour,
                   .detailLevel = kEditorDetail, .drawField = true},
                  random);
    }
    surface().refresh();
}

void EditCanvas::drawBoard(const BoardEdit& edit) {
    // A hidden widget gets its resize event only when shown; draw at the final size now.
    imageSurface().resize(width(), height());
    imageSurface().clear();
    const int n = edit.side();
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            drawCell(edit.at(c, r), c, r, n);
        }
    }
    surface().refresh();
}

void EditCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::LeftButton) {
        emit leftPressed(event->position());
    }
    event->accept();
}

}  // namespace tomelin
