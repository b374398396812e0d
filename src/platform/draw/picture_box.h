#pragma once
// A widget showing a persistent picture: drawn through DrawSurface, never redrawn from a model.

#include <QWidget>

#include "platform/draw/image_surface.h"

namespace tomelin {

// The picture follows the widget's size (keeping what it holds); a paint event only copies
// the picture to the screen. Subclasses may paint overlays after calling the base paintEvent.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr, Rgb background = 0);

    // The picture always has the widget's current size, even before the widget is shown
    // (hidden widgets get no resize events until then).
    DrawSurface& surface() { return imageSurface(); }
    ImageSurface& imageSurface();
    const QImage& image();
    void setBackgroundColour(Rgb colour) { m_surface.setBackgroundColour(colour); }
    Rgb backgroundColour() const { return m_surface.backgroundColour(); }
    // Cls: the whole picture in the background colour, shown at once.
    void clearPicture();

signals:
    // A mouse button went down over the picture (any button), in picture pixels.
    void pressed(QPointF position, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void syncSize();

    ImageSurface m_surface;
};

}  // namespace tomelin
