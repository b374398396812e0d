#include "platform/draw/picture_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace tomelin {

PictureBox::PictureBox(QWidget* parent, Rgb background)
    : QWidget(parent), m_surface(1, 1, background) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_surface.setRefreshHandler([this] { update(); });
}

ImageSurface& PictureBox::imageSurface() {
    syncSize();
    return m_surface;
}

const QImage& PictureBox::image() {
    syncSize();
    return m_surface.image();
}

void PictureBox::syncSize() {
    if (m_surface.width() != width() || m_surface.height() != height())
        m_surface.resize(width(), height());
}

void PictureBox::clearPicture() {
    syncSize();
    m_surface.clear();
    update();
}

void PictureBox::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.drawImage(0, 0, image());
}

void PictureBox::resizeEvent(QResizeEvent* event) {
    syncSize();
    QWidget::resizeEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    emit pressed(event->position(), event->button());
    event->accept();
}

}  // namespace tomelin
