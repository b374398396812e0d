#pragma once
// `Picture11` (and `Picture4`): the window's own caption bar, which moves the window.

#include <QLabel>
#include <QPoint>

#include "drawing/title_strip.h"
#include "platform/draw/picture_box.h"

namespace tomelin {

// A caption-coloured strip with its text label (`Label2` or `Label10`). Pressing the bar or
// its text starts moving the window: through the window system when it can, otherwise by
// following the pointer until the button is released.
class TitleBar : public PictureBox {
    Q_OBJECT
public:
    TitleBar(QWidget* parent, bool active);

    // The whole text; the label shows it cut with "…" when it is wider than the room left of
    // the toolbar, and the bar's tooltip then gives it whole.
    void setText(const QString& text);
    QString text() const { return m_text; }
    // The width the text may take, from its left edge (negative: as wide as the bar).
    void setTextRoom(int width);
    QLabel* label() { return m_label; }
    // Repaints the strip for its current size (`PaintTitleStrip`).
    void paintStrip();
    // The manual drag is running (no window-system move available).
    bool dragging() const { return m_dragging; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showText();

    QString m_text;
    int m_room = -1;
    bool m_active;
    QLabel* m_label;
    bool m_dragging = false;
    QPoint m_lastGlobal;
};

}  // namespace tomelin
