#include "platform/draw/image_surface.h"

#include <algorithm>
#include <cmath>

namespace tomelin {

namespace {

// Pixel of a real coordinate: nearest whole number, halves to even.
int pixel(double v) {
    return static_cast<int>(std::nearbyint(v));
}

}  // namespace

QColor toQColor(Rgb colour) {
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

Rgb fromQColor(const QColor& colour) {
    return rgb(colour.red(), colour.green(), colour.blue());
}

ImageSurface::ImageSurface(int width, int height, Rgb background)
    : m_image(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32),
      m_background(background) {
    m_image.fill(toQColor(background));
}

ImageSurface::~ImageSurface() {
    endPainting();
}

QPainter& ImageSurface::painter() {
    if (!m_painter) {
        m_painter = std::make_unique<QPainter>(&m_image);
        m_painter->setRenderHint(QPainter::Antialiasing, false);
        m_painter->setBrush(Qt::NoBrush);
    }
    return *m_painter;
}

void ImageSurface::endPainting() const {
    m_painter.reset();
}

// The device pixels a box between two picture coordinates covers: each corner's picture
// pixel placed at the device's precision, `scale` device pixels wide.
QRect ImageSurface::deviceBox(double x1, double y1, double x2, double y2) const {
    const double s = m_scale;
    const int left = pixel(std::min(x1, x2) * s);
    const int right = pixel(std::max(x1, x2) * s) + m_scale - 1;
    const int top = pixel(std::min(y1, y2) * s);
    const int bottom = pixel(std::max(y1, y2) * s) + m_scale - 1;
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void ImageSurface::fillBox(double x1, double y1, double x2, double y2, Rgb colour) {
    painter().fillRect(deviceBox(x1, y1, x2, y2), toQColor(colour));
}

void ImageSurface::boxOutline(double x1, double y1, double x2, double y2, Rgb colour) {
    const QRect r = deviceBox(x1, y1, x2, y2);
    const QColor c = toQColor(colour);
    QPainter& p = painter();
    const int s = m_scale;
    p.fillRect(QRect(r.left(), r.top(), r.width(), s), c);
    p.fillRect(QRect(r.left(), r.bottom() - s + 1, r.width(), s), c);
    p.fillRect(QRect(r.left(), r.top(), s, r.height()), c);
    p.fillRect(QRect(r.right() - s + 1, r.top(), s, r.height()), c);
}

void ImageSurface::line(double x1, double y1, double x2, double y2, Rgb colour) {
    QPainter& p = painter();
    if (m_scale == 1) {
        p.setPen(QPen(toQColor(colour), 0));
        p.drawLine(QPointF(x1, y1), QPointF(x2, y2));
        return;
    }
    // One picture pixel wide, through the middles of the device pixels it covers.
    const double s = m_scale;
    const double half = (s - 1) / 2;
    p.setPen(QPen(toQColor(colour), s, Qt::SolidLine, Qt::SquareCap));
    p.drawLine(QPointF(x1 * s + half, y1 * s + half), QPointF(x2 * s + half, y2 * s + half));
}

void ImageSurface::ellipse(double cx, double cy, double radius, double aspect, Rgb colour) {
    // Plotted directly: tokens are made of thousands of small outlines, and the generic path
    // stroker of the painter costs several times more per ellipse.
    // In device pixels: a point of the outline covers scale x scale of them.
    const int s = m_scale;
    const double half = (s - 1) / 2.0;
    const EllipseRadii r = ellipseRadii(std::abs(radius) * s, aspect);
    const double rx = r.horizontal;
    const double ry = r.vertical;
    cx = cx * s + half;
    cy = cy * s + half;
    painter();  // the image is detached and owned by this surface while painting
    const int w = m_image.width();
    const int h = m_image.height();
    const QRgb value = toQColor(colour).rgb();
    const int from = -(s / 2);
    const auto plot = [&](double x, double y) {
        const long px = std::lround(std::nearbyint(x));
        const long py = std::lround(std::nearbyint(y));
        for (int dy = from; dy < from + s; ++dy) {
            for (int dx = from; dx < from + s; ++dx) {
                const long qx = px + dx;
                const long qy = py + dy;
                if (qx < 0 || qy < 0 || qx >= w || qy >= h)
                    continue;
                reinterpret_cast<QRgb*>(m_image.scanLine(static_cast<int>(qy)))[qx] = value;
            }
        }
    };
    constexpr double kThin = 1e-9;
    if (rx < kThin || ry < kThin) {
        // Degenerate: a point or a straight stroke along the remaining axis.
        for (double t = -std::floor(rx); t <= rx; t += 1)
            plot(cx + t, cy);
        for (double t = -std::floor(ry); t <= ry; t += 1)
            plot(cx, cy + t);
        return;
    }
    // One pass over the columns and one over the rows, so steep and flat parts both stay
    // closed.
    // Each pass keeps its points within the rows (columns) the other pass covers: rounded
    // on their own, the few points nearest the top, bottom and ends could land one pixel
    // further out and stand there as a nub of one to three pixels.
    const double top = std::ceil(cy - ry);
    const double bottom = std::floor(cy + ry);
    const double left = std::ceil(cx - rx);
    const double right = std::floor(cx + rx);
    const auto within = [](double v, double lo, double hi) {
        return lo <= hi ? std::clamp(std::nearbyint(v), lo, hi) : v;
    };
    const long x0 = std::max<long>(static_cast<long>(left), 0);
    const long x1 = std::min<long>(static_cast<long>(right), w - 1);
    for (long x = x0; x <= x1; ++x) {
        const double t = (x - cx) / rx;
        const double dy = ry * std::sqrt(std::max(0.0, 1 - t * t));
        plot(x, within(cy - dy, top, bottom));
        plot(x, within(cy + dy, top, bottom));
    }
    const long y0 = std::max<long>(static_cast<long>(top), 0);
    const long y1 = std::min<long>(static_cast<long>(bottom), h - 1);
    for (long y = y0; y <= y1; ++y) {
        const double t = (y - cy) / ry;
        const double dx = rx * std::sqrt(std::max(0.0, 1 - t * t));
        plot(within(cx - dx, left, right), y);
        plot(within(cx + dx, left, right), y);
    }
}

void ImageSurface::refresh() {
    endPainting();
    if (m_onRefresh)
        m_onRefresh();
}

void ImageSurface::clear() {
    endPainting();
    m_image.fill(toQColor(m_background));
}

void ImageSurface::setScale(int scale) {
    scale = std::max(scale, 1);
    if (scale == m_scale)
        return;
    endPainting();
    const int w = width();
    const int h = height();
    m_scale = scale;
    m_image = QImage(w * scale, h * scale, QImage::Format_RGB32);
    m_image.fill(toQColor(m_background));
}

void ImageSurface::resize(int width, int height) {
    width = std::max(width, 1) * m_scale;
    height = std::max(height, 1) * m_scale;
    if (width == m_image.width() && height == m_image.height())
        return;
    endPainting();
    QImage next(width, height, QImage::Format_RGB32);
    next.fill(toQColor(m_background));
    {
        QPainter p(&next);
        p.drawImage(0, 0, m_image);
    }
    m_image = std::move(next);
}

const QImage& ImageSurface::image() const {
    endPainting();
    return m_image;
}

}  // namespace tomelin
