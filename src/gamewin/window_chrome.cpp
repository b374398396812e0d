#include "gamewin/window_chrome.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <cmath>
#include <QShortcut>
#include <algorithm>

#include "gamewin/title_bar.h"
#include "platform/draw/ui_text.h"
#include "gamewin/tool_button.h"
#include "gamewin/toolbar_pictures.h"

namespace tomelin {

namespace {
// The screen's density in whole device pixels per picture pixel.
int pictureScale() {
    return std::max(1, static_cast<int>(std::lround(qApp->devicePixelRatio())));
}
}  // namespace

namespace texts {
const QString kTitle = QStringLiteral("Tomelin");
const QString kTitlePrefix = QStringLiteral("Tomelin - ");
// The buttons' names, for their tooltips and for screen readers.
const std::array<UiText, 8> kToolNames{{
    {"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Zavřít")},
    {"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Hudba")},
    {"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Pauza-Minimalizovat")},
    {"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Restart hry")},
    {"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Nová hra")},
    {"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Vrátit tah")},
    {"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "O programu")},
    {"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Nelze vrátit zpět ")}}};
// Each button's key, shown in its tooltip; "H" and "Z" are the board's own keys.
const std::array<QString, 8> kToolKeys{QStringLiteral("Ctrl+Q"), QStringLiteral("H"),
                                       QStringLiteral("P"),      QStringLiteral("Ctrl+R"),
                                       QStringLiteral("Ctrl+N"), QStringLiteral("Z"),
                                       QStringLiteral("F1"),     QString()};
const UiText kSizeCorner{"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Velikost okna")};
const QString kSizeKeys = QStringLiteral("Ctrl+- / Ctrl++");
const UiText kSure{"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Opravdu?")};
const UiText kRestart{"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Restartovat hru")};
const UiText kNewGame{"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Novou hru")};
const UiText kSureQuit{"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Opravdu skončit?")};
const UiText kQuit{"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Opravdu skončit")};
const UiText kShrink{"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Zmenšit okno")};
const UiText kGrow{"WindowChrome", QT_TRANSLATE_NOOP("WindowChrome", "Zvětšit okno")};
}  // namespace texts

WindowChrome::WindowChrome(QWidget& window) : QObject(&window), m_window(window) {
    m_title = new TitleBar(&window, true);
    m_title->label()->setObjectName(QStringLiteral("caption"));
    m_inactiveTitle = new TitleBar(&window, false);
    m_inactiveTitle->hide();
    for (int i = 0; i < kToolbarPictureCount; ++i) {
        const auto k = static_cast<std::size_t>(i);
        m_toolImages[k] = toolbarPicture(i, pictureScale());
        const QString& key = texts::kToolKeys[k];
        const QString name = texts::kToolNames[k].text().trimmed();
        m_tools[k] = new ToolButton(
            m_title, m_toolImages[k],
            key.isEmpty() ? texts::kToolNames[k].text() : QStringLiteral("%1 (%2)").arg(name, key));
        m_tools[k]->setObjectName(QStringLiteral("Picture13_%1").arg(i));
        m_tools[k]->setAccessibleName(name);
    }
    // The overlay only says that nothing can be taken back: the keyboard passes it by.
    m_tools[7]->setFocusPolicy(Qt::NoFocus);
    // The keys of the buttons (the board handles "H" and "Z" itself).
    const auto shortcut = [this](const QKeySequence& keys, auto handler) {
        auto* s = new QShortcut(keys, &m_window);
        s->setContext(Qt::WindowShortcut);
        connect(s, &QShortcut::activated, this, handler);
    };
    shortcut(QKeySequence(QStringLiteral("Ctrl+Q")), [this] { popUpAt(Quit, m_tools[0]); });
    shortcut(QKeySequence(Qt::Key_P), [this] { emit minimiseClicked(); });
    shortcut(QKeySequence(QStringLiteral("Ctrl+R")), [this] { popUpAt(Restart, m_tools[3]); });
    shortcut(QKeySequence(QStringLiteral("Ctrl+N")), [this] { popUpAt(NewGame, m_tools[4]); });
    shortcut(QKeySequence(Qt::Key_F1), [this] { emit aboutClicked(); });
    shortcut(QKeySequence(QStringLiteral("Ctrl+-")), [this] {
        if (m_shrinkAction->isEnabled() && m_sizeCorner->isEnabled())
            emit heightStepChosen(false);
    });
    for (const char* grow : {"Ctrl++", "Ctrl+="}) {
        shortcut(QKeySequence(QString::fromLatin1(grow)), [this] {
            if (m_growAction->isEnabled() && m_sizeCorner->isEnabled())
                emit heightStepChosen(true);
        });
    }
    connect(m_tools[0], &ToolButton::clicked, this, &WindowChrome::closeClicked);
    connect(m_tools[1], &ToolButton::clicked, this, &WindowChrome::musicClicked);
    connect(m_tools[2], &ToolButton::clicked, this, &WindowChrome::minimiseClicked);
    connect(m_tools[3], &ToolButton::clicked, this, [this] { popUpFrom(Restart, m_tools[3]); });
    connect(m_tools[4], &ToolButton::clicked, this, [this] { popUpFrom(NewGame, m_tools[4]); });
    connect(m_tools[5], &ToolButton::clicked, this, &WindowChrome::takeBackClicked);
    connect(m_tools[6], &ToolButton::clicked, this, &WindowChrome::aboutClicked);
    // The overlay (7) lies over the take-back button and swallows its clicks.

    m_sizeCorner = new ClickArea(&window);
    m_sizeCorner->setObjectName(QStringLiteral("Image10"));
    m_sizeCorner->setAccessibleName(texts::kSizeCorner);
    m_sizeCorner->setToolTip(QStringLiteral("%1 (%2)").arg(texts::kSizeCorner.text(), texts::kSizeKeys));
    connect(m_sizeCorner, &ClickArea::clicked, this, [this] { popUp(Size); });

    const auto single = [this](const QString& name, const QString& title, const QString& item,
                               void (WindowChrome::*chosen)()) {
        auto* menu = new QMenu(title, &m_window);
        menu->setObjectName(name);
        connect(menu->addAction(item), &QAction::triggered, this, chosen);
        return menu;
    };
    m_menus[Restart] = single(QStringLiteral("restartMenu"), texts::kSure, texts::kRestart,
                              &WindowChrome::restartChosen);
    m_menus[NewGame] = single(QStringLiteral("newGameMenu"), texts::kSure, texts::kNewGame,
                              &WindowChrome::newGameChosen);
    m_menus[Quit] = single(QStringLiteral("quitMenu"), texts::kSureQuit, texts::kQuit,
                           &WindowChrome::quitChosen);
    m_menus[Size] = new QMenu(QStringLiteral("Hght"), &m_window);
    m_menus[Size]->setObjectName(QStringLiteral("sizeMenu"));
    m_shrinkAction = m_menus[Size]->addAction(texts::kShrink);
    m_growAction = m_menus[Size]->addAction(texts::kGrow);
    connect(m_shrinkAction, &QAction::triggered, this, [this] { emit heightStepChosen(false); });
    connect(m_growAction, &QAction::triggered, this, [this] { emit heightStepChosen(true); });
}

