#include "gamewin/score_strip.h"

#include <algorithm>

#include "drawing/title_strip.h"
#include "gamewin/game_texts.h"
#include "gamewin/score_bar.h"
#include "gamewin/window_parts.h"

namespace tomelin {

namespace {

double lumaOf(QRgb c) {
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// Where a label of the score bar puts its glyphs (spaces left out), in the bar's pixels,
// between the bar's two-pixel edges.
QRect glyphArea(const QLabel& label) {
    const QFontMetrics fm = label.fontMetrics();
    const QString all = label.text();
    const QString glyphs = all.trimmed();
    const int total = fm.horizontalAdvance(all);
    const int lead = fm.horizontalAdvance(all.left(all.indexOf(glyphs)));
    int start = (label.width() - total) / 2;
    if (label.alignment() & Qt::AlignLeft)
        start = 0;
    if (label.alignment() & Qt::AlignRight)
        start = label.width() - total;
    return QRect(label.x() + start + lead, label.y() + 2, fm.horizontalAdvance(glyphs),
                 std::max(1, label.height() - 4));
}

}  // namespace

Rgb readableOver(const QImage& picture, const QRect& area, int scale) {
    // The text must read on the lightest and on the darkest pixel under it: a count sits on
    // the player's colour or, when his part is small, on the other part's white end.
    const QRect r =
        QRect(area.topLeft() * scale, area.size() * scale).intersected(picture.rect());
    if (r.isEmpty())
        return kWhite;
    QRgb lightest = picture.pixel(r.topLeft());
    QRgb darkest = lightest;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb p = picture.pixel(x, y);
            if (lumaOf(p) > lumaOf(lightest))
                lightest = p;
            if (lumaOf(p) < lumaOf(darkest))
                darkest = p;
        }
    }
    const Rgb a = fromQColor(QColor::fromRgb(lightest));
    const Rgb b = fromQColor(QColor::fromRgb(darkest));
    const Rgb black = rgb(0, 0, 0);
    return std::min(contrastRatio(black, a), contrastRatio(black, b)) >=
                   std::min(contrastRatio(kWhite, a), contrastRatio(kWhite, b))
               ? black
               : kWhite;
}

QRect moveLabelSpot(int barWidth, int textWidth, const QRect& difference) {
    const int height = difference.height();
    QRect centred((barWidth - textWidth) / 2, 0, textWidth, height);
    if (difference.isEmpty() || !centred.intersects(difference))
        return centred;
    // Beside the difference, in the middle of the wider side.
    const int left = difference.left();
    const int right = barWidth - difference.right() - 1;
    if (left >= right)
        return QRect(std::max(0, (left - textWidth) / 2), 0, textWidth, height);
    return QRect(difference.right() + 1 + std::max(0, (right - textWidth) / 2), 0, textWidth,
                 height);
}

ScoreStrip::ScoreStrip(QWidget* parent) : PictureBox(parent, rgb(255, 255, 255)) {
    setObjectName(QStringLiteral("scoreStrip"));
    m_counts[0] = makePartLabel(this, Qt::AlignLeft, 9, true, QStringLiteral("countLabel1"));
    m_counts[1] = makePartLabel(this, Qt::AlignRight, 9, true, QStringLiteral("countLabel2"));
    m_difference = makePartLabel(this, Qt::AlignCenter, 9, true, QStringLiteral("differenceLabel"));
    // " n. TAH" lies in the lower panel with the counts, beside the difference.
    m_moveLabel = makePartLabel(this, Qt::AlignCenter, 8, true, QStringLiteral("moveLabel"));
    setTextColour(*m_moveLabel, rgb(230, 232, 240));
}

void ScoreStrip::fitLabels() {
    for (QLabel* c : m_counts)
        c->setGeometry(0, 0, width(), height());
    m_difference->resize(m_difference->width(), height());
    m_movePlaced = false;
    placeMoveLabel();
}

void ScoreStrip::showScore(int a, int b, Rgb c1, Rgb c2, double boardWidth) {
    const ScoreTexts t = scoreTexts(a, b, c1, c2);
    const double boundary = drawScoreBar(surface(), width(), height(), boardWidth, a, b, c1, c2);
    m_difference->setText(QString::fromStdString(t.difference));
    setTextColour(*m_difference, t.differenceColour);
    m_difference->adjustSize();
    m_difference->resize(m_difference->width() + 8, height());
    m_difference->move(px(boundary - m_difference->width() / 2.0), 0);
    m_difference->setVisible(t.differenceVisible);
    m_counts[0]->setText(QString::fromStdString(t.count1));
    m_counts[1]->setText(QString::fromStdString(t.count2));
    for (QLabel* count : m_counts)
        setTextColour(*count, readableOver(image(), glyphArea(*count), imageSurface().scale()));
    placeMoveLabel();
}

void ScoreStrip::setMoveNumber(int number) {
    // A new game starts the label from the middle again.
    if (number <= 1)
        m_movePlaced = false;
    m_moveLabel->setText(QString::fromStdString(moveLabelText(number)));
    placeMoveLabel();
}

void ScoreStrip::showDifference() {
    m_difference->show();
}

void ScoreStrip::placeMoveLabel() {
    const int w = m_moveLabel->fontMetrics().horizontalAdvance(m_moveLabel->text()) + 4;
    const QRect difference = m_difference->isVisibleTo(this) ? m_difference->geometry() : QRect();
    // The label stays where it is, about the same centre, for as long as the difference
    // leaves it room: it moves only when the difference would cover it.
    const QRect kept(m_moveLabel->geometry().center().x() - w / 2, 0, w, height());
    const bool keep = m_movePlaced && kept.left() >= 0 && kept.right() < width() &&
                      (difference.isEmpty() || !kept.intersects(difference));
    const QRect spot = keep ? kept
                            : moveLabelSpot(width(), w,
                                            difference.isEmpty() ? QRect(0, 0, 0, height())
                                                                 : difference);
    m_moveLabel->setGeometry(spot.x(), 0, spot.width(), height());
    m_movePlaced = true;
    m_moveLabel->raise();
    setTextColour(*m_moveLabel, readableOver(image(), glyphArea(*m_moveLabel), imageSurface().scale()));
}

}  // namespace tomelin
