#include "gamewin/window_decoration.h"

#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

#include "drawing/token_painter.h"
#include "platform/draw/image_surface.h"

namespace tomelin {

namespace {

QColor q(Rgb c) {
    return toQColor(c);
}

// A bevelled piece: a gradient across its short side, light on the top/left edge.
void bevelPiece(QPainter& p, const QRect& r, bool vertical) {
    if (r.isEmpty())
        return;
    QLinearGradient g(r.topLeft(), vertical ? r.topRight() : r.bottomLeft());
    g.setColorAt(0, QColor(118, 126, 142));
    g.setColorAt(0.45, QColor(78, 86, 102));
    g.setColorAt(1, QColor(40, 44, 54));
    p.fillRect(r, g);
}

void sidePicture(QPainter& p, const QRect& r, RandomSource& random, int scale) {
    if (r.width() < 4 || r.height() < 4)
        return;
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(26, 32, 48));
    g.setColorAt(0.5, QColor(44, 56, 82));
    g.setColorAt(1, QColor(20, 24, 34));
    p.fillRect(r, g);
    p.setPen(QColor(96, 106, 128));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.setPen(QColor(14, 16, 22));
    p.drawRect(r.adjusted(2, 2, -3, -3));

    // A column of the eight token shapes, the two default colours taking turns.
    const int count = 8;
    const double slot = r.height() / static_cast<double>(count);
    const double cellH = std::min(slot / 1.6, r.width() / 1.5 / 4 * 3 * 0.9);
    if (cellH < 3)
        return;
    const double cellW = cellH / 3 * 4;
    const int pw = static_cast<int>(cellW * 1.6);
    const int ph = static_cast<int>(cellH * 1.6);
    for (int i = 0; i < count; ++i) {
        ImageSurface token(pw, ph, rgb(0, 0, 0));
        token.setScale(scale);
        const Rgb colour = i % 2 ? kDefaultStyle2.colour : kDefaultStyle1.colour;
        // Draw the token alone centred in its picture (its box is 1.5 cells).
        drawToken(token, {(pw - cellW) / 2 / cellW, (ph - cellH) / 2 / cellH, cellH},
                  {.shape = i + 1, .colour = colour, .detailLevel = 2}, random);
        QImage img = token.image().convertToFormat(QImage::Format_ARGB32);
        img.setDevicePixelRatio(scale);
        // Black is the token picture's background: let the panel show through.
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if ((line[x] & 0xFFFFFF) == 0)
                    line[x] = 0;
        }
        const int cx = r.left() + (r.width() - pw) / 2;
        const int cy = r.top() + static_cast<int>(slot * i + (slot - ph) / 2);
        p.drawImage(cx, cy, img);
    }
}

void sizeGrip(QPainter& p, const QRect& r) {
    p.fillRect(r, QColor(60, 66, 80));
    p.setPen(QColor(170, 178, 196));
    for (int k = 3; k <= 9; k += 3)
        p.drawLine(r.right() - k, r.bottom() - 1, r.right() - 1, r.bottom() - k);
}

void separator(QPainter& p, const QRect& r) {
    if (r.isEmpty())
        return;
    p.fillRect(r, QColor(22, 25, 31));
    const int mid = r.top() + r.height() / 2;
    p.fillRect(QRect(r.left(), mid - 1, r.width(), 1), QColor(12, 13, 17));
    p.fillRect(QRect(r.left(), mid, r.width(), 1), QColor(88, 96, 112));
}

}  // namespace

QImage paintDecoration(const WindowLayout& l, RandomSource& random, int scale) {
    scale = std::max(scale, 1);
    QImage image(l.window.expandedTo(QSize(1, 1)) * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(q(kWindowBackground));
    QPainter p(&image);
    sidePicture(p, l.sidePicture, random, scale);
    bevelPiece(p, l.leftBorder, true);
    bevelPiece(p, l.rightBorder, true);
    bevelPiece(p, l.topBorder, false);
    bevelPiece(p, l.bottomBorder, false);
    for (const QRect& c : {l.cornerBottomLeft, l.cornerTopLeft, l.cornerTopRight})
        p.fillRect(c, QColor(92, 100, 118));
    sizeGrip(p, l.sizeCorner);
    separator(p, l.separatorTop);
    separator(p, l.separatorBottom);
    p.setPen(QColor(120, 128, 146));
    for (const QLine& e : l.edges)
        p.drawLine(e);
    return image;
}

}  // namespace tomelin
