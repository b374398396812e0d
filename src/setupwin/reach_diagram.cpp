#include "setupwin/reach_diagram.h"

#include <QPainter>

namespace tomelin {

QImage reachDiagram(const Directions& directions, int cell) {
    const int side = kReachCells * cell + 1;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(QColor(70, 70, 70));
    QPainter p(&image);
    const int middle = kReachCells / 2;
    const auto box = [cell](int col, int row) {
        return QRect(col * cell + 1, row * cell + 1, cell - 1, cell - 1);
    };
    for (int row = 0; row < kReachCells; ++row) {
        for (int col = 0; col < kReachCells; ++col) {
            p.fillRect(box(col, row), QColor(225, 225, 225));
        }
    }
    for (int d = 0; d < directions.count(); ++d) {
        const QRect r = box(middle + directions.dx[d], middle + directions.dy[d]);
        if (directions.kind[d] == Directions::kCopyKind) {
            p.fillRect(r, kCopyColour);
        } else {
            p.setPen(kJumpColour);
            p.drawRect(r.adjusted(1, 1, -2, -2));
        }
    }
    p.fillRect(box(middle, middle).adjusted(1, 1, -1, -1), QColor(255, 135, 15));
    return image;
}

}  // namespace tomelin
