#pragma once
// The editor's drawing canvas `picEdit`: a black picture of board cells that reports the
// mouse presses and left-button drags the editor paints with.

#include <QPointF>

#include "platform/draw/picture_box.h"
#include "editor/board_edit.h"

namespace tomelin {

// Draws editor cells with the token drawing at detail level 1 and turns a mouse move with
// only the left button held into another left press, so a drag paints a stroke.
class EditCanvas : public PictureBox {
    Q_OBJECT
public:
    explicit EditCanvas(QWidget* parent = nullptr);

    // `DRWP3`: draws one cell of a board of `side` cells per row: erases it to black, leaving
    // a one-pixel black line between cells, then paints the field or starting token.
    void drawCell(EditCell code, int column, int row, int side);
    // Clears the canvas and draws every cell of the board.
    void drawBoard(const BoardEdit& edit);

signals:
    // A left press, or a move with only the left button held, at a canvas point in pixels.
    void leftPressed(QPointF position);
    void rightPressed();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

// Shape code and colour the editor draws a cell kind with (shape 0: the field only).
struct EditCellLook {
    int shape = 0;
    Rgb colour = 0;
};
EditCellLook editCellLook(EditCell code);

}  // namespace tomelin
