#include "setupwin/setup_menus.h"

#include <QCoreApplication>

#include <QAction>
#include <QMenu>

#include "gamewin/window_layout.h"

namespace tomelin {

SizeMenuState sizeMenuState(int height, int screenHeight) {
    return {mayShrink(height, screenHeight), mayGrow(height, screenHeight)};
}

namespace {

QMenu* submenu(QMenu* parent, const QString& title, const char* name) {
    QMenu* menu = parent->addMenu(title);
    menu->setObjectName(name);
    return menu;
}

QAction* item(QMenu* menu, const QString& text, const char* name) {
    QAction* action = menu->addAction(text);
    action->setObjectName(name);
    return action;
}

}  // namespace

SetupMenus::SetupMenus(QWidget* owner) : QObject(owner) {
    sizeMenu = new QMenu(QStringLiteral("Hght"), owner);
    sizeMenu->setObjectName("Hght");
    shrinkItem = item(sizeMenu, QCoreApplication::translate("SetupMenus", "Zmenšit okno"), "HGM");
    growItem = item(sizeMenu, QCoreApplication::translate("SetupMenus", "Zvětšit okno"), "HGV");

    editorMenu = new QMenu(QCoreApplication::translate("SetupMenus", "Editor"), owner);
    editorMenu->setObjectName("EDI");
    addBoardItem =
        item(editorMenu, QCoreApplication::translate("SetupMenus", "Přidat pole"), "ADDMAP");
    editBoardItem =
        item(editorMenu, QCoreApplication::translate("SetupMenus", "Editovat pole"), "EDMAP");
    deleteBoardMenu =
        submenu(editorMenu, QCoreApplication::translate("SetupMenus", "Smazat pole"), "DELMAPcc");
    deleteConfirmMenu = submenu(
        deleteBoardMenu, QCoreApplication::translate("SetupMenus", "Opravdu smazat?"), "DELMAPc");
    deleteBoardItem =
        item(deleteConfirmMenu, QCoreApplication::translate("SetupMenus", "ANO"), "DELMAP");

    // The game window pops these up directly: one confirmation question holding one item.
    restartMenu = new QMenu(QCoreApplication::translate("SetupMenus", "Opravdu?"), owner);
    restartMenu->setObjectName("NGc");
    restartItem =
        item(restartMenu, QCoreApplication::translate("SetupMenus", "Restartovat hru"), "NG");
    newGameMenu = new QMenu(QCoreApplication::translate("SetupMenus", "Opravdu?"), owner);
    newGameMenu->setObjectName("UNGc");
    newGameItem = item(newGameMenu, QCoreApplication::translate("SetupMenus", "Novou hru"), "UNG");
    quitMenu = new QMenu(QCoreApplication::translate("SetupMenus", "Opravdu skončit?"), owner);
    quitMenu->setObjectName("EDNc");
    quitItem = item(quitMenu, QCoreApplication::translate("SetupMenus", "Opravdu skončit"), "EDN");
}

void SetupMenus::prepareEditorMenu(bool builtin) {
    addBoardItem->setEnabled(true);
    editBoardItem->setEnabled(!builtin);
    deleteBoardMenu->menuAction()->setEnabled(!builtin);
}

void SetupMenus::applySizeState(const SizeMenuState& state) {
    shrinkItem->setEnabled(state.canShrink);
    growItem->setEnabled(state.canGrow);
}

}  // namespace tomelin
