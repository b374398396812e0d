// What a screen reader finds in each of the program's windows: every control that can be
// used (takes the keyboard or is a button, list, box or slider) has a Czech name and a role
// that says what it is, and the controls a player needs most have the names given here.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QTimer>
#include <map>

#include "records/survey.h"
#include "recordswin/records_viewer.h"
#include "setupwin/about_window.h"
#include "setupwin/launched_program.h"
#include "setupwin/music_window.h"
#include "setupwin/token_chooser.h"

namespace tomelin {
namespace {

// The roles of controls a person uses.
bool usable(QAccessible::Role role) {
    return QList<QAccessible::Role>{
        QAccessible::Button,       QAccessible::CheckBox,  QAccessible::RadioButton,
        QAccessible::ComboBox,     QAccessible::List,      QAccessible::Table,
        QAccessible::EditableText, QAccessible::ScrollBar, QAccessible::Slider,
        QAccessible::SpinBox,      QAccessible::MenuItem}
        .contains(role);
}

struct Control {
    QString name;
    QAccessible::Role role;
};

// Every visible control of `window` by its object name (or class), with what a reader gets.
// Controls without a name, or focusable ones without a role that says what they are, are
// listed in `faults`.
std::map<QString, Control> walk(QWidget& window, QStringList& faults) {
    std::map<QString, Control> seen;
    std::function<void(QAccessibleInterface*, int)> visit = [&](QAccessibleInterface* node,
                                                                int depth) {
        if (node == nullptr || depth > 40)
            return;
        auto* widget = qobject_cast<QWidget*>(node->object());
        const QAccessible::State state = node->state();
        if (widget != nullptr && widget->isVisibleTo(&window) && !state.invisible) {
            const QString id = widget->objectName().isEmpty()
                                   ? QString::fromLatin1(widget->metaObject()->className())
                                   : widget->objectName();
            const QString name = node->text(QAccessible::Name).trimmed();
            const QAccessible::Role role = node->role();
            const bool takesKeyboard = state.focusable && widget->isEnabled();
            if ((usable(role) || takesKeyboard) && name.isEmpty())
                faults << QStringLiteral("%1: no name (role %2)").arg(id).arg(role);
            if (takesKeyboard && !usable(role) && role != QAccessible::Client &&
                role != QAccessible::Canvas)
                faults << QStringLiteral("%1 takes the keyboard as role %2").arg(id).arg(role);
            if (!widget->objectName().isEmpty())
                seen[id] = {name, role};
        }
        for (int i = 0; i < node->childCount(); ++i)
            visit(node->child(i), depth + 1);
    };
    visit(QAccessible::queryAccessibleInterface(&window), 0);
    return seen;
}

class Accessibility : public LaunchedProgram {};

TEST_F(Accessibility, EveryControlOfEveryWindowHasANameAndARole) {
    storeGame({"Alena", "Bohouš"}, {"AEE1", "EEA6"});
    SetupWindow& setup = launch();
    setup.show();
    struct Expected {
        const char* window;
        const char* object;
        const char* name;
        QAccessible::Role role;
    };
    const Expected expected[] = {
        {"setup", "Check3", "O programu", QAccessible::Button},
        {"setup", "Picture12", "Hudba", QAccessible::Button},
        {"setup", "Command1", "START", QAccessible::Button},
        {"setup", "Check2", "Záznamy her", QAccessible::Button},
        {"setup", "List1", "Hrací pole", QAccessible::List},
        {"game", "Picture13_0", "Zavřít", QAccessible::Button},
        {"game", "Picture13_1", "Hudba", QAccessible::Button},
        {"game", "Picture13_2", "Pauza-Minimalizovat", QAccessible::Button},
        {"game", "Picture13_3", "Restart hry", QAccessible::Button},
        {"game", "Picture13_4", "Nová hra", QAccessible::Button},
        {"game", "Picture13_5", "Vrátit tah", QAccessible::Button},
        {"game", "Picture13_6", "O programu", QAccessible::Button},
        {"game", "Image10", "Velikost okna", QAccessible::Button},
        {"game", "PL", "Hrací pole", QAccessible::Table},
        {"chooser", "VScroll1_0", "Červená", QAccessible::ScrollBar},
        {"music", "Combo1", "Skladby", QAccessible::List},
        {"editor", "Text1", "Jméno pole", QAccessible::EditableText},
        {"editor", "HScroll1", "Velikost pole", QAccessible::ScrollBar},
    };

    // The setup window first: START hides it.
    const auto check = [&expected](const QString& title, QWidget& window) {
        SCOPED_TRACE(title.toStdString());
        QStringList faults;
        const std::map<QString, Control> seen = walk(window, faults);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
        for (const Expected& e : expected) {
            if (title != QLatin1String(e.window))
                continue;
            const auto found = seen.find(QString::fromLatin1(e.object));
            ASSERT_NE(found, seen.end()) << e.object;
            EXPECT_EQ(found->second.name, QString::fromUtf8(e.name)) << e.object;
            EXPECT_EQ(found->second.role, e.role) << e.object;
        }
    };
    check(QStringLiteral("setup"), setup);
    GameWindow& game = this->game();
    setup.requestStart();
    ASSERT_TRUE(game.isVisible());
    auto* chooser = setup.findChild<TokenChooser*>();
    ASSERT_NE(chooser, nullptr);
    chooser->show();
    MusicWindow& music = program->musicWindow();
    music.show();
    BoardEditor editor(store(), QString::fromStdString(builtinBoards()[0].boardString),
                       QStringLiteral("Nové pole"), QStringLiteral("01"));
    editor.show();
    AboutWindow about(setup.titlePicture());
    about.show();
    RecordsViewer records(readSurvey(store()), 1);
    records.show();
    const std::map<QString, QWidget*> windows{{"game", &game},   {"chooser", chooser},
                                              {"music", &music}, {"editor", &editor},
                                              {"about", &about}, {"records", &records}};
    for (const auto& [title, window] : windows)
        check(title, *window);
    // The player panels' token pictures are buttons that open the chooser.
    QStringList faults;
    int tokenButtons = 0;
    for (PlayerPanel* panel : {setup.panel(0), setup.panel(1)}) {
        for (QWidget* w : panel->findChildren<QWidget*>()) {
            QAccessibleInterface* node = QAccessible::queryAccessibleInterface(w);
            if (node != nullptr &&
                node->text(QAccessible::Name).startsWith(QStringLiteral("Figurka"))) {
                EXPECT_EQ(node->role(), QAccessible::Button);
                ++tokenButtons;
                QSignalSpy opened(panel, &PlayerPanel::previewClicked);
                node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                EXPECT_EQ(opened.count(), 1);
            }
        }
    }
    EXPECT_EQ(tokenButtons, 2);
}

}  // namespace
}  // namespace tomelin
