#include "gamewin/tool_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tomelin {

ToolButton::ToolButton(QWidget* parent, const QImage& picture, const QString& tooltip)
    : QAbstractButton(parent), m_picture(picture) {
    setFixedSize(24, 22);
    setFocusPolicy(Qt::TabFocus);
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
    if (hasFocus()) {
        // The keyboard's place: a dotted frame in black and white, seen on any picture.
        p.setPen(QPen(Qt::white, 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void ToolButton::mousePressEvent(QMouseEvent* event) {
    m_down = true;
    update();
    event->accept();
}

void ToolButton::mouseMoveEvent(QMouseEvent* event) {
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
        click();
}

void ToolButton::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!event->isAutoRepeat()) {
                m_down = true;
                update();
            }
            event->accept();
            return;
        default:
            QAbstractButton::keyPressEvent(event);
    }
}

void ToolButton::keyReleaseEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            if (!event->isAutoRepeat() && m_down) {
                m_down = false;
                update();
                click();
            }
            return;
        default:
            QAbstractButton::keyReleaseEvent(event);
    }
}

}  // namespace tomelin

namespace tomelin {

ClickArea::ClickArea(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
}

void ClickArea::paintEvent(QPaintEvent* /*event*/) {
    // The window's own picture shows through: the area draws nothing.
}

void ClickArea::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void ClickArea::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
}

}  // namespace tomelin
