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

// The menus `Hght`, `EDI` and `Ppm` with their confirmation submenus.
class SetupMenus : public QObject {
    Q_OBJECT
public:
    explicit SetupMenus(QWidget* owner);

    // `Hght`: "Zmenšit okno" (`HGM`), "Zvětšit okno" (`HGV`).
    QMenu* Hght = nullptr;
    QAction* HGM = nullptr;
    QAction* HGV = nullptr;
    // `EDI`: "Přidat pole", "Editovat pole", "Smazat pole" → "Opravdu smazat?" → "ANO".
    QMenu* EDI = nullptr;
    QAction* ADDMAP = nullptr;
    QAction* EDMAP = nullptr;
    QMenu* DELMAPcc = nullptr;
    QMenu* DELMAPc = nullptr;
    QAction* DELMAP = nullptr;
    // `Ppm`'s three submenus as the game window pops them up, each holding the one item that
    // carries out the action: "Restartovat hru", "Novou hru", "Opravdu skončit".
    QMenu* NGc = nullptr;
    QAction* NG = nullptr;
    QMenu* UNGc = nullptr;
    QAction* UNG = nullptr;
    QMenu* EDNc = nullptr;
    QAction* EDN = nullptr;

    // Enables the editor menu's items for a built-in board (`builtin`) or a stored one.
    void prepareEditorMenu(bool builtin);
    void applySizeState(const SizeMenuState& state);
};

}  // namespace tomelin
