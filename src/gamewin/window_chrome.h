#pragma once
// The game window's chrome: the caption bar `Picture11` with the toolbar `Picture13(i)`,
// the inactive caption `Picture4` over it, the window-size corner `Image10` and the pop-up
// menus behind the toolbar buttons, the size corner and the window's close request.

#include <QImage>
#include <QMenu>
#include <QObject>
#include <array>

#include "gamewin/window_layout.h"

namespace tomelin {

class TitleBar;
class ToolButton;
class ClickArea;

// It puts its parts on `window` and reports what the user chose there. Every button has a
// key (shown in its tooltip): Ctrl+Q, H, P, Ctrl+R, Ctrl+N, Z, F1, and Ctrl+- / Ctrl++ for
// the size steps; Tab walks the toolbar. The menus are
// named "restartMenu", "newGameMenu", "quitMenu" and "sizeMenu"; the buttons "Picture13_i".
class WindowChrome : public QObject {
    Q_OBJECT
public:
    explicit WindowChrome(QWidget& window);

    // The caption's text ("Tomelin - <board>", or "Tomelin" for no board name).
    void setBoardName(const QString& name);
    // Places every part from the layout and paints the caption strips anew.
    void applyLayout(const WindowLayout& layout);
    // After the window's other parts exist: the size corner and the overlay over the
    // take-back button lie on top.
    void raiseOverParts();

    // `Picture4`: the inactive caption over the active one, shown while none of the
    // program's windows is active.
    void setCaptionInactive(bool inactive);
    bool captionInactive() const;
    // Toolbar picture i (0 … 7, in key colours until start-up recolours them).
    QImage& toolbarImage(int index);
    void refreshToolbar();
    // The overlay (7) over the take-back button: shown while nothing can be taken back.
    void setTakeBackUnavailable(bool unavailable);
    // The size corner opens its menu only while a game runs.
    void setSizeCornerEnabled(bool enabled);
    // Which of "Zmenšit okno" and "Zvětšit okno" the size menu offers.
    void setHeightSteps(bool canShrink, bool canGrow);

    // Tab from `widget` (the board) leads to the toolbar's first button.
    void followInTabOrder(QWidget* widget);
    // The setup window's own pop-up menus instead of the built-in ones (null keeps one).
    void useMenus(QMenu* restart, QMenu* newGame, QMenu* quit, QMenu* size);
    // "Opravdu skončit?" at the pointer (the window's close request).
    void offerQuit();

signals:
    void closeClicked();
    void musicClicked();
    void minimiseClicked();
    void takeBackClicked();
    void aboutClicked();
    void restartChosen();
    void newGameChosen();
    void quitChosen();
    void heightStepChosen(bool grow);

private:
    enum Menu { Restart, NewGame, Quit, Size };
    void popUp(Menu which);
    void popUpAt(Menu which, QWidget* button);
    void popUpFrom(Menu which, QWidget* button);
    QMenu* menuOf(Menu which) const;

    QWidget& m_window;
    TitleBar* m_title = nullptr;
    TitleBar* m_inactiveTitle = nullptr;
    std::array<ToolButton*, 8> m_tools{};
    std::array<QImage, 8> m_toolImages;
    ClickArea* m_sizeCorner = nullptr;
    std::array<QMenu*, 4> m_menus{};
    std::array<QMenu*, 4> m_externalMenus{};
    QAction* m_shrinkAction = nullptr;
    QAction* m_growAction = nullptr;
};

}  // namespace tomelin
