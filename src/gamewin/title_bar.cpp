#include "gamewin/title_bar.h"

#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

#include "platform/draw/image_surface.h"

namespace tomelin {

TitleBar::TitleBar(QWidget* parent, bool active)
    : PictureBox(parent), m_active(active), m_label(new QLabel(this)) {
    // Presses on the text reach the bar: dragging by the text is dragging by the bar.
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_label->move(8, 0);
    QFont f = m_label->font();
    f.setBold(true);
    m_label->setFont(f);
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::WindowText, toQColor(captionColours(palette(), m_active).text));
    m_label->setPalette(pal);
    setText(QStringLiteral("Tomelin"));
}

void TitleBar::setText(const QString& text) {
    m_text = text;
    showText();
}

void TitleBar::setTextRoom(int width) {
    m_room = width;
    showText();
}

void TitleBar::showText() {
    const int room = m_room < 0 ? std::max(0, width() - m_label->x()) : m_room;
    const QString shown = m_label->fontMetrics().elidedText(m_text, Qt::ElideRight, room);
    m_label->setText(shown);
    setToolTip(shown == m_text ? QString() : m_text);
    m_label->adjustSize();
    m_label->resize(std::min(m_label->width(), std::max(room, 0)), height());
    // The palette's caption text, unless it reads poorly on the strip behind it.
    const CaptionColours c = captionColours(palette(), m_active);
    QPalette pal = m_label->palette();
    pal.setColor(QPalette::WindowText,
                 toQColor(captionTextOn(c, width(), m_label->x() + m_label->width())));
    m_label->setPalette(pal);
}

void TitleBar::paintStrip() {
    const CaptionColours c = captionColours(palette(), m_active);
    PaintTitleStrip(surface(), width(), height(), c.start, c.end);
    showText();
}

void TitleBar::mousePressEvent(QMouseEvent* event) {
    QWidget* top = window();
    if (top->windowHandle() && top->windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    m_dragging = true;
    m_lastGlobal = event->globalPosition().toPoint();
    event->accept();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging)
        return;
    const QPoint now = event->globalPosition().toPoint();
    window()->move(window()->pos() + now - m_lastGlobal);
    m_lastGlobal = now;
}

void TitleBar::mouseReleaseEvent(QMouseEvent* /*event*/) {
    m_dragging = false;
}

}  // namespace tomelin
