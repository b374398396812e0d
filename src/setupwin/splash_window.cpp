#include "setupwin/splash_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScreen>
#include <QElapsedTimer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace tomelin {

SplashWindow::SplashWindow(const QPixmap& logo, const QPixmap& title, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
    setObjectName("frmSplash");
    setStyleSheet(
        QStringLiteral("#SplashWindow { background: #0e1630; border: 2px solid #f6c446; }"
                       "#SplashWindow QLabel { color: #f3e6b8; }"));

    auto* image2 = new QLabel(this);
    image2->setObjectName("Image2");
    image2->setPixmap(title);
    image2->setAlignment(Qt::AlignCenter);
    auto* image1 = new QLabel(this);
    image1->setObjectName("Image1");
    image1->setPixmap(logo);
    image1->setAlignment(Qt::AlignCenter);

    auto* version = new QLabel(QStringLiteral("1.55"), this);
    version->setObjectName("Label1");
    auto* date = new QLabel(QStringLiteral("20.01. 2001"), this);
    date->setObjectName("lblVersion");
    m_status = new QLabel(this);
    m_status->setObjectName("Status");
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(version);
    bottom->addSpacing(12);
    bottom->addWidget(date);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 10);
    layout->setSpacing(10);
    layout->addWidget(image2);
    layout->addWidget(image1);
    layout->addLayout(bottom);
    adjustSize();
    setFixedSize(size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void SplashWindow::showAtOnce(int maxWaitMs) {
    show();
    QElapsedTimer clock;
    clock.start();
    // Wakes the wait below should the window system never answer.
    QTimer guard;
    guard.setSingleShot(true);
    guard.start(maxWaitMs);
    while (!(windowHandle() != nullptr && windowHandle()->isExposed()) &&
           clock.elapsed() < maxWaitMs) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents |
                                        QEventLoop::ExcludeUserInputEvents);
    }
    repaint();
}

void SplashWindow::setStatus(const QString& text) {
    m_status->setText(text);
    m_status->repaint();
    QApplication::processEvents();
}

QString SplashWindow::status() const {
    return m_status->text();
}

}  // namespace tomelin
