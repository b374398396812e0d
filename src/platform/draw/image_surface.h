#pragma once
// The drawing surface over a persistent QImage: what is drawn stays until drawn over.

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>

#include "platform/draw/draw_surface.h"

namespace tomelin {

QColor toQColor(Rgb colour);
Rgb fromQColor(const QColor& colour);

// Keeps one open painter between primitives (opening one per primitive would dominate the cost
// of a full board redraw) and closes it whenever the image is read.
class ImageSurface : public DrawSurface {
public:
    explicit ImageSurface(int width = 0, int height = 0, Rgb background = 0);
    ~ImageSurface() override;

    void fillBox(double x1, double y1, double x2, double y2, Rgb colour) override;
    void boxOutline(double x1, double y1, double x2, double y2, Rgb colour) override;
    void line(double x1, double y1, double x2, double y2, Rgb colour) override;
    void ellipse(double cx, double cy, double radius, double aspect, Rgb colour) override;
    void refresh() override;
    Rgb backgroundColour() const override { return m_background; }

    void setBackgroundColour(Rgb colour) { m_background = colour; }
    // Fills the whole picture with the background colour (a picture's Cls).
    void clear();
    // New size; the drawing is kept where it still fits, new area takes the background.
    void resize(int width, int height);
    // Coordinates and sizes are in picture pixels; the image holds `scale` x `scale` device
    // pixels for each (a high-density screen's ratio), so that outlines fall on device
    // pixels and show sharp. Every outline is one picture pixel wide. A new scale starts a
    // blank picture of the same size.
    void setScale(int scale);
    int scale() const { return m_scale; }
    int width() const { return m_image.width() / m_scale; }
    int height() const { return m_image.height() / m_scale; }
    // The picture as drawn so far, in device pixels (width() * scale() wide).
    const QImage& image() const;
    // Called by refresh(), e.g. to schedule a widget repaint.
    void setRefreshHandler(std::function<void()> handler) { m_onRefresh = std::move(handler); }

private:
    QPainter& painter();
    QRect deviceBox(double x1, double y1, double x2, double y2) const;
    void endPainting() const;

    QImage m_image;
    int m_scale = 1;
    mutable std::unique_ptr<QPainter> m_painter;
    Rgb m_background;
    std::function<void()> m_onRefresh;
};

}  // namespace tomelin
