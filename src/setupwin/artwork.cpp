#include "setupwin/artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace tomelin {
namespace {

constexpr QColor kOrange(255, 135, 15);
constexpr QColor kBlue(15, 135, 255);
constexpr QColor kNavyTop(28, 44, 86);
constexpr QColor kNavyBottom(10, 16, 36);

QColor outlineOf(const QColor& c) {
    return c.darker(230);
}

void drawPerson(QPainter& p, double s, const QColor& c) {
    QRadialGradient shade(QPointF(0.42 * s, 0.22 * s), 0.5 * s);
    shade.setColorAt(0, c.lighter(150));
    shade.setColorAt(1, c);
    p.setPen(QPen(outlineOf(c), s / 20.0));
    p.setBrush(shade);
    QPainterPath body;
    body.moveTo(0.14 * s, 0.94 * s);
    body.cubicTo(0.14 * s, 0.52 * s, 0.86 * s, 0.52 * s, 0.86 * s, 0.94 * s);
    body.closeSubpath();
    p.drawPath(body);
    p.drawEllipse(QPointF(0.5 * s, 0.3 * s), 0.2 * s, 0.2 * s);
}

void drawComputer(QPainter& p, double s, const QColor& c) {
    const QColor frame(60, 60, 66);
    p.setPen(QPen(QColor(20, 20, 24), s / 24.0));
    p.setBrush(frame);
    QPainterPath stand;
    stand.moveTo(0.42 * s, 0.68 * s);
    stand.lineTo(0.58 * s, 0.68 * s);
    stand.lineTo(0.64 * s, 0.84 * s);
    stand.lineTo(0.36 * s, 0.84 * s);
    stand.closeSubpath();
    p.drawPath(stand);
    p.drawRoundedRect(QRectF(0.22 * s, 0.84 * s, 0.56 * s, 0.1 * s), s / 32.0, s / 32.0);
    p.drawRoundedRect(QRectF(0.06 * s, 0.1 * s, 0.88 * s, 0.6 * s), s / 12.0, s / 12.0);
    QLinearGradient screen(0, 0.16 * s, 0, 0.62 * s);
    screen.setColorAt(0, c.lighter(140));
    screen.setColorAt(1, c.darker(120));
    p.setPen(Qt::NoPen);
    p.setBrush(screen);
    p.drawRect(QRectF(0.14 * s, 0.17 * s, 0.72 * s, 0.45 * s));
    // Two eyes give the machine a face, so it reads as a player rather than a device.
    p.setBrush(outlineOf(c));
    p.drawEllipse(QPointF(0.37 * s, 0.36 * s), 0.06 * s, 0.07 * s);
    p.drawEllipse(QPointF(0.63 * s, 0.36 * s), 0.06 * s, 0.07 * s);
    p.setPen(QPen(outlineOf(c), s / 22.0, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(0.36 * s, 0.38 * s, 0.28 * s, 0.16 * s), 200 * 16, 140 * 16);
}

void drawNoCell(QPainter& p, double s) {
    p.setPen(QPen(QColor(150, 150, 150), s / 16.0));
    p.setBrush(Qt::black);
    p.drawRect(QRectF(0.12 * s, 0.12 * s, 0.76 * s, 0.76 * s));
    p.setPen(QPen(QColor(220, 50, 50), s / 10.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(0.3 * s, 0.3 * s), QPointF(0.7 * s, 0.7 * s));
    p.drawLine(QPointF(0.7 * s, 0.3 * s), QPointF(0.3 * s, 0.7 * s));
}

// A word with a golden gradient and a dark shadow, as in the logo and the title picture.
void drawGoldenWord(QPainter& p, const QString& word, const QFont& font, QPointF baseline) {
    QPainterPath path;
    path.addText(baseline, font, word);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawPath(path.translated(2, 2));
    const QRectF box = path.boundingRect();
    QLinearGradient gold(box.topLeft(), box.bottomLeft());
    gold.setColorAt(0, QColor(255, 244, 190));
    gold.setColorAt(0.5, QColor(246, 196, 70));
    gold.setColorAt(1, QColor(190, 120, 20));
    p.setBrush(gold);
    p.setPen(QPen(QColor(90, 50, 0), 1));
    p.drawPath(path);
}

void drawToken(QPainter& p, const QRectF& r, const QColor& c, bool round) {
    QRadialGradient shade(r.topLeft() + QPointF(r.width() * 0.35, r.height() * 0.3),
                          r.width() * 0.8);
    shade.setColorAt(0, c.lighter(160));
    shade.setColorAt(1, c.darker(115));
    p.setPen(QPen(outlineOf(c), std::max(1.0, r.width() / 16.0)));
    p.setBrush(shade);
    if (round) {
        p.drawEllipse(r);
    } else {
        p.drawRoundedRect(r, r.width() / 8.0, r.height() / 8.0);
    }
}

void fillBanner(QPainter& p, const QRectF& r, double radius) {
    QLinearGradient bg(r.topLeft(), r.bottomLeft());
    bg.setColorAt(0, kNavyTop);
    bg.setColorAt(1, kNavyBottom);
    p.setPen(QPen(QColor(246, 196, 70), 1.5));
    p.setBrush(bg);
    p.drawRoundedRect(r.adjusted(0.75, 0.75, -0.75, -0.75), radius, radius);
}

}  // namespace

QColor Artwork::classColour(int colourClass) {
    switch (colourClass) {
        case 0:
            return QColor(226, 52, 52);
        case 1:
            return QColor(52, 96, 236);
        case 2:
            return QColor(206, 64, 206);
        case 3:
            return QColor(44, 176, 64);
        case 4:
            return QColor(240, 206, 32);
        case 5:
            return QColor(32, 196, 206);
        default:
            return QColor(160, 160, 160);
    }
}

QImage Artwork::sharedPicture(int index, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (index < 0 || index >= kSharedPictureCount) {
        return image;
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    if (index == kNoCellPicture) {
        drawNoCell(p, s);
    } else if (index == kPersonGreyPicture) {
        drawPerson(p, s, classColour(-1));
    } else if (index == kComputerGreyPicture) {
        drawComputer(p, s, classColour(-1));
    } else if (index < 6) {
        drawPerson(p, s, classColour(index));
    } else {
        drawComputer(p, s, classColour(index - 6));
    }
    return image;
}

QCursor Artwork::sharedCursor(int index) {
    return QCursor(QPixmap::fromImage(sharedPicture(index, 32)));
}

QPixmap Artwork::logo() {
    QPixmap pm(264, 50);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    fillBanner(p, QRectF(0, 0, 264, 50), 10);
    drawToken(p, QRectF(14, 13, 26, 24), kOrange, false);
    drawToken(p, QRectF(224, 13, 26, 24), kBlue, true);
    QFont font("DejaVu Serif", 1, QFont::Bold);
    font.setPixelSize(30);
    QPainterPath probe;
    probe.addText(0, 0, font, "Tomelin");
    const double x = (264 - probe.boundingRect().width()) / 2 - probe.boundingRect().left();
    drawGoldenWord(p, "Tomelin", font, QPointF(x, 36));
    return pm;
}

QPixmap Artwork::titlePicture() {
    QPixmap pm(360, 96);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    fillBanner(p, QRectF(0, 0, 360, 96), 12);
    // A strip of board cells along the bottom edge, alternating the two players' tokens.
    for (int i = 0; i < 8; ++i) {
        const QRectF cell(24 + i * 40, 66, 32, 22);
        p.setPen(QPen(QColor(70, 80, 110), 1));
        p.setBrush(QColor(40, 52, 90));
        p.drawRect(cell);
        if (i % 3 != 2) {
            drawToken(p, cell.adjusted(6, 3, -6, -3), i % 3 == 0 ? kOrange : kBlue, i % 3 == 1);
        }
    }
    QFont font("DejaVu Serif", 1, QFont::Bold);
    font.setPixelSize(44);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    QPainterPath probe;
    probe.addText(0, 0, font, "TOMELIN");
    const double x = (360 - probe.boundingRect().width()) / 2 - probe.boundingRect().left();
    drawGoldenWord(p, "TOMELIN", font, QPointF(x, 54));
    return pm;
}

QImage Artwork::appIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    const double m = s / 16.0;
    fillBanner(p, QRectF(m, m, s - 2 * m, s - 2 * m), s / 8.0);
    // A three-by-three corner of a board: one orange token about to be captured by blue ones.
    const double cell = (s - 4 * m) / 3.0;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const QRectF r(2 * m + col * cell, 2 * m + row * cell, cell, cell);
            p.setPen(QPen(QColor(90, 104, 150), std::max(1.0, s / 64.0)));
            p.setBrush(QColor(44, 58, 100));
            p.drawRect(r);
            const QRectF inner = r.adjusted(cell * 0.14, cell * 0.14, -cell * 0.14, -cell * 0.14);
            if ((row == 0 && col == 0) || (row == 2 && col == 2)) {
                drawToken(p, inner, kBlue, true);
            } else if ((row == 1 && col == 1) || (row == 0 && col == 2)) {
                drawToken(p, inner, kOrange, false);
            }
        }
    }
    return image;
}

