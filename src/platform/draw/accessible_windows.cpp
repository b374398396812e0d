#include "platform/draw/accessible_windows.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QDialog>
#include <QWidget>

namespace tomelin {

namespace {

QAccessibleInterface* windowFactory(const QString& className, QObject* object) {
    // Only the program's own window classes: Qt's widgets (menus, tool tips, combo box
    // pop-ups) have interfaces of their own.
    if (!className.startsWith(QLatin1String("tomelin::")))
        return nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->isWindow() || qobject_cast<QDialog*>(widget) != nullptr)
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

}  // namespace

void installWindowAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(windowFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace tomelin
