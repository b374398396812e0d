#pragma once
// `Picture1`: the score bar under the board with the two counts (`PL1S`, `PL2S`), the
// difference on the boundary of the two parts (`PLS`) and the move label (`Label7`).

#include <QImage>
#include <QLabel>
#include <QRect>
#include <array>

#include "platform/draw/picture_box.h"

namespace tomelin {

// Black or white, whichever stands out from every pixel of `picture` in `area` (in picture
// pixels; the picture holds `scale` device pixels for each).
Rgb readableOver(const QImage& picture, const QRect& area, int scale = 1);
// Where the move label of `textWidth` goes in the lower panel `barWidth` wide: centred, or
// beside the difference label when that would cover it.
QRect moveLabelSpot(int barWidth, int textWidth, const QRect& difference);

// Its object name is "scoreStrip"; its labels are "countLabel1", "countLabel2",
// "differenceLabel" and "moveLabel".
class ScoreStrip : public PictureBox {
    Q_OBJECT
public:
    explicit ScoreStrip(QWidget* parent = nullptr);

    // The strip got a new size: the labels follow it.
    void fitLabels();
    // Draws the bar for counts a (player 1) and b (player 2) in the players' colours;
    // `boardWidth` is `BoardPicW`. Each text is black or white, whichever reads better.
    void showScore(int a, int b, Rgb colour1, Rgb colour2, double boardWidth);
    // " n. TAH": in the middle, beside the difference when that would cover it, and then
    // where it is for as long as the difference leaves it room (it does not jump about).
    void setMoveNumber(int number);
    // A new board shows the difference again until a side has no tokens.
    void showDifference();

private:
    void placeMoveLabel();

    QLabel* m_difference = nullptr;
    std::array<QLabel*, 2> m_counts{};
    QLabel* m_moveLabel = nullptr;
    bool m_movePlaced = false;
};

}  // namespace tomelin
