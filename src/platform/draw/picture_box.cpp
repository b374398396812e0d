#include "platform/draw/picture_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

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
    // Drawn at the screen's density: a picture pixel is that many device pixels.
    const int scale = std::max(1, static_cast<int>(std::lround(devicePixelRatioF())));
    if (m_surface.scale() != scale)
        m_surface.setScale(scale);
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
    // Device pixel for device pixel on a high-density screen.
    p.drawImage(QRectF(rect()), image());
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
