#pragma once
// `Picture12(i)` with its `Picture13(i)`: a toolbar button showing half of a two-look picture.

#include <QImage>
#include <QWidget>

namespace tomelin {

// Shows the upper (normal) half of its 24 x 44 picture, the lower (pressed) half while a
// mouse button is held on it; a left-button release over the button is a click.
class ToolButton : public QWidget {
    Q_OBJECT
public:
    ToolButton(QWidget* parent, const QImage& picture, const QString& tooltip);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    bool isDown() const { return m_down; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_picture;
    bool m_down = false;
};

}  // namespace tomelin

namespace tomelin {

// A plain area that reports a click (the window-size corner `Image10`).
class ClickArea : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tomelin