void WindowChrome::setBoardName(const QString& name) {
    const QString text = name.isEmpty()
                             ? texts::kTitle
                             : texts::kTitlePrefix + QCoreApplication::translate("Boards", name.toUtf8());
    m_title->setText(text);
    m_inactiveTitle->setText(text);
}

void WindowChrome::applyLayout(const WindowLayout& l) {
    m_title->setGeometry(l.titleBar);
    m_inactiveTitle->setGeometry(l.titleBar);
    m_title->paintStrip();
    m_inactiveTitle->paintStrip();
    int toolbarLeft = l.titleBar.width();
    for (std::size_t i = 0; i < 7; ++i) {
        m_tools[i]->move(l.toolButtons[i].topLeft());
        toolbarLeft = std::min(toolbarLeft, l.toolButtons[i].left());
    }
    // The caption's text ends a little before the toolbar.
    const int room = toolbarLeft - m_title->label()->x() - 8;
    m_title->setTextRoom(room);
    m_inactiveTitle->setTextRoom(room);
    m_tools[7]->move(l.toolButtons[5].topLeft());
    m_sizeCorner->setGeometry(l.sizeCorner);
}

void WindowChrome::raiseOverParts() {
    m_sizeCorner->raise();
    m_tools[7]->raise();
    m_tools[7]->show();
}

void WindowChrome::setCaptionInactive(bool inactive) {
    m_inactiveTitle->setVisible(inactive);
    if (inactive)
        m_inactiveTitle->raise();
}

bool WindowChrome::captionInactive() const {
    return m_inactiveTitle->isVisibleTo(&m_window);
}

QImage& WindowChrome::toolbarImage(int index) {
    return m_toolImages[static_cast<std::size_t>(std::clamp(index, 0, kToolbarPictureCount - 1))];
}

void WindowChrome::refreshToolbar() {
    for (std::size_t i = 0; i < m_tools.size(); ++i)
        m_tools[i]->setPicture(m_toolImages[i]);
}

void WindowChrome::setTakeBackUnavailable(bool unavailable) {
    m_tools[7]->setVisible(unavailable);
}

void WindowChrome::setSizeCornerEnabled(bool enabled) {
    m_sizeCorner->setEnabled(enabled);
}

void WindowChrome::setHeightSteps(bool canShrink, bool canGrow) {
    m_shrinkAction->setEnabled(canShrink);
    m_growAction->setEnabled(canGrow);
}

void WindowChrome::followInTabOrder(QWidget* widget) {
    // Along the toolbar from left to right.
    QWidget* previous = widget;
    for (const std::size_t i : {3, 4, 5, 6, 1, 2, 0}) {
        QWidget::setTabOrder(previous, m_tools[i]);
        previous = m_tools[i];
    }
}

void WindowChrome::useMenus(QMenu* restart, QMenu* newGame, QMenu* quit, QMenu* size) {
    m_externalMenus = {restart, newGame, quit, size};
}

void WindowChrome::offerQuit() {
    popUp(Quit);
}

void WindowChrome::popUp(Menu which) {
    menuOf(which)->popup(QCursor::pos());
}

QMenu* WindowChrome::menuOf(Menu which) const {
    return m_externalMenus[which] ? m_externalMenus[which] : m_menus[which];
}

void WindowChrome::popUpAt(Menu which, QWidget* button) {
    // From the keyboard: under the button, its first item ready for Return.
    QMenu* menu = menuOf(which);
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
    if (!menu->actions().isEmpty())
        menu->setActiveAction(menu->actions().constFirst());
}

void WindowChrome::popUpFrom(Menu which, QWidget* button) {
    // A click pops the menu up at the pointer, Space or Return on the button under it.
    if (button->rect().contains(button->mapFromGlobal(QCursor::pos())))
        popUp(which);
    else
        popUpAt(which, button);
}

}  // namespace tomelin
