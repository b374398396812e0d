#pragma once
// `Rozmery` and `Vycentrovat`: the whole game window laid out from its height alone.

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <array>

namespace tomelin {

// Fixed sizes of the window's design, in pixels.
namespace design {
inline constexpr int kTitleHeight = 27;         // `Picture11`, `Picture4`
inline constexpr int kStatusHeight = 38;        // `Picture5`
inline constexpr int kScoreHeight = 19;         // `Picture1`
inline constexpr int kBorderHeight = 6;         // `Image7`, `Image8`
inline constexpr int kSeparatorHeight = 14;     // `Image13`, `Image14`
inline constexpr int kSideWidth = 11;           // `Image5`, `Image6`
inline constexpr QSize kCorner{11, 6};          // `Image9`, `Image11`, `Image12`
inline constexpr QSize kSizeCorner{11, 11};     // `Image10`
inline constexpr QSize kResultPanel{225, 284};  // `Picture3`
inline constexpr QSize kThinking{238, 84};      // `Picture9`
inline constexpr QSize kToolButton{24, 22};     // `Picture12`
inline constexpr int kToolButtonCount = 7;
// Proportions of the tall picture at the left (`Image3`): width : height.
inline constexpr int kSidePictureWidth = 144;
inline constexpr int kSidePictureHeight = 637;
// The board container is this much less high than the window's inner height.
inline constexpr int kChromeHeight = 129;
}  // namespace design

// Where every part of the game window goes, in window pixels. Rectangles of parts that lie
// inside another part (toolbar buttons, result panel, thinking indicator) are in that part's
// coordinates.
struct WindowLayout {
    QSize window;       // the whole window
    QRect titleBar;     // `Picture11` (and `Picture4` at the same place)
    QRect statusStrip;  // `Picture5`
    QRect board;        // `PLNP`; the board picture `PL` fills it
    QRect scoreBar;     // `Picture1`
    QRect sidePicture;  // `Image3`
    QRect leftBorder, rightBorder, topBorder,
        bottomBorder;  // `Image5`, `Image6`, `Image7`, `Image8`
    QRect cornerBottomLeft, sizeCorner, cornerTopLeft, cornerTopRight;  // `Image9` … `Image12`
    QRect separatorTop, separatorBottom;                                // `Image13`, `Image14`
    std::array<QRect, design::kToolButtonCount> toolButtons;  // `Picture12(i)` in the title bar
    QRect resultPanel;                                        // `Picture3` in the board container
    QRect thinking;  // `Picture9` in the board container (left set at each turn change)
    // `Lin(0)` … `Lin(3)`: the one-pixel lines along the left, top, bottom and right edges.
    std::array<QLine, 4> edges;
};

// `Rozmery`: the layout for a window whose inner height is `height` pixels. Nothing is
// guarded: a height below the fixed strips gives an empty board (as the program allows).
WindowLayout layoutForHeight(int height);

// `Vycentrovat`: the window's top-left corner that centres it on `screen`, 16 pixels above
// the exact centre.
QPoint Vycentrovat(const QRect& screen, QSize window);

// `Picture9`'s left edge when `player` is to move in a board container `boardWidth` wide.
int thinkingLeft(int player, int boardWidth);

// The window height steps: 13/15 of the screen height at start-up, ± 2/15 per step, never
// taller than 12.5/15 of the screen for growing, nor lower than 2/15 of it + 420 pixels for
// shrinking.
int startHeight(int screenHeight);
int heightStep(int screenHeight);
bool mayGrow(int windowHeight, int screenHeight);
bool mayShrink(int windowHeight, int screenHeight);

}  // namespace tomelin
