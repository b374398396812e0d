// The program's own top-level windows are windows to a screen reader, dialogs stay dialogs, and
// what is not a window of the program keeps the role Qt gives it.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QDialog>
#include <QLabel>
#include <QWidget>

#include "platform/draw/accessible_windows.h"

namespace tomelin {

// Stand-ins for the program's windows: what counts is the class's namespace and kind.
class TestMainWindow : public QWidget {
    Q_OBJECT
};
class TestDialog : public QDialog {
    Q_OBJECT
};

namespace {

QAccessible::Role roleOf(QObject* object) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
    return iface != nullptr ? iface->role() : QAccessible::NoRole;
}

TEST(WindowsForScreenReaders, TheProgramsWindowsAreWindowsAndDialogsStayDialogs) {
    installWindowAccessibility();
    installWindowAccessibility();  // a second call adds nothing

    TestMainWindow window;
    window.setWindowTitle(QStringLiteral("Tomelin"));
    auto* inside = new TestMainWindow;
    inside->setParent(&window);
    auto* label = new QLabel(QStringLiteral("text"), &window);
    TestDialog dialog;
    QWidget plain;  // Qt's own class: left to Qt

    EXPECT_EQ(roleOf(&window), QAccessible::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Name),
              QStringLiteral("Tomelin"));
    EXPECT_NE(roleOf(inside), QAccessible::Window);
    EXPECT_EQ(roleOf(label), QAccessible::StaticText);
    EXPECT_EQ(roleOf(&dialog), QAccessible::Dialog);
    EXPECT_NE(roleOf(&plain), QAccessible::Window);
}

}  // namespace
}  // namespace tomelin

#include "accessible_windows_test.moc"
