#include "gamewin/window_layout.h"

#include <cmath>

namespace tomelin {

namespace {

// Control positions are whole pixels: real results go to the nearest one, halves to even.
int px(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// The window's fixed design: the title bar one pixel below the top edge line, the top border
// under it and the status strip under that.
constexpr int kTitleTop = 1;
constexpr int kTitleLeft = 2;
constexpr int kStatusTop = kTitleTop + design::kTitleHeight + design::kBorderHeight;

}  // namespace

WindowLayout layoutForHeight(int height) {
    using namespace design;
    WindowLayout l;
    const int hf = height;

    // 1-3: the 4:3 board container under the status strip and its separator.
    const int boardHeight =
        hf -
        (kTitleHeight + kStatusHeight + kScoreHeight + 2 * kBorderHeight + 2 * kSeparatorHeight) -
        3 - 2;
    const int boardWidth = px(boardHeight / 3.0 * 4);
    const int boardTop = kStatusTop + kStatusHeight + kSeparatorHeight;
    // 4-5
    const int scoreTop = boardTop + boardHeight + kSeparatorHeight;
    // 6: the tall picture at the left spans status strip to score bar.
    const int sideHeight = scoreTop + kScoreHeight - kStatusTop;
    const int sideWidth =
        px(sideHeight / static_cast<double>(kSidePictureHeight) * kSidePictureWidth);
    l.sidePicture = QRect(4, kStatusTop, sideWidth, sideHeight);
    // 7
    const int boardLeft = l.sidePicture.left() + sideWidth + kSideWidth;
    l.board = QRect(boardLeft, boardTop, boardWidth, boardHeight);
    l.statusStrip = QRect(boardLeft, kStatusTop, boardWidth, kStatusHeight);
    l.scoreBar = QRect(boardLeft, scoreTop, boardWidth, kScoreHeight);
    // 8-9: side borders; the right one leaves 5 pixels for the window-size corner.
    l.leftBorder = QRect(4 + sideWidth, kStatusTop, kSideWidth, sideHeight);
    l.rightBorder = QRect(boardLeft + boardWidth, kStatusTop, kSideWidth, sideHeight - 5);
    // 10
    const int borderLeft = l.leftBorder.left() + kSideWidth;
    l.topBorder = QRect(borderLeft, kStatusTop - kBorderHeight, boardWidth, kBorderHeight);
    l.bottomBorder = QRect(borderLeft, scoreTop + kScoreHeight, boardWidth, kBorderHeight);
    // 11
    l.cornerBottomLeft = QRect(QPoint(l.leftBorder.left(), l.bottomBorder.top()), kCorner);
    l.sizeCorner = QRect(QPoint(l.rightBorder.left(), l.bottomBorder.top() - 5), kSizeCorner);
    l.cornerTopLeft = QRect(QPoint(l.leftBorder.left(), l.topBorder.top()), kCorner);
    l.cornerTopRight = QRect(QPoint(l.rightBorder.left(), l.topBorder.top()), kCorner);
    // 12
    l.separatorTop = QRect(borderLeft, kStatusTop + kStatusHeight, boardWidth, kSeparatorHeight);
    l.separatorBottom = QRect(borderLeft, boardTop + boardHeight, boardWidth, kSeparatorHeight);
    // 14-15: the width follows from the right border; the title bar spans it.
    const int wf = l.rightBorder.left() + kSideWidth + 4;
    l.window = QSize(wf, hf);
    l.titleBar = QRect(kTitleLeft, kTitleTop, wf - 4, kTitleHeight);
    // 17: toolbar buttons from the right, in the order 0, 2, 1, 6, 5, 4, 3.
    constexpr std::array<int, kToolButtonCount> kFromRight{24, 75, 48, 177, 153, 126, 99};
    for (int i = 0; i < kToolButtonCount; ++i) {
        l.toolButtons[static_cast<std::size_t>(i)] = QRect(
            QPoint(l.titleBar.width() - kFromRight[static_cast<std::size_t>(i)], 2), kToolButton);
    }
    // 18-19: the result panel centred on the board, the thinking indicator near its top.
    l.resultPanel = QRect(
        QPoint((boardWidth - kResultPanel.width()) / 2, (boardHeight - kResultPanel.height()) / 2),
        kResultPanel);
    l.thinking =
        QRect(QPoint(thinkingLeft(1, boardWidth), px((boardHeight - kThinking.height()) / 12.0)),
              kThinking);
    // 20
    l.edges = {QLine(0, 0, 0, hf), QLine(0, 0, wf, 0), QLine(0, hf - 1, wf, hf - 1),
               QLine(wf - 1, 0, wf - 1, hf)};
    return l;
}

QPoint Vycentrovat(const QRect& screen, QSize window) {
    return QPoint(screen.left() + px((screen.width() - window.width()) / 2.0),
                  screen.top() + px((screen.height() - window.height()) / 2.0) - 16);
}

int thinkingLeft(int player, int boardWidth) {
    const double free = boardWidth - design::kThinking.width();
    return px(player == 1 ? free / 10 : 9 * free / 10);
}

int startHeight(int screenHeight) {
    return px(screenHeight * 13.0 / 15);
}

int heightStep(int screenHeight) {
    return px(screenHeight * 2.0 / 15);
}

bool mayGrow(int windowHeight, int screenHeight) {
    return !(windowHeight > screenHeight * 12.5 / 15);
}

bool mayShrink(int windowHeight, int screenHeight) {
    return !(screenHeight * 2.0 / 15 + 420 > windowHeight);
}

}  // namespace tomelin
