#pragma once
// `Picture12(i)` with its `Picture13(i)`: a toolbar button showing half of a two-look picture.

#include <QAbstractButton>
#include <QImage>

namespace tomelin {

// Shows the upper (normal) half of its 24 x 44 picture, the lower (pressed) half while a
// mouse button is held on it; a left-button release over the button is a click. It is a
// button to the keyboard (Space or Return while it has the focus, which it shows with a
// dotted frame) and to screen readers (its name, in Czech, is the tooltip without the key).
class ToolButton : public QAbstractButton {
    Q_OBJECT
public:
    ToolButton(QWidget* parent, const QImage& picture, const QString& tooltip);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }
    bool isDown() const { return m_down; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QImage m_picture;
    bool m_down = false;
};

}  // namespace tomelin

namespace tomelin {

// A plain area that reports a click (the window-size corner `Image10`); a button to screen
// readers.
class ClickArea : public QAbstractButton {
    Q_OBJECT
public:
    explicit ClickArea(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tomelin
