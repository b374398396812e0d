#pragma once
// `Picture3`: the panel over the board at a game's end, with the winner's token (`Picture6`)
// and name (`Check3`), or "Nerozhodně" under an empty field for a draw.

#include <QFrame>
#include <QLabel>

#include "drawing/token_painter.h"
#include "platform/draw/picture_box.h"

namespace tomelin {

// Its object name is "result"; the parts are "winnerPicture" and "resultLabel".
class ResultPanel : public QFrame {
    Q_OBJECT
public:
    explicit ResultPanel(QWidget* parent = nullptr);

    // Shows the panel, raised: `winner`'s token and `name`, or a draw when `winner` is null.
    void showResult(const PlayerStyle* winner, int playerKind, const QString& name,
                    int detailLevel, RandomSource& random);

private:
    PictureBox* m_winner = nullptr;
    QLabel* m_name = nullptr;
};

}  // namespace tomelin
