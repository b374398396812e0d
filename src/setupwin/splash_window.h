#pragma once
// `SplashWindow` (`frmSplash`): the window shown while the program loads, with the logo, the title
// picture, the version and a status line telling what is being loaded.

#include <QWidget>

class QLabel;

namespace tomelin {

// The start-up splash; lives only while the program starts.
class SplashWindow : public QWidget {
    Q_OBJECT
public:
    SplashWindow(const QPixmap& logo, const QPixmap& title, QWidget* parent = nullptr);

    // Shows the splash and lets the window system put it on the screen (at most `maxWaitMs`),
    // so that it is seen while the program goes on working without events.
    void showAtOnce(int maxWaitMs = 100);

    // `Status`: shows the text and lets pending events run so that it appears at once.
    void setStatus(const QString& text);
    QString status() const;

private:
    QLabel* m_status = nullptr;
};

}  // namespace tomelin
