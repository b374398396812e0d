#pragma once
// `Picture9`: the panel over the board while the computer thinks. It shows the thinking
// player's token, the search's percentage (`Label1`) and its progress bar (`PPru`).

#include <QFrame>
#include <QLabel>

#include "drawing/token_painter.h"
#include "platform/draw/picture_box.h"

namespace tomelin {

// Its object name is "thinking"; the parts are "percentLabel" and "progressBar".
class ThinkingIndicator : public QFrame {
    Q_OBJECT
public:
    explicit ThinkingIndicator(QWidget* parent = nullptr);

    // The token of the player whose turn it is now (drawn anew at each turn change).
    void showToken(const PlayerStyle& style, int playerKind, int detailLevel,
                   RandomSource& random);
    void setPercent(const QString& text);
    // Step `step` of a progress scale `scaleWidth` steps wide, in `colour`.
    void progressStep(int step, int scaleWidth, Rgb colour);
    void clearProgress();
    // The bar filled from its left end to `fraction` (0 ... 1) of its width, in `colour`.
    void showFraction(double fraction, Rgb colour);

private:
    PictureBox* m_token = nullptr;
    QLabel* m_percent = nullptr;
    PictureBox* m_progress = nullptr;
};

}  // namespace tomelin
