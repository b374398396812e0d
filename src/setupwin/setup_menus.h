#pragma once
// The setup window's pop-up menus: the board editor menu, the window-size menu and the three
// confirmation menus the game window pops up, each destructive command behind a submenu.

#include <QObject>

class QAction;
class QMenu;
class QWidget;

namespace tomelin {

// Whether the window-size menu's two items are enabled for a game window `height` pixels
// tall on a screen `screenHeight` pixels tall: "Zvětšit okno" only up to 12.5/15 of the
// screen, "Zmenšit okno" only while one more step leaves at least 420 pixels. The rules
// themselves are the game window's (mayGrow, mayShrink, heightStep in window_layout.h).
struct SizeMenuState {
    bool canShrink = true;
    bool canGrow = true;
    bool operator==(const SizeMenuState&) const = default;
};
SizeMenuState sizeMenuState(int height, int screenHeight);

// The menus `Hght`, `EDI` and `Ppm` with their confirmation submenus; the object names
// stay the old ones, by which the tests and the desktop test find them.
class SetupMenus : public QObject {
    Q_OBJECT
public:
    explicit SetupMenus(QWidget* owner);

    // `Hght`: "Zmenšit okno" (`HGM`), "Zvětšit okno" (`HGV`).
    QMenu* sizeMenu = nullptr;      // `Hght`
    QAction* shrinkItem = nullptr;  // `HGM`
    QAction* growItem = nullptr;    // `HGV`
    // `EDI`: "Přidat pole", "Editovat pole", "Smazat pole" → "Opravdu smazat?" → "ANO".
    QMenu* editorMenu = nullptr;         // `EDI`
    QAction* addBoardItem = nullptr;     // `ADDMAP`
    QAction* editBoardItem = nullptr;    // `EDMAP`
    QMenu* deleteBoardMenu = nullptr;    // `DELMAPcc`
    QMenu* deleteConfirmMenu = nullptr;  // `DELMAPc`
    QAction* deleteBoardItem = nullptr;  // `DELMAP`
    // `Ppm`'s three submenus as the game window pops them up, each holding the one item that
    // carries out the action: "Restartovat hru", "Novou hru", "Opravdu skončit".
    QMenu* restartMenu = nullptr;    // `NGc`
    QAction* restartItem = nullptr;  // `NG`
    QMenu* newGameMenu = nullptr;    // `UNGc`
    QAction* newGameItem = nullptr;  // `UNG`
    QMenu* quitMenu = nullptr;       // `EDNc`
    QAction* quitItem = nullptr;     // `EDN`

    // Enables the editor menu's items for a built-in board (`builtin`) or a stored one.
    void prepareEditorMenu(bool builtin);
    void applySizeState(const SizeMenuState& state);
};

}  // namespace tomelin
