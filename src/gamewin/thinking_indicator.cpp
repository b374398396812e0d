#include "gamewin/thinking_indicator.h"

#include <algorithm>

#include "gamewin/window_parts.h"

namespace tomelin {

ThinkingIndicator::ThinkingIndicator(QWidget* parent) : QFrame(parent) {
    stylePanel(*this, QStringLiteral("thinking"));
    m_token = new PictureBox(this, rgb(28, 32, 40));
    m_token->setGeometry(10, 8, 64, 48);
    m_token->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_percent = makePartLabel(this, Qt::AlignCenter, 20, true, QStringLiteral("percentLabel"));
    m_percent->setGeometry(80, 8, 148, 48);
    setTextColour(*m_percent, kWhite);
    m_progress = new PictureBox(this, rgb(10, 12, 16));
    m_progress->setObjectName(QStringLiteral("progressBar"));
    m_progress->setGeometry(10, 62, 218, 12);
}

void ThinkingIndicator::showToken(const PlayerStyle& style, int playerKind, int detailLevel,
                                  RandomSource& random) {
    m_token->clearPicture();
    drawToken(m_token->surface(), {0.1, 0.1, 40},
              {.shape = style.shape, .colour = style.colour, .playerKind = playerKind,
               .detailLevel = detailLevel},
              random);
}

void ThinkingIndicator::setPercent(const QString& text) {
    m_percent->setText(text);
}

void ThinkingIndicator::progressStep(int step, int scaleWidth, Rgb colour) {
    if (scaleWidth <= 0)
        return;
    const double unit = m_progress->width() / static_cast<double>(scaleWidth);
    m_progress->surface().fillBox(step * unit, 0, (step + 1) * unit, m_progress->height(), colour);
    m_progress->surface().refresh();
}

void ThinkingIndicator::showFraction(double fraction, Rgb colour) {
    m_progress->clearPicture();
    const double f = std::clamp(fraction, 0.0, 1.0);
    if (f > 0)
        m_progress->surface().fillBox(0, 0, f * m_progress->width(), m_progress->height(), colour);
    m_progress->surface().refresh();
}

void ThinkingIndicator::clearProgress() {
    m_progress->clearPicture();
}

}  // namespace tomelin