QImage Artwork::musicButton() {
    // Key colours: red = button face, yellow = highlight, blue = darkest shadow, green = button
    // text, white = the midpoint of text and face.
    const QColor face(255, 0, 0);
    const QColor light(255, 255, 0);
    const QColor shadow(0, 0, 255);
    const QColor text(0, 255, 0);
    const QColor mid(255, 255, 255);
    QImage image(24, 44, QImage::Format_RGB32);
    image.fill(face);
    QPainter p(&image);
    for (int half = 0; half < 2; ++half) {
        const int top = half * 22;
        const bool pressed = half == 1;
        p.setPen(pressed ? shadow : light);
        p.drawLine(0, top, 23, top);
        p.drawLine(0, top, 0, top + 21);
        p.setPen(pressed ? light : shadow);
        p.drawLine(0, top + 21, 23, top + 21);
        p.drawLine(23, top, 23, top + 21);
        const int dx = pressed ? 1 : 0;
        // A beamed pair of eighth notes; the heads are filled, the shade ring is mid grey.
        p.setPen(text);
        p.setBrush(text);
        p.drawEllipse(QRect(6 + dx, top + 13 + dx, 4, 3));
        p.drawEllipse(QRect(14 + dx, top + 12 + dx, 4, 3));
        p.drawLine(10 + dx, top + 5 + dx, 10 + dx, top + 14 + dx);
        p.drawLine(18 + dx, top + 4 + dx, 18 + dx, top + 13 + dx);
        p.fillRect(QRect(10 + dx, top + 4 + dx, 9, 2), text);
        p.setPen(mid);
        p.drawPoint(5 + dx, top + 16 + dx);
        p.drawPoint(13 + dx, top + 15 + dx);
    }
    return image;
}

}  // namespace tomelin
