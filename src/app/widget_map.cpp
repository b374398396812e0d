#include "app/widget_map.h"

#include <QApplication>
#include <QEvent>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

namespace tomelin {

namespace {

// The control's name with the names of its named ancestors up to its window.
QString pathOf(const QWidget* w) {
    QString path = w->objectName();
    for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
        if (!p->objectName().isEmpty())
            path.prepend(p->objectName() + QLatin1Char('/'));
        if (p->isWindow())
            break;
    }
    return path;
}

QString line(const QString& name, const QWidget* w) {
    const QPoint at = w->mapToGlobal(QPoint(0, 0));
    return QStringLiteral("%1 %2 %3 %4 %5\n")
        .arg(name)
        .arg(at.x())
        .arg(at.y())
        .arg(w->width())
        .arg(w->height());
}

}  // namespace

WidgetMap::WidgetMap(QString path, QObject* parent) : QObject(parent), m_path(std::move(path)) {
    qApp->installEventFilter(this);
}

bool WidgetMap::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowStateChange:
            if (watched->isWidgetType() && !m_pending) {
                m_pending = true;
                QTimer::singleShot(20, this, [this] { write(); });
            }
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void WidgetMap::write() {
    m_pending = false;
    QString text;
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->objectName().isEmpty())
            continue;
        // A window's line ends with its X window, for the tests to ask X about it.
        text.insert(text.size(), line(window->objectName(), window).chopped(1) +
                                     QStringLiteral(" %1\n").arg(window->winId()));
        for (const QWidget* w : window->findChildren<QWidget*>()) {
            if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) &&
                w->isVisible() && w->window() == window)
                text += line(pathOf(w), w);
        }
    }
    QSaveFile file(m_path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(text.toUtf8());
        file.commit();
    }
}

}  // namespace tomelin
