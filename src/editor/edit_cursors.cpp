#include "editor/edit_cursors.h"

#include <QPainter>
#include <QPainterPath>

#include "core/random.h"
#include "editor/edit_canvas.h"
#include "drawing/token_painter.h"
#include "platform/draw/image_surface.h"

namespace tomelin {

namespace {

constexpr int kCursorSize = 32;
// The cell picture: 4:3 like every board cell, in the lower right of the cursor.
constexpr int kCellHeight = 12;
constexpr int kCellWidth = kCellHeight / 3 * 4;
constexpr int kCellLeft = kCursorSize - kCellWidth - 2;
constexpr int kCellTop = kCursorSize - kCellHeight - 2;

QImage cellPicture(EditCell tool) {
    ImageSurface cell(kCellWidth + 1, kCellHeight + 1, rgb(0, 0, 0));
    if (tool != EditCell::NoCell) {
        const EditCellLook look = editCellLook(tool);
        // Only the field and shape 8 are drawn here; neither scatters anything at random.
        MtRandomSource random(0);
        drawToken(cell, {0, 0, kCellHeight},
                  {.shape = look.shape, .colour = look.colour, .detailLevel = 1, .drawField = true},
                  random);
    }
    return cell.image();
}

}  // namespace

QPixmap editToolPicture(EditCell tool) {
    QImage picture(kCursorSize, kCursorSize, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter p(&picture);

    // The cell picture in a white frame, so that it stays visible over the black canvas.
    const QRect cellRect(kCellLeft, kCellTop, kCellWidth + 1, kCellHeight + 1);
    p.fillRect(cellRect.adjusted(-1, -1, 1, 1), Qt::white);
    p.drawImage(cellRect.topLeft(), cellPicture(tool));
    if (tool == EditCell::NoCell) {
        // No cell is black on black: a red cross says "remove".
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(QColor(230, 40, 40), 2));
        p.drawLine(cellRect.topLeft() + QPoint(3, 3), cellRect.bottomRight() - QPoint(3, 3));
        p.drawLine(cellRect.topRight() + QPoint(-3, 3), cellRect.bottomLeft() + QPoint(3, -3));
    }

    // The arrow, tip at (0, 0).
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath arrow;
    arrow.moveTo(0.5, 0.5);
    arrow.lineTo(0.5, 15.5);
    arrow.lineTo(4.5, 11.5);
    arrow.lineTo(7.5, 17.5);
    arrow.lineTo(9.5, 16.5);
    arrow.lineTo(6.5, 10.5);
    arrow.lineTo(11.5, 10.5);
    arrow.closeSubpath();
    p.fillPath(arrow, Qt::white);
    p.setPen(QPen(Qt::black, 1));
    p.drawPath(arrow);
    p.end();
    return QPixmap::fromImage(picture);
}

QCursor editToolCursor(EditCell tool) {
    return QCursor(editToolPicture(tool), 0, 0);
}

}  // namespace tomelin
