#include "gamewin/minimise_guard.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace tomelin {

MinimiseGuard::MinimiseGuard(QWidget& window, std::function<void(bool)> changed)
    : QObject(&window), m_window(window), m_changed(std::move(changed)) {
    window.installEventFilter(this);
}

void MinimiseGuard::minimise() {
    m_asked = true;
    m_window.showMinimized();
}

void MinimiseGuard::showForGame() {
    m_window.setWindowState(m_window.windowState() & ~Qt::WindowMinimized);
    m_asked = false;
    m_shownAt.start();
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
}

void MinimiseGuard::restore() {
    m_window.setWindowState(m_window.windowState() & ~Qt::WindowMinimized);
    m_window.show();
    m_window.raise();
    m_window.activateWindow();
}

bool MinimiseGuard::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::WindowStateChange) {
        const bool minimised = m_window.isMinimized();
        if (minimised && !m_asked && m_shownAt.isValid() && m_shownAt.elapsed() < kStartSettleMs)
            QTimer::singleShot(0, this, [this] { restore(); });  // nobody asked for that
        m_changed(minimised);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tomelin
