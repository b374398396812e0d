#include "gamewin/result_panel.h"

#include <QCoreApplication>

#include "gamewin/window_parts.h"

namespace tomelin {

ResultPanel::ResultPanel(QWidget* parent) : QFrame(parent) {
    stylePanel(*this, QStringLiteral("result"));
    m_winner = new PictureBox(this, rgb(0, 0, 0));
    m_winner->setObjectName(QStringLiteral("winnerPicture"));
    m_winner->setGeometry(12, 16, 200, 150);
    m_name = makePartLabel(this, Qt::AlignCenter, 14, true, QStringLiteral("resultLabel"));
    m_name->setWordWrap(true);
    m_name->setGeometry(8, 176, 209, 96);
    setTextColour(*m_name, kWhite);
    hide();
}

void ResultPanel::showResult(const PlayerStyle* winner, int playerKind, const QString& name,
                             int detailLevel, RandomSource& random) {
    m_winner->clearPicture();
    const TokenPlace place{0, 0, m_winner->width() * 0.75};
    if (winner) {
        drawToken(m_winner->surface(), place,
                  {.shape = winner->shape, .colour = winner->colour, .playerKind = playerKind,
                   .detailLevel = detailLevel},
                  random);
        m_name->setText(QCoreApplication::translate("Players", name.toUtf8()));
    } else {
        drawToken(m_winner->surface(), place, {.shape = 0, .colour = 0, .detailLevel = detailLevel},
                  random);
        m_name->setText(QCoreApplication::translate("ResultPanel", "Nerozhodně"));
    }
    setTextColour(*m_name, kWhite);
    show();
    raise();
}

}  // namespace tomelin
