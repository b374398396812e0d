#include "gamewin/toolbar_pictures.h"

#include <QPainter>
#include <algorithm>
#include <QPainterPath>

#include "platform/draw/image_surface.h"

namespace tomelin {

namespace {

constexpr int kW = 24;
constexpr int kH = 22;

QColor key(Rgb c) {
    return toQColor(c);
}

void bevel(QPainter& p, int top, bool pressed) {
    p.fillRect(0, top, kW, kH, key(keycolour::kFace));
    const QColor light = key(pressed ? keycolour::kDarkShadow : keycolour::kHighlight);
    const QColor dark = key(pressed ? keycolour::kHighlight : keycolour::kDarkShadow);
    p.fillRect(0, top, kW, 1, light);
    p.fillRect(0, top, 1, kH, light);
    p.fillRect(0, top + kH - 1, kW, 1, dark);
    p.fillRect(kW - 1, top, 1, kH, dark);
}

// Draws glyph `index` with its top-left at (ox, oy) in `ink` (accent details in `accent`).
void glyph(QPainter& p, int index, int ox, int oy, const QColor& ink, const QColor& accent) {
    p.save();
    p.translate(ox, oy);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    switch (index) {
        case 0: {  // close: a bold cross
            QPen pen(ink, 2.6);
            p.setPen(pen);
            p.drawLine(QPointF(7, 6), QPointF(16, 15));
            p.drawLine(QPointF(16, 6), QPointF(7, 15));
            break;
        }
        case 1: {  // music: a quaver
            p.drawEllipse(QRectF(6, 13, 6, 4.5));
            p.fillRect(QRectF(11, 4, 1.6, 11), ink);
            QPainterPath flag;
            flag.moveTo(12, 4);
            flag.cubicTo(15, 6, 17, 8, 15.5, 12);
            flag.cubicTo(15.5, 9, 14, 8, 12, 7.5);
            p.drawPath(flag);
            break;
        }
        case 2:  // minimise: a bar at the bottom
            p.fillRect(6, 14, 12, 3, ink);
            break;
        case 3: {  // restart: a circular arrow
            QPen pen(ink, 2);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawArc(QRectF(6, 5, 11, 11), 60 * 16, 280 * 16);
            p.setPen(Qt::NoPen);
            p.setBrush(ink);
            p.drawPolygon(QPolygonF({QPointF(14, 2), QPointF(19, 6.5), QPointF(13, 8.5)}));
            break;
        }
        case 4: {  // new game: a small board with two tokens
            p.fillRect(6, 5, 12, 12, ink);
            p.fillRect(7, 6, 4, 4, accent);
            p.fillRect(13, 12, 4, 4, accent);
            break;
        }
        case 5:
        case 7: {  // take back: an arrow to the left
            p.drawPolygon(QPolygonF({QPointF(5, 11), QPointF(11, 5), QPointF(11, 9), QPointF(18, 9),
                                     QPointF(18, 13), QPointF(11, 13), QPointF(11, 17)}));
            break;
        }
        case 6: {  // about: an "i"
            p.fillRect(10, 5, 3, 3, ink);
            p.fillRect(10, 9, 3, 8, ink);
            p.fillRect(8, 16, 7, 1, ink);
            break;
        }
        default:
            break;
    }
    p.restore();
}

}  // namespace

QImage toolbarPicture(int index, int scale) {
    // Drawn at the screen's density: `scale` device pixels for each picture pixel.
    scale = std::max(scale, 1);
    QImage image(kW * scale, 2 * kH * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // The overlay looks disabled: its arrow is in the accent colour and it never moves.
    const bool overlay = index == 7;
    const QColor ink = key(overlay ? keycolour::kAccent : keycolour::kText);
    const QColor accent = key(keycolour::kAccent);
    bevel(p, 0, false);
    glyph(p, index, 0, 0, ink, accent);
    bevel(p, kH, !overlay);
    glyph(p, index, overlay ? 0 : 1, kH + (overlay ? 0 : 1), ink, accent);
    return image;
}

}  // namespace tomelin
