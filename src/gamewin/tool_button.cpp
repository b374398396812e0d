#include "gamewin/tool_button.h"

#include <QMouseEvent>
#include <QPainter>

namespace tomelin {

ToolButton::ToolButton(QWidget* parent, const QImage& picture, const QString& tooltip)
    : QWidget(parent), m_picture(picture) {
    setFixedSize(24, 22);
    if (!tooltip.isEmpty())
        setToolTip(tooltip);
}

void ToolButton::setPicture(const QImage& picture) {
    m_picture = picture;
    update();
}

void ToolButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.drawImage(0, m_down ? -height() : 0, m_picture);
}

void ToolButton::mousePressEvent(QMouseEvent* event) {
    m_down = true;
    update();
    event->accept();
}

void ToolButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasDown = m_down;
    m_down = false;
    update();
    event->accept();
    // Any button shows the pressed look; only the left button clicks.
    if (wasDown && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

}  // namespace tomelin

namespace tomelin {

void ClickArea::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

}  // namespace tomelin
