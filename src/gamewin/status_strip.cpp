#include "gamewin/status_strip.h"

#include <QCoreApplication>
#include <algorithm>

#include "drawing/token_painter.h"
#include "gamewin/window_parts.h"

namespace tomelin {

StatusStrip::StatusStrip(QWidget* parent) : PictureBox(parent, rgb(16, 18, 24)) {
    setObjectName(QStringLiteral("statusStrip"));
    for (int p = 0; p < 2; ++p) {
        const auto i = static_cast<std::size_t>(p);
        const Qt::Alignment align = p == 0 ? Qt::AlignLeft : Qt::AlignRight;
        m_names[i] =
            makePartLabel(this, align, 10, false, QStringLiteral("nameLabel%1").arg(p + 1));
        // It shows the whole name as a tooltip when the name is cut.
        m_names[i]->setAttribute(Qt::WA_TransparentForMouseEvents, false);
        m_clocks[i] =
            makePartLabel(this, align, 9, false, QStringLiteral("clockLabel%1").arg(p + 1));
        setTextColour(*m_names[i], kWhite);
        setTextColour(*m_clocks[i], kWhite);
    }
}

void StatusStrip::setNames(const std::array<std::string, 2>& names) {
    m_nameTexts = names;
    showNames();
}

void StatusStrip::showNames() {
    for (std::size_t i = 0; i < 2; ++i) {
        QLabel& label = *m_names[i];
        const QString name = QCoreApplication::translate("Players", m_nameTexts[i].c_str());
        label.setText(label.fontMetrics().elidedText(name, Qt::ElideRight, label.width()));
        label.setToolTip(label.text() == name ? QString() : name);
    }
}

void StatusStrip::redraw(const BoardLook& look, RandomSource& random) {
    clearPicture();
    const double h = height();
    const double sw = width();
    const double cell = h / 3 * 4;
    const double name1Left = cell;
    const double name1Width = sw / 2 - h / 3 * 8;
    const double name2Left = name1Left + name1Width;
    const double name2Width = cell + cell + name1Width;
    const int nameHeight = px(h * 0.5);
    m_names[0]->setGeometry(px(name1Left) + 4, 1, std::max(0, px(name1Width) - 4), nameHeight);
    m_names[1]->setGeometry(px(name2Left), 1, std::max(0, px(name2Width) - 4), nameHeight);
    m_clocks[0]->setGeometry(px(name1Left) + 4, nameHeight, std::max(0, px(name1Width) - 4),
                             px(h) - nameHeight - 1);
    m_clocks[1]->setGeometry(px(name2Left), nameHeight, std::max(0, px(name2Width) - 4),
                             px(h) - nameHeight - 1);
    showNames();
    for (int p = 1; p <= 2; ++p) {
        const PlayerStyle& s = look.styles[static_cast<std::size_t>(p)];
        drawToken(surface(), {p == 1 ? 0.0 : (sw - cell) / cell, 0, h},
                  {.shape = s.shape, .colour = s.colour,
                   .playerKind = look.kinds[static_cast<std::size_t>(p)],
                   .detailLevel = look.detail},
                  random);
    }
}

void StatusStrip::setMover(int player, Rgb colour) {
    for (std::size_t i = 0; i < 2; ++i) {
        const bool mover = static_cast<int>(i) + 1 == player;
        setBold(*m_names[i], mover);
        setTextColour(*m_names[i], mover ? colour : kWhite);
    }
    showNames();  // bold takes more room
    update();
}

void StatusStrip::setClockText(int player, const QString& text) {
    if (player == 1 || player == 2)
        m_clocks[static_cast<std::size_t>(player - 1)]->setText(text);
}

void StatusStrip::setClockColour(int player, Rgb colour) {
    if (player == 1 || player == 2)
        setTextColour(*m_clocks[static_cast<std::size_t>(player - 1)], colour);
}

}  // namespace tomelin
