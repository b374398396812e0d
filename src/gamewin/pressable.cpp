#include "gamewin/pressable.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace tomelin {

namespace {

constexpr const char* kPressable = "tomelinPressable";

class PressableInterface : public QAccessibleWidget {
public:
    explicit PressableInterface(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
        QCoreApplication::sendEvent(widget(), &press);
        QCoreApplication::sendEvent(widget(), &release);
    }
};

QAccessibleInterface* pressableFactory(const QString& /*className*/, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->property(kPressable).toBool())
        return nullptr;
    return new PressableInterface(widget);
}

}  // namespace

void markPressable(QWidget& widget, const QString& name) {
    static const bool installed = [] {
        QAccessible::installFactory(pressableFactory);
        return true;
    }();
    (void)installed;
    widget.setProperty(kPressable, true);
    widget.setAccessibleName(name);
}

}  // namespace tomelin
