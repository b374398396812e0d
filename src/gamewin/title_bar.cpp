#include "gamewin/title_bar.h"

#include <QMouseEvent>
#include <QWindow>

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
    m_label->setText(QStringLiteral("Tomelin"));
}

void TitleBar::setText(const QString& text) {
    m_label->setText(text);
    m_label->adjustSize();
    m_label->resize(m_label->width(), height());
}

QString TitleBar::text() const {
    return m_label->text();
}

void TitleBar::paintStrip() {
    const CaptionColours c = captionColours(palette(), m_active);
    PaintTitleStrip(surface(), width(), height(), c.start, c.end);
    m_label->adjustSize();
    m_label->resize(m_label->width(), height());
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
