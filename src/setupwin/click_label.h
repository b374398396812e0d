#pragma once
// A text label that reacts to a click like a link: hand cursor, `clicked` on release.

#include <QLabel>

namespace tomelin {

// A label the user clicks (the About window's web and mail links).
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace tomelin
