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
    Hght = new QMenu(QStringLiteral("Hght"), owner);
    Hght->setObjectName("Hght");
    HGM = item(Hght, QCoreApplication::translate("SetupMenus", "Zmenšit okno"), "HGM");
    HGV = item(Hght, QCoreApplication::translate("SetupMenus", "Zvětšit okno"), "HGV");

    EDI = new QMenu(QCoreApplication::translate("SetupMenus", "Editor"), owner);
    EDI->setObjectName("EDI");
    ADDMAP = item(EDI, QCoreApplication::translate("SetupMenus", "Přidat pole"), "ADDMAP");
    EDMAP = item(EDI, QCoreApplication::translate("SetupMenus", "Editovat pole"), "EDMAP");
    DELMAPcc = submenu(EDI, QCoreApplication::translate("SetupMenus", "Smazat pole"), "DELMAPcc");
    DELMAPc = submenu(DELMAPcc, QCoreApplication::translate("SetupMenus", "Opravdu smazat?"), "DELMAPc");
    DELMAP = item(DELMAPc, QCoreApplication::translate("SetupMenus", "ANO"), "DELMAP");

    // The game window pops these up directly: one confirmation question holding one item.
    NGc = new QMenu(QCoreApplication::translate("SetupMenus", "Opravdu?"), owner);
    NGc->setObjectName("NGc");
    NG = item(NGc, QCoreApplication::translate("SetupMenus", "Restartovat hru"), "NG");
    UNGc = new QMenu(QCoreApplication::translate("SetupMenus", "Opravdu?"), owner);
    UNGc->setObjectName("UNGc");
    UNG = item(UNGc, QCoreApplication::translate("SetupMenus", "Novou hru"), "UNG");
    EDNc = new QMenu(QCoreApplication::translate("SetupMenus", "Opravdu skončit?"), owner);
    EDNc->setObjectName("EDNc");
    EDN = item(EDNc, QCoreApplication::translate("SetupMenus", "Opravdu skončit"), "EDN");
}

void SetupMenus::prepareEditorMenu(bool builtin) {
    ADDMAP->setEnabled(true);
    EDMAP->setEnabled(!builtin);
    DELMAPcc->menuAction()->setEnabled(!builtin);
}

void SetupMenus::applySizeState(const SizeMenuState& state) {
    HGM->setEnabled(state.canShrink);
    HGV->setEnabled(state.canGrow);
}

}  // namespace tomelin
